#include "review/iso_time.h"

#include <charconv>
#include <cstdio>

namespace {

struct Date {
    int year, month, day;
};

// Days from civil dates and back in the proleptic Gregorian calendar, in
// eras of 400 years (146,097 days).
Date dateOfDay(Day days) {
    days += 719468;
    const Day era = (days >= 0 ? days : days - 146096) / 146097;
    const Day dayOfEra = days - era * 146097;
    const Day yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const Day dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const Day mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2)), month, day};
}

// Reads exactly `width` digits at `at` (no sign).
std::optional<int> digits(std::string_view text, size_t at, size_t width) {
    if (text.size() < at + width)
        return std::nullopt;
    for (size_t i = at; i < at + width; ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    int value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + width, value);
    if (error != std::errc{} || end != first + width)
        return std::nullopt;
    return value;
}

bool separatorAt(std::string_view text, size_t at, char c) {
    return text.size() > at && text[at] == c;
}

std::optional<int> offsetMinutes(std::string_view zone) {
    if (zone == "Z")
        return 0;
    const auto hours = digits(zone, 1, 2);
    const auto minutes = digits(zone, 4, 2);
    if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':' || !hours ||
        !minutes || *hours > 23 || *minutes > 59)
        return std::nullopt;
    return (zone[0] == '-' ? -1 : 1) * (*hours * 60 + *minutes);
}

} // namespace

Day dayOfDate(int year, int month, int dayOfMonth) {
    const Day y = year - (month <= 2);
    const Day era = (y >= 0 ? y : y - 399) / 400;
    const Day yearOfEra = y - era * 400;
    const Day dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + dayOfMonth - 1;
    const Day dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string isoDateText(Day day) {
    const Date date = dateOfDay(day);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<Day> parseIsoDate(std::string_view text) {
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    if (!year || !month || !day || !separatorAt(text, 4, '-') || !separatorAt(text, 7, '-') ||
        *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    const Day result = dayOfDate(*year, *month, *day);
    if (dateOfDay(result).day != *day) // 2026-02-30
        return std::nullopt;
    return result;
}

std::optional<IsoTime> parseIsoTime(std::string_view text) {
    const auto day = parseIsoDate(text);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!day || !hour || !minute || !second || !separatorAt(text, 10, 'T') ||
        !separatorAt(text, 13, ':') || !separatorAt(text, 16, ':') || *hour > 23 || *minute > 59 ||
        *second > 59)
        return std::nullopt;
    size_t zone = 19;
    if (separatorAt(text, zone, '.'))
        while (++zone < text.size() && text[zone] >= '0' && text[zone] <= '9') {
        }
    const auto offset = offsetMinutes(text.substr(std::min(zone, text.size())));
    if (!offset)
        return std::nullopt;
    return IsoTime{*day, *hour * 3600 + *minute * 60 + *second, *offset};
}

std::string isoTimeText(const IsoTime& time) {
    char clock[48];
    std::snprintf(clock, sizeof clock, "T%02d:%02d:%02d", time.secondOfDay / 3600,
                  time.secondOfDay / 60 % 60, time.secondOfDay % 60);
    std::string text = isoDateText(time.day) + clock;
    if (time.offsetMinutes == 0)
        return text + "Z";
    const int minutes = time.offsetMinutes < 0 ? -time.offsetMinutes : time.offsetMinutes;
    char zone[32];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", time.offsetMinutes < 0 ? '-' : '+',
                  minutes / 60, minutes % 60);
    return text + zone;
}
