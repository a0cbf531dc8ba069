#include "review/lesson_misses.h"

#include "records/sqlite_statement.h"
#include "review/iso_time.h"

namespace {

// Kept beside the cards; a journal written before it has none yet.
constexpr const char* kMissesTable = "CREATE TABLE IF NOT EXISTS lesson_misses ("
                                     " lesson TEXT NOT NULL, day TEXT NOT NULL,"
                                     " PRIMARY KEY (lesson, day)) WITHOUT ROWID";

bool forgetMisses(sqlite3* db, const std::vector<std::string>& read) {
    Statement forget(db, "DELETE FROM lesson_misses WHERE lesson = ?");
    for (const std::string& lesson : read) {
        forget.bind(1, lesson);
        if (forget.step() != SQLITE_DONE)
            return false;
        forget.reset();
    }
    return true;
}

bool missedLongEnough(sqlite3* db, const std::string& lesson) {
    Statement misses(db, "SELECT count(*), min(day), max(day) FROM lesson_misses WHERE lesson = ?");
    misses.bind(1, lesson);
    if (misses.step() != SQLITE_ROW || misses.integer(0) < kLessonMissedDays)
        return false;
    const auto first = parseIsoDate(misses.text(1));
    const auto last = parseIsoDate(misses.text(2));
    return first && last && *last - *first >= kLessonMissedSpan;
}

bool noteMiss(sqlite3* db, const std::string& lesson, Day day) {
    Statement note(db, "INSERT OR IGNORE INTO lesson_misses(lesson, day) VALUES (?, ?)");
    note.bind(1, lesson).bind(2, isoDateText(day));
    if (note.step() != SQLITE_DONE)
        return false;
    if (!missedLongEnough(db, lesson))
        return true;
    Statement retire(db, "UPDATE cards SET retired = ? WHERE lesson = ? AND retired IS NULL");
    retire.bind(1, isoDateText(day)).bind(2, lesson);
    return retire.step() == SQLITE_DONE;
}

} // namespace

bool noteLessonReads(sqlite3* db, const std::vector<std::string>& read,
                     const std::vector<std::string>& missed, Day day) {
    if (execute(db, kMissesTable) != SQLITE_OK || !forgetMisses(db, read))
        return false;
    for (const std::string& lesson : missed)
        if (!noteMiss(db, lesson, day))
            return false;
    return true;
}
