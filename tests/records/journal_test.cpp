#include "core/utf8.h"
#include "records/journal.h"
#include "tests/records/journal_fixture.h"

#include <fcntl.h>
#include <fstream>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const JournalAttempt kAttempt{"J01A",
                              "第一课 基本课文",
                              "2026-03-02T09:05:03+08:00",
                              "2026-03-02T09:10:15+08:00",
                              {312, 128, 120, 8, 24.615},
                              true};

// Runs `scenario` in a child process with a private mount table, so that it
// can mount small or read-only file systems. 77 means the system allows no
// private mounts; other non-zero codes are failures the child printed.
int inPrivateMounts(const std::function<int()>& scenario) {
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t uid = ::geteuid();
        if (uid != 0 && ::unshare(CLONE_NEWUSER) == 0) {
            std::ofstream("/proc/self/setgroups") << "deny";
            std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        }
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(77);
        ::_exit(scenario());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#define CHILD_CHECK(condition)                                                                     \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "failed: %s (line %d)\n", #condition, __LINE__);                  \
            return 1;                                                                              \
        }                                                                                          \
    } while (0)

} // namespace

class JournalTest : public JournalFixture {};

TEST_F(JournalTest, WritesAnAttemptAndItsMistakesAndReadsThemBack) {
    Journal journal(journalPath());
    ASSERT_FALSE(journal.open().error);
    const Journal::Written written =
        journal.record(kAttempt, {{0, u"辞", u"持"}, {5, u"は", u"わ"}, {5, u"は", u"は"}});
    ASSERT_FALSE(written.error);
    EXPECT_EQ(rows("SELECT * FROM attempts"),
              std::to_string(written.id) +
                  "|J01A|第一课 基本课文|2026-03-02T09:05:03+08:00|2026-03-02T09:10:15+08:00"
                  "|312|128|120|8|24.615|1|NULL|text|0");
    EXPECT_EQ(rows("SELECT attempt_id, position, expected, typed FROM mistakes ORDER BY rowid"),
              std::to_string(written.id) + "|0|辞|持\n" + std::to_string(written.id) +
                  "|5|は|わ\n" + std::to_string(written.id) + "|5|は|は");
    ASSERT_FALSE(journal.setName(written.id, "学员").error);
    EXPECT_EQ(scalar("SELECT name FROM attempts"), "学员");
}

