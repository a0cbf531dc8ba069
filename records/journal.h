#pragma once

#include "core/attempt_observer.h"
#include "core/practice_mode.h"
#include "records/mistake_note.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3; // the connection, spoken to only by the journal and its extensions

// One practice attempt as the journal keeps it.
struct JournalAttempt {
    std::string lesson;    // catalogue name (J01A) or the lesson file's absolute path
    std::string title;     // as in the menu, or the file name
    std::string startedAt; // ISO 8601 with the UTC offset
    std::string endedAt;
    AttemptFigures figures;
    bool completed = false; // false for an attempt given up
    PracticeMode mode = PracticeMode::Text;
    Pos shifted = 0; // characters shown wrong that only stood moved by a slip
};

// One slip of an attempt: the lesson's part and what stood in its place
// (either may be empty; a line break is CR LF), with its kind.
struct JournalMistake {
    JournalMistake() : JournalMistake(0, {}, {}) {}
    JournalMistake(Pos at, std::u16string lessonPart, std::u16string typedPart,
                   MistakeNote explained = {}, std::optional<std::u16string> kana = std::nullopt,
                   bool correctedLater = false, int lessonLine = 0)
        : position(at), expected(std::move(lessonPart)), typed(std::move(typedPart)),
          note(std::move(explained)), preedit(std::move(kana)), corrected(correctedLater),
          line(lessonLine) {}

    Pos position = 0; // of the expected part in the lesson
    std::u16string expected;
    std::u16string typed;
    MistakeNote note;                      // empty when nothing explained it
    std::optional<std::u16string> preedit; // the kana the learner typed, when known
    bool corrected = false;                // taken back and typed right later in the attempt
    int line = 0;                          // of the lesson, from 1; 0 when not known
    friend bool operator==(const JournalMistake&, const JournalMistake&) = default;
};

// Writes an attempt's slips; false (with the reason in sqlite3_errmsg) when it failed.
bool insertMistakes(sqlite3* db, std::int64_t attemptId,
                    const std::vector<JournalMistake>& mistakes);

// Tells the kind of a mistake from its two characters alone; the journal asks
// it about the mistakes of a journal written before kinds were kept.
class CharacterMistakes {
  public:
    virtual ~CharacterMistakes() = default;
    virtual MistakeNote explain(char16_t expected, char16_t typed) = 0;
};

// More of an attempt, written by a feature with tables of its own inside the
// attempt's one transaction: the attempt is kept with all of it or not at all.
class AttemptExtension {
  public:
    virtual ~AttemptExtension() = default;
    // False (with the reason in sqlite3_errmsg) rolls the attempt back.
    virtual bool write(sqlite3* db, std::int64_t attemptId, const JournalAttempt& attempt) = 0;
};

// The practice journal: an SQLite database in WAL mode that several running
// programs may write at once. Each attempt is written in one transaction.
// A journal another program keeps locked is waited for only briefly, so that
// the window's thread never stalls: the call reports it busy, and the caller
// keeps what it meant to write and tries again later.
class Journal {
  public:
    static constexpr int kSchemaVersion = 4;
    static constexpr int kBusyTimeoutMs = 50;

    // `older` explains the mistakes of a journal of version 1 as it is brought
    // up to date; without it they stay unexplained.
    explicit Journal(std::string path, CharacterMistakes* older = nullptr)
        : m_path(std::move(path)), m_older(older) {}
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    struct Opening {
        std::optional<std::string> error;
        std::optional<std::string> movedAsideTo; // where a file that was no database went
        bool busy = false;                       // locked by another program: try again later
    };
    // Opens the file, creating its folder, the file and the schema as needed,
    // and brings an older schema up to date (only that takes the write lock).
    // A file that is not a database, or not one this program can use (an
    // impossible version, tables missing), is moved aside (never deleted) and
    // a new journal started.
    Opening open();
    bool isOpen() const { return m_db != nullptr; }

    struct Written {
        std::int64_t id = 0;
        std::optional<std::string> error;
        bool busy = false; // locked by another program: nothing was written, try again later
    };
    Written record(const JournalAttempt& attempt, const std::vector<JournalMistake>& mistakes);
    void setExtension(AttemptExtension* extension) { m_extension = extension; }
    // The learner's name, once the attempt's score is saved to the history.
    Written setName(std::int64_t attemptId, std::string_view name);
    Written clearName(std::int64_t attemptId);
    // How long a call waits for another program's lock; the last writes
    // before the program ends may wait longer, with no window to stall.
    void waitForLocks(int milliseconds);

    // The write-ahead log is copied into the database here, once it has grown
    // past kCheckpointFrames pages, and never inside a commit: the caller
    // runs it when nothing waits, so that an ended attempt never pays for it.
    static constexpr int kCheckpointFrames = 1000;
    void checkpointIfDue();

    const std::string& path() const { return m_path; }
    // For the journal's readers; null while closed.
    sqlite3* database() const { return m_db; }

  private:
    int openConnection();
    void close();
    std::optional<std::string> migrate();
    std::optional<std::string> migrateInTransaction();
    std::optional<std::int64_t> schemaVersion() const;
    bool isUnusable() const;
    std::string lastError() const;
    Written failed() const;
    bool explainOlderMistakes();

    static int walCommitted(void* journal, sqlite3* db, const char* schema, int frames);

    std::string m_path;
    CharacterMistakes* m_older;
    AttemptExtension* m_extension = nullptr;
    sqlite3* m_db = nullptr;
    int m_walFrames = 0; // pages in the write-ahead log after the last commit
    int m_busyTimeoutMs = kBusyTimeoutMs;
};
