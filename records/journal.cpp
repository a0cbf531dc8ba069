#include "records/journal.h"

#include "core/utf8.h"
#include "records/journal_time.h"
#include "records/sqlite_statement.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <sqlite3.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// migrations[v] brings a journal of schema version v to version v + 1; a new
// file has version 0. A later schema appends its step here and never changes
// the steps before it.
constexpr std::array<const char*, Journal::kSchemaVersion> kMigrations = {
    R"(CREATE TABLE attempts (
           id INTEGER PRIMARY KEY,
           lesson TEXT NOT NULL,
           title TEXT,
           started_at TEXT NOT NULL,
           ended_at TEXT NOT NULL,
           elapsed_s INTEGER NOT NULL,
           total INTEGER NOT NULL,
           "right" INTEGER NOT NULL,
           wrong INTEGER NOT NULL,
           speed REAL NOT NULL,
           completed INTEGER NOT NULL,
           name TEXT);
       CREATE TABLE mistakes (
           attempt_id INTEGER NOT NULL REFERENCES attempts(id) ON DELETE CASCADE,
           position INTEGER NOT NULL,
           expected TEXT NOT NULL,
           typed TEXT NOT NULL);
       CREATE INDEX attempts_by_lesson ON attempts(lesson, id);
       CREATE INDEX mistakes_by_attempt ON mistakes(attempt_id);
       CREATE INDEX mistakes_by_character ON mistakes(expected, typed);)",
    R"(ALTER TABLE mistakes ADD COLUMN kind TEXT;
       ALTER TABLE mistakes ADD COLUMN detail TEXT;
       ALTER TABLE mistakes ADD COLUMN preedit TEXT;
       ALTER TABLE mistakes ADD COLUMN corrected INTEGER;
       ALTER TABLE attempts ADD COLUMN mode TEXT NOT NULL DEFAULT 'text';)",
    // The words that come back for review. card_backfill names the last
    // attempt of an upgraded journal whose mistakes still have to become
    // cards; the review makes them (it needs the lessons' words) and clears it.
    // The two mistakes indexes hold every column the statistics read, so that
    // the first tries, the kinds by week and the most-missed pairs come from
    // an index alone.
    R"(CREATE TABLE cards (
           id INTEGER PRIMARY KEY,
           lesson TEXT NOT NULL,
           line INTEGER NOT NULL,
           place INTEGER NOT NULL,
           word TEXT NOT NULL,
           stability REAL NOT NULL,
           difficulty REAL NOT NULL,
           last_review TEXT NOT NULL,
           due TEXT NOT NULL,
           reviews INTEGER NOT NULL,
           lapses INTEGER NOT NULL,
           retired TEXT,
           UNIQUE (lesson, line, place, word));
       CREATE TABLE reviews (
           card_id INTEGER NOT NULL REFERENCES cards(id) ON DELETE CASCADE,
           attempt_id INTEGER REFERENCES attempts(id) ON DELETE SET NULL,
           day TEXT NOT NULL,
           rating INTEGER NOT NULL,
           stability REAL NOT NULL,
           difficulty REAL NOT NULL,
           due TEXT NOT NULL);
       CREATE INDEX cards_by_due ON cards(retired, due);
       CREATE INDEX reviews_by_card ON reviews(card_id);
       CREATE INDEX reviews_by_day ON reviews(day);
       CREATE TABLE card_backfill (last_attempt INTEGER NOT NULL);
       CREATE INDEX mistakes_by_position ON mistakes(attempt_id, position, kind, detail);
       CREATE INDEX mistakes_by_pair ON mistakes(expected, typed, kind, detail);
       INSERT INTO card_backfill SELECT max(id) FROM attempts HAVING max(id) IS NOT NULL;)",
    // A mistake is a slip: a part of the lesson and what stood in its place.
    // slip_rejudge names the last attempt whose character-by-character
    // mistakes still have to be judged again as slips; the program does it
    // (it needs the lessons' texts) and clears it.
    R"(ALTER TABLE mistakes ADD COLUMN line INTEGER;
       ALTER TABLE attempts ADD COLUMN shifted INTEGER NOT NULL DEFAULT 0;
       CREATE TABLE slip_rejudge (last_attempt INTEGER NOT NULL);
       INSERT INTO slip_rejudge SELECT max(id) FROM attempts HAVING max(id) IS NOT NULL;)",
};

