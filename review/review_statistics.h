#pragma once

#include "review/fsrs.h"

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <vector>

// Cards by where they stand. A card is made by the mistake that first missed
// its word (new until it comes back); learning while its interval is under
// three weeks; review from then on; relearning after a lapse, until it is
// typed right again. Retired cards are counted apart.
struct CardStates {
    std::int64_t fresh = 0;
    std::int64_t learning = 0;
    std::int64_t review = 0;
    std::int64_t relearning = 0;
    std::int64_t retired = 0;
};

struct LapsedWord {
    std::u16string word;
    std::string lesson;
    std::int64_t lapses = 0;
    Day due = 0;
};

// A day with attempts: how long they took, and whether one was completed.
struct PractisedDay {
    Day day = 0;
    std::int64_t seconds = 0;
    std::int64_t attempts = 0;
    std::int64_t completed = 0;
    friend bool operator==(const PractisedDay&, const PractisedDay&) = default;
};

struct ReviewSummary {
    std::int64_t dueToday = 0;    // overdue ones included
    std::int64_t dueThisWeek = 0; // on the next seven days, after today
    CardStates states;
    std::vector<LapsedWord> mostLapses;      // most first, at most 10
    std::vector<PractisedDay> practisedDays; // of the last 26 weeks, in order
    // Days in a row with a completed attempt up to today (or yesterday, before
    // today's first).
    int streak = 0;
};

inline constexpr int kCalendarWeeks = 26;
inline constexpr int kYoungInterval = 21;

ReviewSummary reviewSummary(sqlite3* db, Day today);
