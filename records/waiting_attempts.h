#pragma once

#include "records/journal.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// What the journal has not taken yet: an ended attempt and the name saved
// for it, or, once the attempt is in (its row `id`), the name alone.
struct WaitingAttempt {
    JournalAttempt attempt;
    std::vector<JournalMistake> mistakes;
    std::optional<std::string> name;
    std::int64_t id = 0;
};

// Attempts still waiting for a journal another program keeps locked when the
// program ends are kept in a small file beside the journal (its name and
// ".waiting"), and taken into the journal at the next start.

// Adds `waiting` to those kept, oldest first; the errno of a failed write.
std::optional<int> keepWaitingAttempts(const std::string& journalPath,
                                       const std::deque<WaitingAttempt>& waiting);

// The attempts kept, taken out of their file. A file that cannot be made out
// is moved aside (its name and ".broken"), never deleted.
std::deque<WaitingAttempt> takeWaitingAttempts(const std::string& journalPath);
