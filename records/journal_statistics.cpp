#include "records/journal_statistics.h"

#include "core/utf8.h"
#include "records/journal_lesson.h"
#include "records/scored_attempts.h"
#include "records/sqlite_statement.h"

#include <algorithm>
#include <climits>
#include <map>
#include <unordered_map>

namespace {

// An attempt shorter than a second has no speed worth the name (the clock
// divides by almost nothing): it counts everywhere but in the best speed and
// in the chart.
const std::string kSummariesSql =
    scoredAttempts() +
    " SELECT s.lesson, last.title, s.n, s.best_speed, last.speed, s.best_accuracy,"
    " last.accuracy, s.best_first_try, last.first_try, substr(last.ended_at, 1, 10)"
    " FROM (SELECT lesson, COUNT(*) AS n,"
    " MAX(CASE WHEN counts AND elapsed_s > 0 THEN speed END) AS best_speed,"
    " MAX(CASE WHEN counts THEN accuracy END) AS best_accuracy,"
    " MAX(CASE WHEN counts THEN first_try END) AS best_first_try,"
    " MAX(id) AS last_id FROM scored WHERE (?1 IS NULL OR mode = ?1) GROUP BY lesson) AS s"
    " JOIN scored AS last ON last.id = s.last_id";

// The learner's own calendar: the date part of the local time written.
constexpr const char* kDayOf = "substr(ended_at, 1, 10)";
constexpr const char* kWeekOf = "date(substr(ended_at, 1, 10), '-6 days', 'weekday 1')";
constexpr const char* kMonthOf = "substr(ended_at, 1, 7)";
constexpr const char* kCharted = " FROM scored WHERE (?1 IS NULL OR lesson = ?1) AND (?2 IS NULL "
                                 "OR mode = ?2) AND elapsed_s > 0";
constexpr const char* kEndedAtMs =
    "CAST(round((julianday(ended_at) - 2440587.5) * 86400000) AS INTEGER)";

const std::string kProgressSql = scoredAttempts() + " SELECT " + kEndedAtMs +
                                 ", speed, accuracy, first_try, counts" + kCharted +
                                 " ORDER BY julianday(ended_at), id";

// The mean of a figure over the period's counted attempts, or over all of them.
std::string meanOf(const char* figure) {
    return std::string("COALESCE(AVG(CASE WHEN counts THEN ") + figure + " END), AVG(" + figure +
           "))";
}

std::string groupedProgressSql(const char* period) {
    return scoredAttempts() + " SELECT CAST(round(AVG(ms)) AS INTEGER), " + meanOf("speed") + ", " +
           meanOf("accuracy") + ", " + meanOf("first_try") + ", MAX(counts) FROM (SELECT *, " +
           kEndedAtMs + " AS ms, " + period + " AS period" + kCharted +
           ") GROUP BY period ORDER BY MIN(ms)";
}

const std::string kStepsSql = scoredAttempts() + " SELECT COUNT(*), COUNT(DISTINCT " + kDayOf +
                              "), COUNT(DISTINCT " + kWeekOf + ")" + kCharted;

const std::string& progressSql(ProgressStep step) {
    static const std::string byDay = groupedProgressSql(kDayOf);
    static const std::string byWeek = groupedProgressSql(kWeekOf);
    static const std::string byMonth = groupedProgressSql(kMonthOf);
    switch (step) {
    case ProgressStep::Attempt:
        return kProgressSql;
    case ProgressStep::Day:
        return byDay;
    case ProgressStep::Week:
        return byWeek;
    case ProgressStep::Month:
        break;
    }
    return byMonth;
}

void bindLessonAndMode(Statement& query, std::optional<std::string_view> lesson,
                       std::optional<std::string_view> mode) {
    if (lesson)
        query.bind(1, *lesson);
    if (mode)
        query.bind(2, *mode);
}

// Per lesson part the slip counts; the first pair of each part by count is
// what was typed instead most often; the kind shown is that pair's. An extra
// input and letters typed with the input method off miss no part of the lesson.
constexpr const char* kMostMissedSql =
    "WITH pairs AS (SELECT expected, typed, COUNT(*) AS n, MAX(COALESCE(kind, '')) AS kind"
    " FROM mistakes WHERE detail IS NOT '错位' AND expected <> ''"
    " AND COALESCE(kind, '') <> '输入法未开' GROUP BY expected, typed),"
    " ranked AS (SELECT expected, typed, kind, SUM(n) OVER (PARTITION BY expected) AS total,"
    " ROW_NUMBER() OVER (PARTITION BY expected ORDER BY n DESC, typed) AS place FROM pairs)"
    " SELECT expected, total, typed, kind FROM ranked WHERE place = 1"
    " ORDER BY total DESC, expected LIMIT ?";

// The Monday of the week an attempt ended in, by the learner's own calendar.
constexpr const char* kAttemptWeeksSql =
    "SELECT id, date(substr(ended_at, 1, 10), '-6 days', 'weekday 1') FROM attempts";
// In the order of the index that holds these columns: attempt by attempt.
constexpr const char* kCountedKindsSql =
    "SELECT attempt_id, COALESCE(kind, '') FROM mistakes WHERE detail IS NOT '错位'"
    " ORDER BY attempt_id";

using KindCounts = std::vector<std::pair<std::string, std::int64_t>>;

void count(KindCounts& counts, std::string kind, std::int64_t n) {
    const auto found = std::find_if(counts.begin(), counts.end(),
                                    [&kind](const auto& entry) { return entry.first == kind; });
    if (found == counts.end())
        counts.emplace_back(std::move(kind), n);
    else
        found->second += n;
}

std::unordered_map<std::int64_t, std::string> attemptWeeks(sqlite3* db) {
    std::unordered_map<std::int64_t, std::string> weeks;
    Statement query(db, kAttemptWeeksSql);
    while (query.step() == SQLITE_ROW)
        weeks.emplace(query.integer(0), query.text(1));
    return weeks;
}

std::u16string utf16(const std::string& text) {
    return fromUtf8(text).value_or(u"\uFFFD");
}

int orderOf(const LessonSummary& summary) {
    return courseOrder(summary.lesson).value_or(INT_MAX);
}

} // namespace

