// The class folder with real files: publishing a learner's journal into it,
// the report read back, and what a shared folder does to a writer: read-only,
// full, vanishing, a writer killed half-way, forty writers at once, and files
// that are garbage or of a newer program.
#include "classroom/class_publisher.h"
#include "classroom/class_report.h"
#include "classroom/report_output.h"
#include "core/regular_file.h"
#include "records/journal.h"
#include "tests/records/journal_fixture.h"

#include <condition_variable>
#include <csignal>
#include <fstream>
#include <functional>
#include <mutex>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class ClassFolderTest : public JournalFixture {
  protected:
    void SetUp() override {
        JournalFixture::SetUp();
        m_class = (m_dir / "class").string();
        fs::create_directories(m_class);
        Journal journal(journalPath());
        ASSERT_FALSE(journal.open().error);
        for (const auto& [lesson, day, speed] :
             {std::tuple{"J01A", "2026-03-02T10:00:00+08:00", 30.0},
              std::tuple{"J01A", "2026-03-03T10:00:00+08:00", 42.5},
              std::tuple{"J02B", "2026-03-03T11:00:00+08:00", 25.0}})
            ASSERT_FALSE(journal.record(attempt(lesson, day, speed, 30, 40), {}).error);
    }

    std::optional<FileProblem> publish(const std::string& learner, const std::string& id = "1") {
        return publishProgress(journalPath(), m_class, learner, progressFileName(learner, id));
    }
    std::string progressFile(const std::string& learner, const std::string& id = "1") const {
        return progressFolder(m_class) + "/" + progressFileName(learner, id);
    }
    ClassReport report() const { return readClassReport(m_class, "2026-03-04"); }
    void write(const std::string& name, const std::string& bytes) const {
        fs::create_directories(progressFolder(m_class));
        std::ofstream(progressFolder(m_class) + "/" + name, std::ios::binary) << bytes;
    }

    // Runs `body` in a child process; its exit status, or -1 when it had to be
    // killed after `limit`.
    static int inChild(const std::function<int()>& body, std::chrono::seconds limit = 30s) {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(body());
        return waitBounded(child, limit);
    }
    static int waitBounded(pid_t child, std::chrono::seconds limit) {
        int status = 0;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (::waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > end) {
                ::kill(child, SIGKILL);
                ::waitpid(child, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(5ms);
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string m_class;
};

TEST_F(ClassFolderTest, APublishedJournalShowsInTheReportByLearnerAndLesson) {
    ASSERT_FALSE(publish("王明"));
    const ClassReport r = report();
    EXPECT_TRUE(r.unread.empty());
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].learner, "王明");
    EXPECT_EQ(r.rows[0].lesson, "J01A");
    EXPECT_EQ(r.rows[0].attempts, 2);
    EXPECT_EQ(r.rows[0].lastSpeed, 42.5);
    EXPECT_EQ(r.rows[0].lastPractised, "2026-03-03");
    ASSERT_EQ(r.learners.size(), 1u);
    EXPECT_EQ(r.learners[0].daysInLast7, 2);
    EXPECT_EQ(r.learners[0].streak, 2);
    EXPECT_EQ(r.learners[0].seconds, 180);
    EXPECT_EQ(r.reach.front().lesson, "J01A");
    EXPECT_EQ(r.reach.front().completedBy, 1);
}

TEST_F(ClassFolderTest, TheCsvOpensRightInASpreadsheet) {
    ASSERT_FALSE(publish("=王明, \"小\""));
    const std::string csv = reportCsv(report());
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(csv.substr(3, csv.find("\r\n") - 3), kReportCsvHeader);
    EXPECT_NE(csv.find("\"'=王明, \"\"小\"\"\",J01A,2,42.5,42.5,100.0,2026-03-03,0\r\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(csv.find('%'), std::string::npos);
}

TEST_F(ClassFolderTest, FilesThatAreNoLearnersProgressAreNamedAndTheRestStillShow) {
    ASSERT_FALSE(publish("王明"));
    const std::string whole = std::get<std::string>(readRegularFile(progressFile("王明"), 1 << 20));
    write("garbage.progress", "\x89PNG\r\n\x1a\n not a progress file");
    write("newer.progress", "orvanta-class-progress\t9\nlearner\t未来\nend\t1\n");
    write("half.progress", whole.substr(0, whole.size() / 2));
    write("cut.progress", whole.substr(0, whole.rfind("end\t")));
    write("empty.progress", "");
    write("notes.txt", "not a learner's file and not named");
    const ClassReport r = report();
    std::vector<std::string> named;
    for (const UnreadFile& file : r.unread)
        named.push_back(file.file);
    EXPECT_EQ(named, (std::vector<std::string>{"cut.progress", "empty.progress", "garbage.progress",
                                               "half.progress", "newer.progress"}));
    EXPECT_NE(r.unread.back().reason.find("较新"), std::string::npos);
    EXPECT_EQ(r.rows.size(), 2u);
}

TEST_F(ClassFolderTest, ALearnerPractisingOnTwoComputersIsOneLearner) {
    ASSERT_FALSE(publish("王明", "1"));
    ASSERT_FALSE(publish("王明", "2"));
    const ClassReport r = report();
    ASSERT_EQ(r.learners.size(), 1u);
    EXPECT_EQ(r.rows[0].attempts, 4);
    EXPECT_EQ(r.learners[0].seconds, 360);
}

TEST_F(ClassFolderTest, AReadOnlyFolderKeepsTheFileThatWasThere) {
    ASSERT_FALSE(publish("王明"));
    const auto before = readRegularFile(progressFile("王明"), 1 << 20);
    fs::permissions(progressFolder(m_class), fs::perms::owner_read | fs::perms::owner_exec |
                                                 fs::perms::others_read | fs::perms::others_exec);
    for (const auto& entry : fs::recursive_directory_iterator(m_dir / "orvanta"))
        fs::permissions(entry.path(), fs::perms::all);
    fs::permissions(m_dir / "orvanta", fs::perms::all);
    fs::permissions(m_dir, fs::perms::all);
    // Root writes anywhere: the writer runs as nobody, as a learner's program would.
    const int status = inChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            return 3;
        return publish("王明") == FileProblem::NoPermission ? 0 : 1;
    });
    fs::permissions(progressFolder(m_class), fs::perms::owner_all);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readRegularFile(progressFile("王明"), 1 << 20), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(progressFolder(m_class)), {}), 1);
}

