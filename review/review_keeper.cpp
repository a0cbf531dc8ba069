#include "review/review_keeper.h"

#include "records/sqlite_statement.h"
#include "review/attempt_ratings.h"
#include "review/card_backfill.h"
#include "review/card_store.h"

ReviewKeeper::ReviewKeeper(Journal& journal, LenderLessons& lessons, Analyser& analyser,
                           const DayClock& clock)
    : m_journal(journal), m_lessons(lessons), m_analyser(analyser), m_clock(clock) {}

void ReviewKeeper::ordinaryLessonComing(const std::string& lesson) {
    m_coming = Coming{lesson};
}

const DailyReview& ReviewKeeper::prepareReview() {
    m_review = {};
    sqlite3* db = m_journal.database();
    if (!db)
        return m_review;
    m_review = buildDailyReview(dueCards(db, m_clock.today()), m_lessons);
    if (!m_review.retired.empty() && execute(db, "BEGIN IMMEDIATE") == SQLITE_OK) {
        const bool retired = retireCards(db, m_review.retired, m_clock.today());
        execute(db, retired ? "COMMIT" : "ROLLBACK");
    }
    if (m_review.lineCount > 0)
        m_coming = Coming{};
    return m_review;
}

size_t ReviewKeeper::dueToday() const {
    sqlite3* db = m_journal.database();
    return db ? dueCards(db, m_clock.today()).size() : 0;
}

std::optional<Day> ReviewKeeper::nextDue() const {
    sqlite3* db = m_journal.database();
    return db ? nextDueDay(db) : std::nullopt;
}

bool ReviewKeeper::makeCardsFromHistory() {
    sqlite3* db = m_journal.database();
    return db && ::makeCardsFromHistory(db, m_lessons, &m_analyser);
}

// The lesson's text and words are read as it loads, so that the attempt's
// transaction only writes.
std::optional<ReviewKeeper::Current> ReviewKeeper::current(const Coming& coming) {
    if (coming.lesson.empty())
        return Current{std::string(kReviewLesson), {}, {}, true};
    auto lesson = m_lessons.read(coming.lesson);
    if (!lesson)
        return std::nullopt;
    LessonReadings readings = m_analyser.available()
                                  ? readLesson(lesson->text, m_analyser, lesson->corrections)
                                  : LessonReadings{};
    return Current{coming.lesson, std::move(*lesson), std::move(readings), false};
}

void ReviewKeeper::lessonLoaded(const LoadedLesson&) {
    m_marks.clear();
    m_current = m_coming ? current(*m_coming) : std::nullopt;
    m_coming.reset();
}

void ReviewKeeper::evaluated(Pos position, char16_t, char16_t, bool right) {
    m_marks.evaluated(position, right);
}

void ReviewKeeper::takenBack(Pos position) {
    m_marks.takenBack(position);
}

bool ReviewKeeper::write(sqlite3* db, std::int64_t attemptId, const JournalAttempt&) {
    if (!m_current)
        return true;
    const Day today = m_clock.today();
    if (m_current->isReview)
        return rateCards(db, attemptId, today, reviewRatings(m_review.words, m_marks));
    const auto ratings = lessonRatings(m_current->lesson, m_current->text.text, m_current->readings,
                                       m_marks, dueLessonCards(db, m_current->lesson, today));
    return ratePlaces(db, attemptId, today, ratings);
}
