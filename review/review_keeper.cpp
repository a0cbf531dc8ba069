#include "review/review_keeper.h"

#include "core/attempt_record.h"
#include "records/journal_lesson.h"
#include "records/sqlite_statement.h"
#include "review/attempt_ratings.h"
#include "review/card_backfill.h"
#include "review/card_store.h"
#include "review/lesson_misses.h"

#include <algorithm>

namespace {

constexpr size_t kMostWaiting = 50;

} // namespace

ReviewKeeper::ReviewKeeper(Journal& journal, LenderLessons& lessons, LoadedReadings& readings,
                           const DayClock& clock)
    : m_journal(journal), m_lessons(lessons), m_readings(readings), m_clock(clock),
      m_backfill(lessons, &readings.analyser()) {}

void ReviewKeeper::setOwnLessons(std::string reviewPath, std::string drillPath) {
    m_reviewPath = std::move(reviewPath);
    m_drillPath = std::move(drillPath);
}

const DailyReview& ReviewKeeper::prepareReview() {
    m_review = {};
    sqlite3* db = m_journal.database();
    if (!db)
        return m_review;
    const Day today = m_clock.today();
    m_review = buildDailyReview(dueCards(db, today), m_lessons);
    if (execute(db, "BEGIN IMMEDIATE") == SQLITE_OK) {
        const bool noted = retireCards(db, m_review.retired, today) &&
                           noteLessonReads(db, m_review.readLessons, m_review.unreadLessons, today);
        execute(db, noted ? "COMMIT" : "ROLLBACK");
    }
    return m_review;
}

size_t ReviewKeeper::dueToday() const {
    sqlite3* db = m_journal.database();
    return db ? dueCardCount(db, m_clock.today()) : 0;
}

size_t ReviewKeeper::dueLines() const {
    sqlite3* db = m_journal.database();
    return db ? dueLineCount(db, m_clock.today(), kReviewLines) : 0;
}

std::optional<Day> ReviewKeeper::nextDue() const {
    sqlite3* db = m_journal.database();
    return db ? nextDueDay(db) : std::nullopt;
}

std::optional<Rejudged> ReviewKeeper::rejudgeSlips() {
    sqlite3* db = m_journal.database();
    if (!db)
        return std::nullopt;
    KanjiSources kanji;
    LoadedReadings pastLessons(m_readings.analyser()); // leaves the loaded lesson's be
    SlipBook book(kanji, pastLessons);
    return ::rejudgeSlips(db, m_lessons, book, m_clock.today());
}

bool ReviewKeeper::makeCardsFromHistory() {
    sqlite3* db = m_journal.database();
    return db && ::makeCardsFromHistory(db, m_lessons, &m_readings.analyser());
}

CardBackfill::Step ReviewKeeper::makeSomeCardsFromHistory(size_t mostAttempts) {
    sqlite3* db = m_journal.database();
    return db ? m_backfill.step(db, mostAttempts) : CardBackfill::Step::Failed;
}

// The lesson's words are taken as it loads, so that the attempt's transaction
// only writes.
ReviewKeeper::Attempt ReviewKeeper::attemptOf(const LoadedLesson& lesson) {
    Attempt attempt;
    if (lesson.path == m_reviewPath) {
        attempt.lesson = kReviewLesson;
        attempt.rated = attempt.isReview = true;
        attempt.words = m_review.words;
        return attempt;
    }
    attempt.lesson =
        lesson.path == m_drillPath ? std::string(kDrillLesson) : journalLessonFor(lesson).lesson;
    attempt.rated = !lesson.readFailed && lesson.path != m_drillPath &&
                    std::find(m_unrated.begin(), m_unrated.end(), lesson.path) == m_unrated.end();
    if (!attempt.rated)
        return attempt;
    attempt.text = lesson.text;
    attempt.readings = m_readings.of(lesson);
    return attempt;
}

void ReviewKeeper::lessonLoaded(const LoadedLesson& lesson) {
    if (m_current && m_current->endedOn)
        m_waiting.push_back(std::move(*m_current));
    if (m_waiting.size() > kMostWaiting) // a journal that fails takes none of them
        m_waiting.pop_front();
    m_current = attemptOf(lesson);
    m_record = nullptr;
}

// The journal has written the attempt already unless it waits for a lock.
void ReviewKeeper::completed(const AttemptFigures&) {
    if (!m_current)
        return;
    m_current->endedOn = m_clock.today();
    markTyped(*m_current);
}

// What the learner reached is typed right but for its slips: a word gets a
// card only for a real slip in it, not for characters a slip only moved, an
// extra input or letters typed with the input method off.
void ReviewKeeper::markTyped(Attempt& attempt) const {
    attempt.marks.clear();
    if (!m_record)
        return;
    for (Pos p = 0; p < m_record->reached; ++p)
        attempt.marks.evaluated(p, true);
    for (const Slip& slip : m_record->slips) {
        const MistakeKind kind = slip.explanation.kind;
        if (kind == MistakeKind::Extra || kind == MistakeKind::InputMethodOff)
            continue;
        const WrongPart wrong = wrongPartOf(slip);
        for (Pos p = wrong.first; p < wrong.last; ++p) {
            attempt.marks.evaluated(p, false);
            if (slip.corrected)
                attempt.marks.evaluated(p, true);
        }
    }
}

void ReviewKeeper::gaveUp(const AttemptFigures& figures) {
    completed(figures);
}

bool ReviewKeeper::write(sqlite3* db, std::int64_t attemptId, const JournalAttempt& attempt) {
    // An attempt the journal never took (it could not be written) is dropped.
    while (!m_waiting.empty() && m_waiting.front().lesson != attempt.lesson)
        m_waiting.pop_front();
    std::optional<Attempt> typed;
    if (!m_waiting.empty()) {
        typed = std::move(m_waiting.front());
        m_waiting.pop_front();
    } else {
        typed.swap(m_current);
        markTyped(*typed); // the journal writes it as it ends, before it is told of the end
    }
    return !typed || rate(db, attemptId, typed->endedOn.value_or(m_clock.today()), *typed);
}

bool ReviewKeeper::rate(sqlite3* db, std::int64_t attemptId, Day day, const Attempt& typed) {
    if (!typed.rated)
        return true;
    if (typed.isReview)
        return rateCards(db, attemptId, day, reviewRatings(typed.words, typed.marks));
    const auto ratings = lessonRatings(typed.lesson, typed.text, typed.readings, typed.marks,
                                       dueLessonCards(db, typed.lesson, day));
    return ratePlaces(db, attemptId, day, ratings);
}
