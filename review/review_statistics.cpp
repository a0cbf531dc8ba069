#include "review/review_statistics.h"

#include "core/utf8.h"
#include "records/sqlite_statement.h"
#include "review/iso_time.h"

#include <algorithm>

namespace {

std::int64_t count(sqlite3* db, const char* sql, Day from, Day to) {
    Statement select(db, sql);
    select.bind(1, isoDateText(from)).bind(2, isoDateText(to));
    return select.step() == SQLITE_ROW ? select.integer(0) : 0;
}

CardStates cardStates(sqlite3* db) {
    Statement select(db, R"(
        SELECT retired IS NOT NULL, reviews,
               julianday(due) - julianday(last_review),
               (SELECT rating FROM reviews WHERE card_id = cards.id ORDER BY rowid DESC LIMIT 1)
        FROM cards)");
    CardStates states;
    while (select.step() == SQLITE_ROW) {
        if (select.integer(0))
            ++states.retired;
        else if (select.integer(1) <= 1)
            ++states.fresh;
        else if (select.integer(3) == static_cast<int>(Rating::Again))
            ++states.relearning;
        else if (select.real(2) < kYoungInterval)
            ++states.learning;
        else
            ++states.review;
    }
    return states;
}

std::vector<LapsedWord> mostLapses(sqlite3* db) {
    Statement select(db, "SELECT word, lesson, lapses, due FROM cards"
                         " WHERE retired IS NULL AND lapses > 0"
                         " ORDER BY lapses DESC, due, id LIMIT 10");
    std::vector<LapsedWord> words;
    while (select.step() == SQLITE_ROW)
        words.push_back({fromUtf8(select.text(0)).value_or(u""), select.text(1), select.integer(2),
                         parseIsoDate(select.text(3)).value_or(0)});
    return words;
}

// The days of the attempts' local dates (as written, with their offset).
std::vector<PractisedDay> practisedDays(sqlite3* db, Day from, Day to) {
    Statement select(db, "SELECT substr(ended_at, 1, 10) AS day, sum(elapsed_s), count(*),"
                         " sum(completed) FROM attempts WHERE day BETWEEN ? AND ?"
                         " GROUP BY day ORDER BY day");
    select.bind(1, isoDateText(from)).bind(2, isoDateText(to));
    std::vector<PractisedDay> days;
    while (select.step() == SQLITE_ROW)
        if (const auto day = parseIsoDate(select.text(0)))
            days.push_back({*day, select.integer(1), select.integer(2), select.integer(3)});
    return days;
}

int streakUpTo(const std::vector<PractisedDay>& days, Day today) {
    std::vector<Day> completed;
    for (const PractisedDay& d : days)
        if (d.completed > 0)
            completed.push_back(d.day);
    auto practised = [&](Day d) {
        return std::binary_search(completed.begin(), completed.end(), d);
    };
    Day day = practised(today) ? today : today - 1;
    int streak = 0;
    while (practised(day--))
        ++streak;
    return streak;
}

} // namespace

ReviewSummary reviewSummary(sqlite3* db, Day today) {
    ReviewSummary summary;
    constexpr const char* kDue =
        "SELECT count(*) FROM cards WHERE retired IS NULL AND due > ? AND due <= ?";
    summary.dueToday = count(db, kDue, today - 100000, today);
    summary.dueThisWeek = count(db, kDue, today, today + 7);
    summary.states = cardStates(db);
    summary.mostLapses = mostLapses(db);
    summary.practisedDays = practisedDays(db, today - kCalendarWeeks * 7 + 1, today);
    summary.streak = streakUpTo(summary.practisedDays, today);
    return summary;
}
