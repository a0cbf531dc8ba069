#include "review/card_backfill.h"

#include "records/journal_lesson.h"
#include "records/sqlite_statement.h"
#include "review/attempt_ratings.h"
#include "review/iso_time.h"

#include <algorithm>
#include <limits>
#include <map>

namespace {

struct PastAttempt {
    std::int64_t id;
    std::string lesson;
    Day day;
    bool completed;
    bool dated; // an attempt without a readable end makes no cards
};

// Attempts after `after` up to `last`, at most `most` of them, in order.
std::vector<PastAttempt> pastAttempts(sqlite3* db, std::int64_t after, std::int64_t last,
                                      size_t most) {
    Statement select(db, "SELECT id, lesson, ended_at, completed FROM attempts"
                         " WHERE id > ? AND id <= ? ORDER BY id LIMIT ?");
    select.bind(1, after).bind(2, last).bind(3, static_cast<std::int64_t>(most));
    std::vector<PastAttempt> attempts;
    while (select.step() == SQLITE_ROW) {
        const auto ended = parseIsoTime(select.text(2));
        attempts.push_back({select.integer(0), select.text(1), ended ? ended->day : Day{0},
                            ended && select.integer(3) != 0, ended.has_value()});
    }
    return attempts;
}

// The last attempt whose mistakes are cards already: a step before this
// one (of this program or another) got that far. Steps go in attempt order,
// and later attempts rate with later ids, so the newest such review tells it,
// found from the end of the table without reading all of it.
std::int64_t lastRated(sqlite3* db, std::int64_t last) {
    Statement select(db, "SELECT attempt_id FROM reviews WHERE attempt_id <= ?"
                         " ORDER BY rowid DESC LIMIT 1");
    select.bind(1, last);
    return select.step() == SQLITE_ROW ? select.integer(0) : 0;
}

// The attempt as typed: a completed one right everywhere but at its mistakes,
// a mistake typed right later mended; of one given up only the mistakes.
TypedMarks marksOf(sqlite3* db, const PastAttempt& attempt, std::u16string_view text) {
    TypedMarks marks;
    if (attempt.completed)
        for (Pos p = 0; p < static_cast<Pos>(text.size()); ++p)
            marks.evaluated(p, true);
    Statement select(db, "SELECT position, corrected FROM mistakes WHERE attempt_id = ?"
                         " AND (detail IS NULL OR detail <> '错位')"
                         " AND COALESCE(kind, '') NOT IN ('多打', '输入法未开')");
    select.bind(1, attempt.id);
    while (select.step() == SQLITE_ROW) {
        marks.evaluated(select.integer(0), false);
        if (select.integer(1) == 1)
            marks.evaluated(select.integer(0), true);
    }
    return marks;
}

struct ReadLesson {
    LenderLesson lesson;
    LessonReadings readings;
};

class ReadLessons {
  public:
    ReadLessons(LenderLessons& lessons, Analyser* analyser)
        : m_lessons(lessons), m_analyser(analyser) {}
    const ReadLesson* get(const std::string& name) {
        auto found = m_read.find(name);
        if (found == m_read.end())
            found = m_read.emplace(name, read(name)).first;
        return found->second ? &*found->second : nullptr;
    }

  private:
    std::optional<ReadLesson> read(const std::string& name) {
        auto lesson = m_lessons.read(name);
        if (!lesson)
            return std::nullopt;
        LessonReadings readings = m_analyser
                                      ? readLesson(lesson->text, *m_analyser, lesson->corrections)
                                      : LessonReadings{};
        return ReadLesson{std::move(*lesson), std::move(readings)};
    }
    LenderLessons& m_lessons;
    Analyser* m_analyser;
    std::map<std::string, std::optional<ReadLesson>> m_read;
};

} // namespace

struct CardBackfill::Lessons {
    explicit Lessons(LenderLessons& lessons, Analyser* analyser) : read(lessons, analyser) {}
    ReadLessons read;
};

CardBackfill::CardBackfill(LenderLessons& lessons, Analyser* analyser)
    : m_lessons(std::make_unique<Lessons>(lessons, analyser)) {}

CardBackfill::~CardBackfill() = default;

CardBackfill::Step CardBackfill::makeCards(sqlite3* db, std::int64_t last, size_t most) {
    m_after = std::max(m_after, lastRated(db, last));
    const std::vector<PastAttempt> attempts = pastAttempts(db, m_after, last, most);
    for (const PastAttempt& attempt : attempts) {
        const ReadLesson* read = attempt.dated ? m_lessons->read.get(attempt.lesson) : nullptr;
        if (!read && attempt.dated && courseOrder(attempt.lesson))
            return Step::WaitsForTheCourse; // not found this time: made at a later start
        if (read) {
            const std::u16string& text = read->lesson.text;
            const auto ratings =
                lessonRatings(attempt.lesson, text, read->readings, marksOf(db, attempt, text),
                              dueLessonCards(db, attempt.lesson, attempt.day));
            if (!ratePlaces(db, attempt.id, attempt.day, ratings))
                return Step::Failed;
        } // else the drill, the review, or a lesson gone since
        m_after = attempt.id;
    }
    if (attempts.size() == most)
        return Step::More;
    return execute(db, "DELETE FROM card_backfill") == SQLITE_OK ? Step::Done : Step::Failed;
}

CardBackfill::Step CardBackfill::step(sqlite3* db, size_t mostAttempts) {
    if (execute(db, "BEGIN IMMEDIATE") != SQLITE_OK)
        return Step::Failed;
    Statement pending(db, "SELECT last_attempt FROM card_backfill");
    if (!pending.valid()) {
        execute(db, "ROLLBACK");
        return Step::Failed;
    }
    const bool due = pending.step() == SQLITE_ROW;
    m_last = due ? pending.integer(0) : 0;
    pending.reset();
    const std::int64_t before = m_after;
    const Step made = due ? makeCards(db, m_last, mostAttempts) : Step::Done;
    const bool keep = made == Step::Done || made == Step::More;
    if (!keep || execute(db, "COMMIT") != SQLITE_OK) {
        execute(db, "ROLLBACK");
        m_after = before;
        return made == Step::WaitsForTheCourse ? made : Step::Failed;
    }
    return made;
}

double CardBackfill::progress() const {
    return m_last > 0 ? std::min(1.0, static_cast<double>(m_after) / static_cast<double>(m_last))
                      : 1.0;
}

bool makeCardsFromHistory(sqlite3* db, LenderLessons& lessons, Analyser* analyser) {
    CardBackfill backfill(lessons, analyser);
    CardBackfill::Step step = CardBackfill::Step::More;
    while (step == CardBackfill::Step::More)
        step = backfill.step(db, std::numeric_limits<size_t>::max());
    return step != CardBackfill::Step::Failed;
}
