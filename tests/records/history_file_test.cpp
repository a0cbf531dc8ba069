#include "records/history_file.h"

#include "core/file_descriptor.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A disk that fails to flush cannot be made on demand, so these tests carry
// their own fsync in front of the C library's: it fails with this error when
// one is set and syncs for real otherwise.
std::atomic<int> g_fsyncError{0};

} // namespace

extern "C" int fsync(int fd) {
    if (const int error = g_fsyncError.load()) {
        errno = error;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace {

ScoreRecord workedExample() {
    return ScoreRecord{u"学员", u"9:05:03", u"9:10:15", u"0:5:12", u"24.615", u"120", u"8", u"128"};
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

class HistoryFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanta-history-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        fs::permissions(m_dir, fs::perms::owner_all);
        fs::remove_all(m_dir);
    }
    fs::path userCey() const { return m_dir / "user.cey"; }
    std::string encoded(std::u16string_view text) { return m_codePage.encodeText(text); }
    // The decoded text, or nothing when the file cannot be read.
    std::optional<std::u16string> textOf(const HistoryFile& history) {
        const auto part = history.ReadHistoryPart(0, SIZE_MAX);
        if (!std::holds_alternative<FilePart>(part))
            return std::nullopt;
        return m_codePage.decodeText(std::get<FilePart>(part).bytes);
    }

    fs::path m_dir;
    CodePage m_codePage;
};

TEST_F(HistoryFileTest, TheWorkedExampleIsWrittenByteForByte) {
    HistoryFile history(userCey().string(), m_codePage);
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    const std::string expected = "\n---**************---\n" + encoded(u"学习者:学员") + "\n" +
                                 encoded(u"开始时刻:9:05:03//完成时刻:9:10:15//练习用时:0:5:12") +
                                 "\n" + encoded(u"打字速度:24.615字每分钟") + "\n" +
                                 encoded(u"正确率:93.75%//错误率:6.25%") + "\n" +
                                 encoded(u"练习字数:128") + "\r\n";
    EXPECT_EQ(readBytes(userCey()), expected);
    EXPECT_EQ(expected.substr(0, 4), "\n---"); // the file starts with an empty line
}

TEST_F(HistoryFileTest, ASecondSaveLeavesTheFirstRecordUntouched) {
    HistoryFile history(userCey().string(), m_codePage);
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    const std::string first = readBytes(userCey());
    ScoreRecord second = workedExample();
    second.learnerName = u"李";
    ASSERT_FALSE(history.AppendScoreRecord(second));
    const std::string both = readBytes(userCey());
    EXPECT_EQ(both.substr(0, first.size()), first);
    EXPECT_EQ(both.substr(first.size() - 5, 8), "128\r\n\n--");
}

TEST(ScoreRecordRates, AreCutToFiveCharactersWithoutRounding) {
    EXPECT_EQ(rateText(2, 3), u"66.66");
    EXPECT_EQ(rateText(1, 3), u"33.33");
    EXPECT_EQ(rateText(1, 7), u"14.28");
    EXPECT_EQ(rateText(1, 8), u"12.5");
    EXPECT_EQ(rateText(3, 3), u"100");
    EXPECT_EQ(rateText(0, 5), u"0");
    EXPECT_EQ(rateText(5, 0), u"0");
}

TEST(ScoreRecordLayout, KeepsUnchangedCaptionsAnEmptyNameAndAZeroTotal) {
    const ScoreRecord untouched{u"", u"未开始", u"H:M:S", u"未用", u"0", u"0", u"0", u"0"};
    EXPECT_EQ(layoutScoreRecord(untouched),
              u"\n---**************---\n学习者:\n开始时刻:未开始//完成时刻:H:M:S//练习用时:未用\n"
              u"打字速度:0字每分钟\n正确率:0%//错误率:0%\n练习字数:0\r\n");
    ScoreRecord noNumber = untouched;
    noNumber.totalCount = u"abc";
    EXPECT_NE(layoutScoreRecord(noNumber).find(u"正确率:0%//错误率:0%"), std::u16string::npos);
}

TEST_F(HistoryFileTest, ANameGbkCannotHoldIsSavedWithQuestionMarks) {
    HistoryFile history(userCey().string(), m_codePage);
    ScoreRecord record = workedExample();
    record.learnerName = u"Ana😀";
    ASSERT_FALSE(history.AppendScoreRecord(record));
    EXPECT_NE(textOf(history)->find(u"学习者:Ana??\n"), std::u16string::npos);
}

TEST_F(HistoryFileTest, ReadingGivesTheTextUnchangedAndDeletingRemovesTheFile) {
    HistoryFile history(userCey().string(), m_codePage);
    EXPECT_FALSE(textOf(history));
    EXPECT_FALSE(history.DeleteHistoryFile());
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    const auto text = textOf(history);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, layoutScoreRecord(workedExample()));
    EXPECT_TRUE(history.DeleteHistoryFile());
    EXPECT_FALSE(fs::exists(userCey()));
    EXPECT_FALSE(textOf(history));
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    EXPECT_EQ(*textOf(history), layoutScoreRecord(workedExample()));
}

TEST_F(HistoryFileTest, BytesThatAreNoGbkShowAsReplacementAndTheRestUnchanged) {
    std::ofstream(userCey(), std::ios::binary) << "ok\x80" << encoded(u"学") << "\xFF\r\n";
    HistoryFile history(userCey().string(), m_codePage);
    EXPECT_EQ(textOf(history), u"ok\uFFFD学\uFFFD\r\n");
}

TEST_F(HistoryFileTest, AFolderThatCannotBeWrittenIsReported) {
    HistoryFile inAFile((userCey() / "user.cey").string(), m_codePage); // parent is no folder
    std::ofstream(userCey()) << "";
    EXPECT_EQ(inAFile.AppendScoreRecord(workedExample()), FileProblem::Missing);
    if (::geteuid() != 0) {
        fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
        HistoryFile readOnly((m_dir / "other.cey").string(), m_codePage);
        EXPECT_EQ(readOnly.AppendScoreRecord(workedExample()), FileProblem::NoPermission);
        EXPECT_FALSE(fs::exists(m_dir / "other.cey"));
    }
}

TEST_F(HistoryFileTest, AHistoryThatIsNoRegularFileIsNeitherWrittenNorWaitedFor) {
    // Devices are reached through links in the test folder, so that nothing
    // outside it can be removed even if deleting went wrong.
    fs::create_directory(m_dir / "folder");
    ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/full", m_dir / "full");
    fs::create_symlink("/dev/null", m_dir / "null");
    const struct {
        const char* name;
        FileProblem problem;
    } cases[] = {
        {"folder", FileProblem::Folder},
        {"pipe", FileProblem::NotARegularFile}, // nobody reads it
        {"full", FileProblem::NotARegularFile},
        {"null", FileProblem::NotARegularFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryFile history((m_dir / c.name).string(), m_codePage);
        EXPECT_EQ(history.AppendScoreRecord(workedExample()), c.problem);
        EXPECT_FALSE(history.DeleteHistoryFile());
        EXPECT_TRUE(fs::exists(fs::symlink_status(m_dir / c.name)));
    }
}

TEST_F(HistoryFileTest, AHistoryLockedByAnotherSaverIsReportedAsBusyAndLeftAlone) {
    HistoryFile history(userCey().string(), m_codePage);
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    const std::string before = readBytes(userCey());
    const FileDescriptor other(::open(userCey().c_str(), O_RDONLY));
    ASSERT_EQ(::flock(other.get(), LOCK_EX), 0);
    EXPECT_EQ(history.AppendScoreRecord(workedExample()), FileProblem::Busy);
    EXPECT_EQ(readBytes(userCey()), before);
}

TEST_F(HistoryFileTest, APartialWriteLeavesNothingOfTheRecord) {
    HistoryFile history(userCey().string(), m_codePage);
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    const std::string before = readBytes(userCey());
    // A file size limit just past the current end makes the next write partial.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = before.size() + 10;
    setrlimit(RLIMIT_FSIZE, &tight);
    const auto error = history.AppendScoreRecord(workedExample());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(error, FileProblem::DiskFull);
    EXPECT_EQ(readBytes(userCey()), before);
}

TEST_F(HistoryFileTest, AWriteThatCannotBeFlushedIsTakenBackSoThatSavingAgainWritesItOnce) {
    HistoryFile history(userCey().string(), m_codePage);
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    const std::string before = readBytes(userCey());
    g_fsyncError = EIO;
    const auto error = history.AppendScoreRecord(workedExample());
    g_fsyncError = 0;
    EXPECT_EQ(error, FileProblem::Failed);
    EXPECT_EQ(readBytes(userCey()), before);
    ASSERT_FALSE(history.AppendScoreRecord(workedExample()));
    EXPECT_EQ(readBytes(userCey()), before + encoded(layoutScoreRecord(workedExample())));
}

TEST_F(HistoryFileTest, ReadingRefusesAFolderAndReadsAnyFileAPartAtATime) {
    fs::create_directory(m_dir / "folder");
    const HistoryFile folder((m_dir / "folder").string(), m_codePage);
    EXPECT_EQ(std::get<FileProblem>(folder.ReadHistoryPart(0, 10)), FileProblem::Folder);
    constexpr size_t kHuge = size_t{5} << 30;
    std::ofstream(userCey()) << "";
    fs::resize_file(userCey(), kHuge); // sparse: takes no disk space
    const HistoryFile large(userCey().string(), m_codePage);
    const auto part = std::get<FilePart>(large.ReadHistoryPart(kHuge - 10, 100));
    EXPECT_EQ(part.bytes, std::string(10, '\0'));
    EXPECT_EQ(part.fileSize, kHuge);
}

TEST_F(HistoryFileTest, TwoProgramsSavingAtOnceKeepEveryRecordWhole) {
    constexpr int kRecords = 200;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            CodePage codePage;
            HistoryFile history(userCey().string(), codePage);
            ScoreRecord record = workedExample();
            // A save that found the other one holding the file longer than a
            // window may wait is refused as busy; the learner saves again.
            for (int i = 0; i < kRecords; ++i) {
                record.learnerName = c == 0 ? u"甲" : u"乙";
                std::optional<FileProblem> problem;
                while ((problem = history.AppendScoreRecord(record)) == FileProblem::Busy) {
                }
                if (problem)
                    ::_exit(1);
            }
            ::_exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HistoryFile history(userCey().string(), m_codePage);
    const std::u16string text = *textOf(history);
    ScoreRecord a = workedExample(), b = workedExample();
    a.learnerName = u"甲";
    b.learnerName = u"乙";
    const std::u16string recordA = layoutScoreRecord(a), recordB = layoutScoreRecord(b);
    size_t countA = 0, countB = 0;
    for (size_t at = 0; at < text.size();) {
        if (text.compare(at, recordA.size(), recordA) == 0)
            ++countA, at += recordA.size();
        else if (text.compare(at, recordB.size(), recordB) == 0)
            ++countB, at += recordB.size();
        else
            FAIL() << "a damaged record at character " << at;
    }
    EXPECT_EQ(countA, static_cast<size_t>(kRecords));
    EXPECT_EQ(countB, static_cast<size_t>(kRecords));
}