TEST_F(JournalTest, NewJournalHasSchemaVersionFourInWalMode) {
    Journal journal(journalPath());
    ASSERT_FALSE(journal.open().error);
    EXPECT_EQ(scalar("PRAGMA user_version"), "4");
    EXPECT_EQ(scalar("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
              "attempts\ncard_backfill\ncards\nmistakes\nreviews\nslip_rejudge");
    EXPECT_EQ(rows("SELECT name FROM pragma_table_info('attempts')"),
              "id\nlesson\ntitle\nstarted_at\nended_at\nelapsed_s\ntotal\nright\nwrong\nspeed\n"
              "completed\nname\nmode\nshifted");
    EXPECT_EQ(rows("SELECT name FROM pragma_table_info('mistakes')"),
              "attempt_id\nposition\nexpected\ntyped\nkind\ndetail\npreedit\ncorrected\nline");
}

TEST_F(JournalTest, MistakesKeepTheirKindTheKanaTypedAndWhetherTheyWereCorrected) {
    Journal journal(journalPath());
    ASSERT_FALSE(journal.open().error);
    JournalAttempt recall = kAttempt;
    recall.mode = PracticeMode::Recall;
    ASSERT_FALSE(journal.record(kAttempt, {}).error);
    ASSERT_FALSE(journal
                     .record(recall, {{0, u"今", u"こ", {"写成假名", ""}, u"こんばんは", true},
                                      {4, u"、", u"は", {"写成假名", "错位"}, std::nullopt, false}})
                     .error);
    EXPECT_EQ(rows("SELECT mode FROM attempts ORDER BY id"), "text\nrecall");
    EXPECT_EQ(
        rows("SELECT position, kind, detail, preedit, corrected FROM mistakes ORDER BY rowid"),
        "0|写成假名|NULL|こんばんは|1\n4|写成假名|错位|NULL|0");
}

namespace {

// Names every mistake after its two characters.
class PairNames final : public CharacterMistakes {
  public:
    MistakeNote explain(char16_t expected, char16_t typed) override {
        ++asked;
        return {toUtf8(std::u16string{expected, typed}), ""};
    }
    int asked = 0;
};

} // namespace

TEST_F(JournalTest, VersionOneJournalIsUpgradedInPlaceAndItsMistakesExplained) {
    fs::create_directories(fs::path(journalPath()).parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(journalPath().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           R"(CREATE TABLE attempts (id INTEGER PRIMARY KEY, lesson TEXT NOT NULL,
                   title TEXT, started_at TEXT NOT NULL, ended_at TEXT NOT NULL,
                   elapsed_s INTEGER NOT NULL, total INTEGER NOT NULL, "right" INTEGER NOT NULL,
                   wrong INTEGER NOT NULL, speed REAL NOT NULL, completed INTEGER NOT NULL,
                   name TEXT);
               CREATE TABLE mistakes (attempt_id INTEGER NOT NULL REFERENCES attempts(id)
                   ON DELETE CASCADE, position INTEGER NOT NULL, expected TEXT NOT NULL,
                   typed TEXT NOT NULL);
               INSERT INTO attempts VALUES (1, 'J01A', 't', 'a', 'b', 1, 2, 1, 1, 3.0, 1, NULL);
               INSERT INTO mistakes VALUES (1, 0, '辞', '持'), (1, 5, '辞', '持'), (1, 7, '図', '图');
               PRAGMA user_version = 1;)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    PairNames names;
    Journal journal(journalPath(), &names);
    ASSERT_FALSE(journal.open().error);
    EXPECT_EQ(scalar("PRAGMA user_version"), "4");
    EXPECT_EQ(
        rows("SELECT position, kind, detail, preedit, corrected FROM mistakes ORDER BY rowid"),
        "0|辞持|NULL|NULL|NULL\n5|辞持|NULL|NULL|NULL\n7|図图|NULL|NULL|NULL");
    EXPECT_EQ(names.asked, 2) << "each pair is explained once";
    EXPECT_EQ(rows("SELECT lesson, mode FROM attempts"), "J01A|text");
}

TEST_F(JournalTest, ReopeningKeepsWhatWasWrittenAndDeletingAnAttemptTakesItsMistakes) {
    {
        Journal journal(journalPath());
        ASSERT_FALSE(journal.open().error);
        ASSERT_FALSE(journal.record(kAttempt, {{0, u"辞", u"持"}}).error);
    }
    Journal again(journalPath());
    ASSERT_FALSE(again.open().error);
    ASSERT_FALSE(again.record(kAttempt, {}).error);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM attempts"), "2");
    ASSERT_EQ(sqlite3_exec(again.database(), "DELETE FROM attempts WHERE id = 1", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM mistakes"), "0");
}

// The database file's own header says how many pages it holds; in WAL mode
// only a checkpoint changes it.
std::uint32_t pagesInDatabaseFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char size[4] = {};
    in.seekg(28);
    in.read(reinterpret_cast<char*>(size), 4);
    return std::uint32_t{size[0]} << 24 | std::uint32_t{size[1]} << 16 |
           std::uint32_t{size[2]} << 8 | size[3];
}

TEST_F(JournalTest, CommitsLeaveTheLogToTheCheckpointThatComesWhenDue) {
    Journal journal(journalPath());
    ASSERT_FALSE(journal.open().error);
    std::vector<JournalMistake> mistakes;
    for (int i = 0; i < 200; ++i)
        mistakes.push_back({i, std::u16string(1, static_cast<char16_t>(u'一' + i * 37)), u"x"});
    ASSERT_FALSE(journal.record(kAttempt, mistakes).error);
    journal.checkpointIfDue();
    const std::uint32_t schemaOnly = pagesInDatabaseFile(journalPath());
    EXPECT_LT(schemaOnly, 10u) << "one attempt is not due yet";
    for (int i = 0; i < 40; ++i)
        ASSERT_FALSE(journal.record(kAttempt, mistakes).error);
    EXPECT_EQ(pagesInDatabaseFile(journalPath()), schemaOnly) << "no commit checkpoints";
    journal.checkpointIfDue();
    EXPECT_GT(pagesInDatabaseFile(journalPath()), schemaOnly + 50);
    ASSERT_FALSE(journal.record(kAttempt, {}).error);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM attempts"), "42");
}

TEST_F(JournalTest, NewerSchemaIsLeftUntouchedAndNotWritten) {
    fs::create_directories(fs::path(journalPath()).parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(journalPath().c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE future(x); PRAGMA user_version = 7;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    Journal journal(journalPath());
    const Journal::Opening opening = journal.open();
    ASSERT_TRUE(opening.error);
    EXPECT_NE(opening.error->find("更新版本"), std::string::npos) << *opening.error;
    EXPECT_FALSE(opening.movedAsideTo);
    EXPECT_FALSE(journal.isOpen());
    EXPECT_TRUE(journal.record(kAttempt, {}).error);
    EXPECT_EQ(scalar("PRAGMA user_version"), "7");
    EXPECT_EQ(rows("SELECT name FROM sqlite_master"), "future");
}

TEST_F(JournalTest, FileOfGarbageIsMovedAsideAndANewJournalStarted) {
    fs::create_directories(fs::path(journalPath()).parent_path());
    const std::string garbage(10000, 'x');
    std::ofstream(journalPath(), std::ios::binary) << garbage;
    Journal journal(journalPath());
    const Journal::Opening opening = journal.open();
    ASSERT_FALSE(opening.error) << *opening.error;
    ASSERT_TRUE(opening.movedAsideTo);
    const std::string name = fs::path(*opening.movedAsideTo).filename().string();
    EXPECT_TRUE(name.starts_with("journal.sqlite3.broken-")) << name;
    EXPECT_EQ(name.size(), std::string("journal.sqlite3.broken-20260302-090503").size()) << name;
    std::ifstream moved(*opening.movedAsideTo, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(moved), {}), garbage);
    ASSERT_FALSE(journal.record(kAttempt, {}).error);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM attempts"), "1");
}

TEST_F(JournalTest, TwoProcessesWritingAtOnceLoseNoAttempt) {
    constexpr int kEach = 200;
    Journal(journalPath()).open();
    std::vector<pid_t> writers;
    for (const char* lesson : {"J01A", "J02B"}) {
        const pid_t child = ::fork();
        if (child == 0) {
            Journal journal(journalPath());
            int failures = journal.open().error ? 1 : 0;
            // The other's commit may outlast the short wait: then, as the
            // program does, the same attempt is tried again.
            for (int i = 0; i < kEach; ++i) {
                Journal::Written written;
                do
                    written = journal.record(attempt(lesson, "2026-03-02T09:00:00+08:00"),
                                             {{i, u"辞", u"持"}});
                while (written.busy);
                failures += written.error.has_value();
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        writers.push_back(child);
    }
    for (pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(rows("SELECT lesson, COUNT(*) FROM attempts GROUP BY lesson ORDER BY lesson"),
              "J01A|200\nJ02B|200");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM mistakes"), "400");
}

TEST_F(JournalTest, ReadOnlyFolderGivesAReasonAndNoJournal) {
    const std::string path = journalPath();
    const int result = inPrivateMounts([&] {
        CHILD_CHECK(::mount("tmpfs", m_dir.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0);
        Journal journal(path);
        const Journal::Opening opening = journal.open();
        CHILD_CHECK(opening.error && !opening.error->empty());
        CHILD_CHECK(!journal.isOpen());
        CHILD_CHECK(journal.record(kAttempt, {}).error);
        return 0;
    });
    if (result == 77)
        GTEST_SKIP() << "no private mounts on this system";
    EXPECT_EQ(result, 0);
}

TEST_F(JournalTest, FullDiskFailsTheAttemptAndKeepsTheOnesBefore) {
    const std::string path = journalPath();
    const fs::path dir = m_dir;
    const int result = inPrivateMounts([&] {
        CHILD_CHECK(::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=4m") == 0);
        std::vector<JournalMistake> mistakes;
        for (int i = 0; i < 200; ++i)
            mistakes.push_back({i, u"辞", u"持"});
        int written = 0;
        {
            Journal journal(path);
            CHILD_CHECK(!journal.open().error);
            const int filler = ::open((dir / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string block(4096, 'f');
            while (::write(filler, block.data(), block.size()) > 0) {
            }
            ::close(filler);
            // What the journal had set aside fills up; then an attempt fails whole.
            std::optional<std::string> error;
            for (; written < 10000 && !error; ++written)
                error = journal.record(kAttempt, mistakes).error;
            CHILD_CHECK(error);
            --written;
            fs::remove(dir / "filler");
            CHILD_CHECK(!journal.record(kAttempt, mistakes).error);
        }
        Journal reopened(path);
        CHILD_CHECK(!reopened.open().error);
        sqlite3_stmt* count = nullptr;
        sqlite3_prepare_v2(reopened.database(),
                           "SELECT COUNT(*), (SELECT COUNT(*) FROM mistakes) FROM attempts", -1,
                           &count, nullptr);
        CHILD_CHECK(sqlite3_step(count) == SQLITE_ROW);
        const int attempts = sqlite3_column_int(count, 0);
        const int mistakeRows = sqlite3_column_int(count, 1);
        sqlite3_finalize(count);
        CHILD_CHECK(attempts == written + 1);
        CHILD_CHECK(mistakeRows == attempts * 200);
        return 0;
    });
    if (result == 77)
        GTEST_SKIP() << "no private mounts on this system";
    EXPECT_EQ(result, 0);
}

// A journal that says one version but is not made as that version is, or says
// a version no program writes, cannot be used: it is moved aside like any
// other damaged journal, and a new one started.
class UnusableJournalTest : public JournalFixture,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(UnusableJournalTest, IsMovedAsideAndANewJournalStarted) {
    ASSERT_FALSE(Journal(journalPath()).open().error);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(journalPath().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, GetParam(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    Journal journal(journalPath());
    const Journal::Opening opening = journal.open();
    ASSERT_FALSE(opening.error) << *opening.error;
    ASSERT_TRUE(opening.movedAsideTo);
    EXPECT_TRUE(fs::exists(*opening.movedAsideTo));
    ASSERT_FALSE(journal.record(kAttempt, {}).error);
    EXPECT_EQ(scalar("PRAGMA user_version"), std::to_string(Journal::kSchemaVersion));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, UnusableJournalTest,
    ::testing::Values("DROP TABLE card_backfill", "DROP TABLE attempts",
                      "DROP INDEX mistakes_by_position; DROP INDEX mistakes_by_pair;"
                      " ALTER TABLE mistakes DROP COLUMN kind",
                      "PRAGMA user_version = -1", "PRAGMA user_version = -2147483648"));