std::vector<LessonSummary> lessonSummaries(const Journal& journal,
                                           std::optional<std::string_view> mode) {
    std::vector<LessonSummary> rows;
    if (!journal.isOpen())
        return rows;
    Statement query(journal.database(), kSummariesSql);
    if (mode)
        query.bind(1, *mode);
    while (query.step() == SQLITE_ROW)
        rows.push_back({query.text(0), query.text(1), query.integer(2), query.optionalReal(3),
                        query.real(4), query.optionalReal(5), query.real(6), query.optionalReal(7),
                        query.real(8), query.text(9)});
    std::sort(rows.begin(), rows.end(), [](const LessonSummary& a, const LessonSummary& b) {
        return std::pair(orderOf(a), a.lesson) < std::pair(orderOf(b), b.lesson);
    });
    return rows;
}

std::vector<ProgressPoint> progress(const Journal& journal, std::optional<std::string_view> lesson,
                                    std::optional<std::string_view> mode, ProgressStep step) {
    std::vector<ProgressPoint> points;
    if (!journal.isOpen())
        return points;
    Statement query(journal.database(), progressSql(step));
    bindLessonAndMode(query, lesson, mode);
    while (query.step() == SQLITE_ROW)
        points.push_back(
            {query.integer(0), query.real(1), query.real(2), query.real(3), query.integer(4) != 0});
    return points;
}

ProgressStep progressStep(const Journal& journal, std::optional<std::string_view> lesson,
                          std::optional<std::string_view> mode, std::int64_t mostPoints) {
    if (!journal.isOpen())
        return ProgressStep::Attempt;
    Statement query(journal.database(), kStepsSql);
    bindLessonAndMode(query, lesson, mode);
    if (query.step() != SQLITE_ROW)
        return ProgressStep::Attempt;
    for (const ProgressStep step : {ProgressStep::Attempt, ProgressStep::Day, ProgressStep::Week})
        if (query.integer(static_cast<int>(step)) <= mostPoints)
            return step;
    return ProgressStep::Month;
}

std::vector<MissedCharacter> mostMissed(const Journal& journal, int limit) {
    std::vector<MissedCharacter> missed;
    if (!journal.isOpen())
        return missed;
    Statement query(journal.database(), kMostMissedSql);
    query.bind(1, std::int64_t{limit});
    while (query.step() == SQLITE_ROW)
        missed.push_back(
            {utf16(query.text(0)), query.integer(1), utf16(query.text(2)), query.text(3)});
    return missed;
}

// The mistakes are counted by attempt and kind here, as they come from their
// index, and each attempt's counts added to its week: grouping every mistake
// in the database sorted them all first, most of the time 学习统计 took.
std::vector<WeeklyKind> mistakesByWeek(const Journal& journal) {
    std::vector<WeeklyKind> weeks;
    if (!journal.isOpen())
        return weeks;
    const auto weekOf = attemptWeeks(journal.database());
    std::map<std::string, KindCounts> byWeek;
    KindCounts attempt;
    std::optional<std::int64_t> attemptId;
    const auto addAttempt = [&] {
        const auto week = attemptId ? weekOf.find(*attemptId) : weekOf.end();
        if (week != weekOf.end())
            for (auto& [kind, n] : attempt)
                count(byWeek[week->second], std::move(kind), n);
        attempt.clear();
    };
    Statement query(journal.database(), kCountedKindsSql);
    while (query.step() == SQLITE_ROW) {
        if (query.integer(0) != attemptId) {
            addAttempt();
            attemptId = query.integer(0);
        }
        count(attempt, query.text(1), 1);
    }
    addAttempt();
    for (auto& [week, kinds] : byWeek) {
        std::sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) {
            return std::pair(-a.second, a.first) < std::pair(-b.second, b.first);
        });
        for (auto& [kind, n] : kinds)
            weeks.push_back({week, std::move(kind), n});
    }
    return weeks;
}

namespace {

std::optional<std::string> firstText(const Journal& journal, const char* sql) {
    if (!journal.isOpen())
        return std::nullopt;
    Statement query(journal.database(), sql);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return query.text(0);
}

} // namespace

std::optional<std::string> lastAttemptLesson(const Journal& journal) {
    return firstText(journal, "SELECT lesson FROM attempts ORDER BY id DESC LIMIT 1");
}