TEST_F(ClassFolderTest, AFullDiskKeepsTheFileThatWasThereAndLeavesNoScraps) {
    ASSERT_FALSE(publish("王明"));
    const auto before = readRegularFile(progressFile("王明"), 1 << 20);
    const int status = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tiny{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        return publish("王明") ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readRegularFile(progressFile("王明"), 1 << 20), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(progressFolder(m_class)), {}), 1);
}

TEST_F(ClassFolderTest, AFolderThatIsGoneIsNotMadeAgainOnTheLocalDisk) {
    fs::remove_all(m_class);
    EXPECT_EQ(publish("王明"), FileProblem::Missing);
    EXPECT_FALSE(fs::exists(m_class));
}

TEST_F(ClassFolderTest, TheFolderVanishingWhileWritersWorkLeavesThemStanding) {
    const int writers = 4;
    std::vector<pid_t> children;
    for (int n = 0; n < writers; ++n) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0; i < 200; ++i)
                publish("学生" + std::to_string(n), std::to_string(n));
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (int i = 0; i < 20; ++i) {
        std::error_code ignored;
        fs::remove_all(m_class, ignored);
        fs::create_directories(m_class, ignored);
    }
    for (pid_t child : children)
        EXPECT_EQ(waitBounded(child, 60s), 0);
    EXPECT_TRUE(report().unread.empty());
}

TEST_F(ClassFolderTest, AWriterKilledMidPublishLeavesTheLastWholeFile) {
    ASSERT_FALSE(publish("王明"));
    for (int round = 0; round < 5; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;)
                publish("王明");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 13 * round));
        ::kill(child, SIGKILL);
        EXPECT_EQ(waitBounded(child, 10s), 128 + SIGKILL);
        const ClassReport r = report();
        EXPECT_TRUE(r.unread.empty());
        EXPECT_EQ(r.learners.size(), 1u);
    }
}

TEST_F(ClassFolderTest, FortyLearnersPublishingAtOnceAllShowWhole) {
    constexpr int kLearners = 40;
    std::vector<pid_t> children;
    for (int n = 0; n < kLearners; ++n) {
        const pid_t child = ::fork();
        if (child == 0) {
            int failures = 0;
            for (int i = 0; i < 5; ++i)
                failures += publish("学生" + std::to_string(n), std::to_string(n)).has_value();
            ::_exit(failures);
        }
        children.push_back(child);
    }
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(report().unread.empty());
    for (pid_t child : children)
        EXPECT_EQ(waitBounded(child, 60s), 0);
    const ClassReport r = report();
    EXPECT_TRUE(r.unread.empty());
    EXPECT_EQ(r.learners.size(), static_cast<size_t>(kLearners));
    EXPECT_EQ(std::distance(fs::directory_iterator(progressFolder(m_class)), {}), kLearners);
}

// What the publisher's thread tells, waited for with a bound.
struct Told {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<ClassPublisher::Outcome> outcomes;

    void add(const ClassPublisher::Outcome& outcome) {
        const std::lock_guard lock(mutex);
        outcomes.push_back(outcome);
        changed.notify_all();
    }
    bool waitFor(const std::function<bool(const std::vector<ClassPublisher::Outcome>&)>& done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 20s, [&] { return done(outcomes); });
    }
};

TEST_F(ClassFolderTest, ThePublisherWaitsForAnAbsentFolderAndPublishesOnceItIsBack) {
    fs::remove_all(m_class);
    Told told;
    ClassPublisher publisher(
        journalPath(), m_class, "王明", progressFileName("王明", "1"),
        [&](const ClassPublisher::Outcome& o) { told.add(o); }, 20ms);
    publisher.publishSoon();
    publisher.publishSoon();
    ASSERT_TRUE(told.waitFor([](const auto& o) { return o.size() >= 2; }));
    EXPECT_EQ(told.outcomes[0].problem, FileProblem::Missing);
    fs::create_directories(m_class);
    ASSERT_TRUE(told.waitFor([](const auto& o) { return !o.back().problem; }));
    std::this_thread::sleep_for(100ms); // nothing more is published without a new request
    {
        const std::lock_guard lock(told.mutex);
        EXPECT_FALSE(told.outcomes.back().problem);
        EXPECT_EQ(std::count_if(told.outcomes.begin(), told.outcomes.end(),
                                [](const auto& o) { return !o.problem; }),
                  1);
    }
    EXPECT_EQ(report().rows.size(), 2u);
}

} // namespace
