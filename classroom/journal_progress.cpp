#include "classroom/journal_progress.h"

#include "classroom/class_plan.h"
#include "core/utf8.h"
#include "records/journal.h"
#include "records/journal_statistics.h"
#include "records/scored_attempts.h"
#include "records/sqlite_statement.h"

#include <algorithm>
#include <map>

namespace {

// Per lesson the figures of all attempts and the last attempt's; the first
// try is worked out for the last attempts alone, which keeps a publish quick
// on a year of practice.
const std::string kLessonsSql =
    scoredAttempts() +
    " SELECT a.lesson, last.title, a.n, a.best, last.speed, last.first_try,"
    " substr(last.ended_at, 1, 10), a.done"
    " FROM (SELECT lesson, COUNT(*) AS n, SUM(completed) AS done, MAX(id) AS last_id,"
    " MAX(CASE WHEN completed AND total >= " +
    std::to_string(kCountedCharacters) +
    " AND elapsed_s > 0 THEN speed END) AS best FROM attempts GROUP BY lesson) AS a"
    " JOIN scored AS last ON last.id = a.last_id";

std::map<std::string, std::int64_t> dueByLesson(sqlite3* db, const std::string& today) {
    std::map<std::string, std::int64_t> counts;
    Statement query(db, "SELECT lesson, COUNT(*) FROM cards WHERE retired IS NULL"
                        " AND due <> '' AND due <= ?1 GROUP BY lesson");
    query.bind(1, today);
    while (query.valid() && query.step() == SQLITE_ROW)
        counts[query.text(0)] = query.integer(1);
    return counts;
}

std::vector<LessonProgress> lessons(const Journal& journal, const std::string& today) {
    const auto due = dueByLesson(journal.database(), today);
    std::vector<LessonProgress> lessons;
    Statement query(journal.database(), kLessonsSql);
    while (query.valid() && query.step() == SQLITE_ROW) {
        const auto it = due.find(query.text(0));
        lessons.push_back({classLessonName(query.text(0)), query.text(1), query.integer(2),
                           query.optionalReal(3), query.real(4), query.real(5), query.text(6),
                           query.integer(7), it == due.end() ? 0 : it->second});
    }
    // The lessons practised last stay when there are too many.
    if (lessons.size() > kPublishedLessons) {
        std::stable_sort(lessons.begin(), lessons.end(), [](const auto& a, const auto& b) {
            return a.lastPractised > b.lastPractised;
        });
        lessons.resize(kPublishedLessons);
    }
    return lessons;
}

std::vector<DayProgress> days(const Journal& journal) {
    std::vector<DayProgress> days;
    Statement query(journal.database(),
                    "SELECT substr(started_at, 1, 10) AS day, COUNT(*), SUM(elapsed_s)"
                    " FROM attempts GROUP BY day ORDER BY day DESC LIMIT ?1");
    query.bind(1, static_cast<std::int64_t>(kPublishedDays));
    while (query.valid() && query.step() == SQLITE_ROW)
        days.push_back({query.text(0), query.integer(1), query.integer(2)});
    std::reverse(days.begin(), days.end());
    return days;
}

std::vector<WeekSlips> slips(const Journal& journal) {
    std::vector<WeekSlips> slips;
    std::vector<WeeklyKind> weekly = mistakesByWeek(journal);
    std::vector<std::string> weeks;
    for (const WeeklyKind& w : weekly)
        if (weeks.empty() || weeks.back() != w.week)
            weeks.push_back(w.week);
    const std::string first =
        weeks.size() > kPublishedWeeks ? weeks[weeks.size() - kPublishedWeeks] : std::string();
    for (const WeeklyKind& w : weekly)
        if (w.week >= first)
            slips.push_back({w.week, w.kind, w.count});
    return slips;
}

std::vector<MissedText> missed(const Journal& journal) {
    std::vector<MissedText> missed;
    for (const MissedCharacter& m : mostMissed(journal, kPublishedMissed))
        missed.push_back({toUtf8(m.expected), toUtf8(m.typedMostOften), m.count});
    return missed;
}

} // namespace

std::set<std::string> completedLessons(const Journal& journal) {
    std::set<std::string> done;
    if (!journal.database())
        return done;
    Statement query(journal.database(), "SELECT DISTINCT lesson FROM attempts WHERE completed");
    while (query.valid() && query.step() == SQLITE_ROW)
        done.insert(classLessonName(query.text(0)));
    return done;
}

LearnerProgress journalProgress(const Journal& journal, const std::string& learner,
                                const std::string& now) {
    LearnerProgress progress;
    progress.learner = learner;
    progress.publishedAt = now;
    if (!journal.database())
        return progress;
    progress.lessons = lessons(journal, now.substr(0, 10));
    progress.days = days(journal);
    progress.slips = slips(journal);
    progress.missed = missed(journal);
    return progress;
}