// The first version whose mistakes carry their kind.
constexpr std::int64_t kExplainedSince = 2;

constexpr int kGrowthStep = 1 << 20;

bool isBusy(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

bool isNotADatabase(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// journal.sqlite3.broken-20260302-090503, with -2, -3 ... when that is taken.
std::string freeBrokenName(const std::string& path) {
    const std::string base = path + ".broken-" + compactLocalTime(std::time(nullptr));
    std::string name = base;
    for (int n = 2; fs::exists(name) || fs::exists(name + "-wal"); ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

// Moves the file and its write-ahead log and shared-memory index aside.
std::optional<std::string> moveAside(const std::string& path) {
    const std::string target = freeBrokenName(path);
    std::error_code error;
    fs::rename(path, target, error);
    if (error)
        return std::nullopt;
    for (const char* companion : {"-wal", "-shm"})
        if (fs::exists(path + companion))
            fs::rename(path + companion, target + companion, error);
    return target;
}

using TableColumns = std::map<std::string, std::set<std::string>>;

// The columns of each table; nothing when the database cannot be read now.
std::optional<TableColumns> columnsOf(sqlite3* db) {
    TableColumns columns;
    Statement tables(db, "SELECT m.name, c.name FROM sqlite_master m,"
                         " pragma_table_info(m.name) c WHERE m.type = 'table'");
    int stepped = SQLITE_ROW;
    while ((stepped = tables.step()) == SQLITE_ROW)
        columns[tables.text(0)].insert(tables.text(1));
    if (stepped != SQLITE_DONE)
        return std::nullopt;
    return columns;
}

// The tables of schema version `version`, as the migrations make them in an
// empty database.
TableColumns columnsOfVersion(std::int64_t version) {
    sqlite3* db = nullptr;
    std::optional<TableColumns> columns;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK) {
        for (std::int64_t step = 0; step < version; ++step)
            execute(db, kMigrations[static_cast<size_t>(step)]);
        columns = columnsOf(db);
    }
    sqlite3_close(db);
    return columns.value_or(TableColumns{});
}

} // namespace

Journal::~Journal() {
    close();
}

void Journal::close() {
    sqlite3_close(m_db);
    m_db = nullptr;
}

std::string Journal::lastError() const {
    return m_db ? sqliteProblemText(m_db) : "内存不足";
}

// What the last statement's failure means for the caller.
Journal::Written Journal::failed() const {
    return {0, lastError(), m_db && isBusy(sqlite3_errcode(m_db))};
}

void Journal::waitForLocks(int milliseconds) {
    m_busyTimeoutMs = milliseconds;
    if (m_db)
        sqlite3_busy_timeout(m_db, milliseconds);
}

// The connection's settings; the first statement that reads the file tells
// whether it is a database at all.
int Journal::openConnection() {
    const int opened =
        sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened != SQLITE_OK)
        return opened;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    // The files grow in steps of 1 MiB, so that the sync of a commit seldom
    // has to write a changed file size too: that halves a commit's time on ext4.
    int chunk = kGrowthStep;
    sqlite3_file_control(m_db, "main", SQLITE_FCNTL_CHUNK_SIZE, &chunk);
    sqlite3_wal_hook(m_db, &Journal::walCommitted, this); // in place of automatic checkpoints
    // A cache of 16 MiB holds a year's journal: the statistics read every
    // mistake, and with the default 2 MiB each refresh read them from the file
    // again.
    return execute(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"
                         " PRAGMA cache_size=-16384; PRAGMA foreign_keys=ON;");
}

Journal::Opening Journal::open() {
    if (m_db)
        return {};
    Opening opening;
    std::error_code folderError;
    fs::create_directories(fs::path(m_path).parent_path(), folderError);
    int code = openConnection();
    if ((isNotADatabase(code) || (code == SQLITE_OK && isUnusable())) && isRegularFile(m_path)) {
        close();
        opening.movedAsideTo = moveAside(m_path);
        if (opening.movedAsideTo)
            code = openConnection();
    }
    if (code == SQLITE_OK)
        opening.error = migrate();
    else
        opening.error = lastError();
    if (opening.error) {
        opening.busy = isBusy(m_db ? sqlite3_errcode(m_db) : code);
        close();
    }
    return opening;
}

std::optional<std::int64_t> Journal::schemaVersion() const {
    Statement version(m_db, "PRAGMA user_version");
    if (version.step() != SQLITE_ROW)
        return std::nullopt;
    return version.integer(0);
}

// A version no program writes, or tables missing columns their version has:
// such a journal cannot be brought up to date, nor read. One that cannot be
// looked at now (another program holds it) is not judged.
bool Journal::isUnusable() const {
    const auto version = schemaVersion();
    if (!version || *version == 0 || *version > kSchemaVersion)
        return false;
    if (*version < 0)
        return true;
    const auto found = columnsOf(m_db);
    if (!found)
        return false;
    for (const auto& [table, columns] : columnsOfVersion(*version)) {
        const auto there = found->find(table);
        if (there == found->end() || !std::includes(there->second.begin(), there->second.end(),
                                                    columns.begin(), columns.end()))
            return true;
    }
    return false;
}

// In one immediate transaction, so that two programs creating the journal at
// once do not both run a step. A journal already up to date is only read.
std::optional<std::string> Journal::migrate() {
    const auto found = schemaVersion();
    if (!found)
        return lastError();
    if (*found == kSchemaVersion)
        return std::nullopt;
    if (execute(m_db, "BEGIN IMMEDIATE") != SQLITE_OK)
        return lastError();
    std::optional<std::string> error = migrateInTransaction();
    if (!error && execute(m_db, "COMMIT") != SQLITE_OK)
        error = lastError();
    if (error)
        execute(m_db, "ROLLBACK");
    return error;
}

std::optional<std::string> Journal::migrateInTransaction() {
    const auto found = schemaVersion();
    if (!found)
        return lastError();
    if (*found < 0)
        return "练习日志的结构版本无效（" + std::to_string(*found) + "）";
    if (*found > kSchemaVersion)
        return "练习日志由更新版本的 Orvanta 写成（结构版本 " + std::to_string(*found) +
               "），这个版本不改动它";
    for (auto step = *found; step < kSchemaVersion; ++step)
        if (execute(m_db, kMigrations[static_cast<size_t>(step)]) != SQLITE_OK)
            return lastError();
    if (*found > 0 && *found < kExplainedSince && !explainOlderMistakes())
        return lastError();
    const std::string setVersion = "PRAGMA user_version=" + std::to_string(kSchemaVersion);
    if (execute(m_db, setVersion.c_str()) != SQLITE_OK)
        return lastError();
    return std::nullopt;
}

// Mistakes written before kinds were kept hold their two characters only.
bool Journal::explainOlderMistakes() {
    if (!m_older)
        return true;
    Statement pairs(m_db, "SELECT DISTINCT expected, typed FROM mistakes WHERE kind IS NULL");
    Statement update(m_db, "UPDATE mistakes SET kind = ?, detail = ?"
                           " WHERE kind IS NULL AND expected = ? AND typed = ?");
    while (pairs.step() == SQLITE_ROW) {
        const auto expected = fromUtf8(pairs.text(0)).value_or(u"");
        const auto typed = fromUtf8(pairs.text(1)).value_or(u"");
        if (expected.size() != 1 || typed.size() != 1)
            continue;
        const MistakeNote note = m_older->explain(expected[0], typed[0]);
        update.bindOrNull(1, note.kind)
            .bindOrNull(2, note.detail)
            .bind(3, pairs.text(0))
            .bind(4, pairs.text(1));
        if (update.step() != SQLITE_DONE)
            return false;
        update.reset();
    }
    return true;
}

bool insertMistakes(sqlite3* db, std::int64_t attemptId,
                    const std::vector<JournalMistake>& mistakes) {
    Statement insert(db, "INSERT INTO mistakes(attempt_id, position, expected, typed, kind,"
                         " detail, preedit, corrected, line) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const JournalMistake& mistake : mistakes) {
        insert.bind(1, attemptId)
            .bind(2, std::int64_t{mistake.position})
            .bind(3, toUtf8(mistake.expected))
            .bind(4, toUtf8(mistake.typed))
            .bindOrNull(5, mistake.note.kind)
            .bindOrNull(6, mistake.note.detail)
            .bind(8, std::int64_t{mistake.corrected});
        if (mistake.line > 0)
            insert.bind(9, std::int64_t{mistake.line});
        else
            insert.bindNull(9);
        if (mistake.preedit)
            insert.bind(7, toUtf8(*mistake.preedit));
        else
            insert.bindNull(7);
        if (insert.step() != SQLITE_DONE)
            return false;
        insert.reset();
    }
    return true;
}

Journal::Written Journal::record(const JournalAttempt& attempt,
                                 const std::vector<JournalMistake>& mistakes) {
    if (!m_db)
        return {0, "练习日志没有打开"};
    if (execute(m_db, "BEGIN IMMEDIATE") != SQLITE_OK)
        return failed();
    Statement insert(m_db, "INSERT INTO attempts(lesson, title, started_at, ended_at, elapsed_s,"
                           " total, \"right\", wrong, speed, completed, mode, shifted)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const AttemptFigures& f = attempt.figures;
    insert.bind(1, attempt.lesson)
        .bind(2, attempt.title)
        .bind(3, attempt.startedAt)
        .bind(4, attempt.endedAt)
        .bind(5, std::int64_t{f.elapsedSeconds})
        .bind(6, std::int64_t{f.total})
        .bind(7, std::int64_t{f.right})
        .bind(8, std::int64_t{f.wrong})
        .bind(9, f.speed)
        .bind(10, std::int64_t{attempt.completed})
        .bind(11, modeName(attempt.mode))
        .bind(12, std::int64_t{attempt.shifted});
    const bool inserted = insert.step() == SQLITE_DONE;
    const std::int64_t id = sqlite3_last_insert_rowid(m_db);
    if (!inserted || !insertMistakes(m_db, id, mistakes) ||
        (m_extension && !m_extension->write(m_db, id, attempt)) ||
        execute(m_db, "COMMIT") != SQLITE_OK) {
        Written failure = failed();
        execute(m_db, "ROLLBACK");
        return failure;
    }
    return {id, std::nullopt};
}

int Journal::walCommitted(void* journal, sqlite3*, const char*, int frames) {
    static_cast<Journal*>(journal)->m_walFrames = frames;
    return SQLITE_OK;
}

void Journal::checkpointIfDue() {
    if (!m_db || m_walFrames < kCheckpointFrames)
        return;
    sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    m_walFrames = 0;
}

Journal::Written Journal::setName(std::int64_t attemptId, std::string_view name) {
    if (!m_db)
        return {0, "练习日志没有打开"};
    Statement update(m_db, "UPDATE attempts SET name = ? WHERE id = ?");
    update.bind(1, name).bind(2, attemptId);
    if (update.step() != SQLITE_DONE)
        return failed();
    return {attemptId, std::nullopt};
}

Journal::Written Journal::clearName(std::int64_t attemptId) {
    if (!m_db)
        return {0, "练习日志没有打开"};
    Statement update(m_db, "UPDATE attempts SET name = NULL WHERE id = ?");
    update.bind(1, attemptId);
    if (update.step() != SQLITE_DONE)
        return failed();
    return {attemptId, std::nullopt};
}
