#pragma once

#include "review/fsrs.h"

#include <optional>
#include <string>
#include <string_view>

// A moment as ISO 8601 writes it, kept as its local day, time of day and UTC
// offset, so that a review falls on the day the learner saw on the clock.
struct IsoTime {
    Day day = 0; // days since 1970-01-01 in the local calendar
    int secondOfDay = 0;
    int offsetMinutes = 0;
};

// 2026-03-02T09:05:03+08:00 (or Z, with or without fractions of a second).
std::optional<IsoTime> parseIsoTime(std::string_view text);
// 2026-03-02T09:05:03+08:00, Z for UTC.
std::string isoTimeText(const IsoTime& time);

Day dayOfDate(int year, int month, int dayOfMonth);
// 2026-03-02.
std::string isoDateText(Day day);
// The day of a date written at the start of `text` (2026-03-02...).
std::optional<Day> parseIsoDate(std::string_view text);
