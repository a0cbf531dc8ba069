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

// The attempt written last, with its mistakes in the order they were made;
// shifted characters are counted, not listed.
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
