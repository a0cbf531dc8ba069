#pragma once

#include "review/rating.h"

#include <cstdint>

// Days are counted as whole days (day numbers, one a day): a card is due on a
// day, whatever the hour.
using Day = std::int64_t;

// What the scheduler knows of a card after its reviews.
struct Schedule {
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1 (easy) to 10
    Day lastReview = 0;
    Day due = 0;
    int reviews = 0; // 0: a new card, never reviewed
    int lapses = 0;  // reviews rated again after the first
    friend bool operator==(const Schedule&, const Schedule&) = default;
};

// The FSRS-6 scheduler with its published default weights, a desired
// retention of 0.9 and intervals of at most kMaxInterval days, without fuzz
// and without same-day learning steps. Every figure is rounded to 8 decimals
// at the same steps as the reference implementation, so that schedules agree
// to the last digit shown.
inline constexpr int kMaxInterval = 365;

// The schedule after reviewing a card (new or not) on `day` with `rating`.
// A review dated before the last one counts as made on the last one's day.
Schedule review(const Schedule& card, Rating rating, Day day);
