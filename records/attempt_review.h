#pragma once

#include "core/ports.h"
#include "records/journal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One mistake of an attempt, as the review of the attempt lists it.
struct ReviewedMistake {
    Pos position;
    std::u16string expected;
    std::u16string typed;
    MistakeNote note;
    std::optional<std::u16string> preedit;
    bool corrected = false;
};

// The attempt written last, with its slips in lesson order; characters only
// moved by a slip are counted, not listed.
struct ReviewedAttempt {
    std::int64_t id = 0;
    std::string lesson;
    std::string title;
    std::string endedAt;
    bool completed = false;
    std::vector<ReviewedMistake> mistakes;
    std::int64_t shifted = 0;
};

std::optional<ReviewedAttempt> lastAttemptReview(const Journal& journal);

// Whether an attempt in the journal had the same slip: `typed` of this kind
// in place of `expected`.
bool sameSlipBefore(const Journal& journal, std::string_view kind, std::u16string_view expected,
                    std::u16string_view typed);
