#include "review/card_backfill.h"

#include "records/sqlite_statement.h"
#include "review/attempt_ratings.h"
#include "review/iso_time.h"

#include <map>

namespace {

struct PastAttempt {
    std::int64_t id;
    std::string lesson;
    Day day;
    bool completed;
};

std::vector<PastAttempt> pastAttempts(sqlite3* db, std::int64_t last) {
    Statement select(db, "SELECT id, lesson, ended_at, completed FROM attempts WHERE id <= ?"
                         " ORDER BY id");
    select.bind(1, last);
    std::vector<PastAttempt> attempts;
    while (select.step() == SQLITE_ROW)
        if (const auto ended = parseIsoTime(select.text(2)))
            attempts.push_back(
                {select.integer(0), select.text(1), ended->day, select.integer(3) != 0});
    return attempts;
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

bool makeCards(sqlite3* db, std::int64_t last, ReadLessons& lessons) {
    for (const PastAttempt& attempt : pastAttempts(db, last)) {
        const ReadLesson* read = lessons.get(attempt.lesson);
        if (!read)
            continue; // the drill, the review, or a lesson gone since
        const std::u16string& text = read->lesson.text;
        const auto ratings =
            lessonRatings(attempt.lesson, text, read->readings, marksOf(db, attempt, text),
                          dueLessonCards(db, attempt.lesson, attempt.day));
        if (!ratePlaces(db, attempt.id, attempt.day, ratings))
            return false;
    }
    return execute(db, "DELETE FROM card_backfill") == SQLITE_OK;
}

} // namespace

bool makeCardsFromHistory(sqlite3* db, LenderLessons& lessons, Analyser* analyser) {
    if (execute(db, "BEGIN IMMEDIATE") != SQLITE_OK)
        return false;
    Statement pending(db, "SELECT last_attempt FROM card_backfill");
    const bool due = pending.step() == SQLITE_ROW;
    const std::int64_t last = due ? pending.integer(0) : 0;
    pending.reset();
    ReadLessons read(lessons, analyser);
    if ((due && !makeCards(db, last, read)) || execute(db, "COMMIT") != SQLITE_OK) {
        execute(db, "ROLLBACK");
        return false;
    }
    return true;
}
