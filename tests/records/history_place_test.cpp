#include "records/history_file.h"
#include "records/history_place.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

// The history path as a learner without root rights sees it: root may write
// into any folder, so the question is asked in a child that gives root up.
std::string historyPathWithoutRoot(const std::string& programFolder) {
    if (::geteuid() != 0)
        return historyFilePath(programFolder);
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(1);
        const std::string path = historyFilePath(programFolder);
        const bool written =
            ::write(channel[1], path.data(), path.size()) == static_cast<ssize_t>(path.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(channel[1]);
    std::string path;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        path.append(buffer, static_cast<size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? path : "child failed";
}

class SavedVariable {
  public:
    explicit SavedVariable(const char* name) : m_name(name) {
        if (const char* value = std::getenv(name))
            m_value = value;
    }
    ~SavedVariable() {
        if (m_value)
            ::setenv(m_name, m_value->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_value;
};

} // namespace

class HistoryPlaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanta-place-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_program = m_dir / "program";
        fs::remove_all(m_dir);
        fs::create_directories(m_program);
        fs::permissions(m_dir, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
        ::setenv("HOME", (m_dir / "home").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    }
    void TearDown() override {
        fs::permissions(m_program, fs::perms::owner_all);
        fs::remove_all(m_dir);
    }
    void makeProgramFolderReadOnly() {
        fs::permissions(m_program, fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    }

    SavedVariable m_home{"HOME"}, m_dataHome{"XDG_DATA_HOME"};
    fs::path m_dir;
    fs::path m_program;
};

TEST_F(HistoryPlaceTest, AWritableProgramFolderKeepsTheHistory) {
    EXPECT_EQ(historyFilePath(m_program.string()), (m_program / "user.cey").string());
}

TEST_F(HistoryPlaceTest, AProgramFolderOfTheSystemNeverKeepsTheHistoryEvenForRoot) {
    for (const char* folder : {"/usr/lib", "/usr/local/lib", "/opt", "/usr/lib/../lib"}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(historyFilePath(folder), (m_dir / "data/orvanta/user.cey").string());
    }
}

TEST_F(HistoryPlaceTest, AReadOnlyProgramFolderSendsTheHistoryToTheDataFolder) {
    makeProgramFolderReadOnly();
    EXPECT_EQ(historyPathWithoutRoot(m_program.string()),
              (m_dir / "data/orvanta/user.cey").string());
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(historyPathWithoutRoot(m_program.string()),
              (m_dir / "home/.local/share/orvanta/user.cey").string());
    ::setenv("XDG_DATA_HOME", "relative/data", 1); // not absolute, so ignored
    EXPECT_EQ(historyPathWithoutRoot(m_program.string()),
              (m_dir / "home/.local/share/orvanta/user.cey").string());
}

TEST_F(HistoryPlaceTest, TheFirstSaveMakesThePrivateDataFolderAndTheHistoryWorksThere) {
    makeProgramFolderReadOnly();
    ::unsetenv("XDG_DATA_HOME");
    CodePage codePage;
    HistoryFile history(historyPathWithoutRoot(m_program.string()), codePage);
    EXPECT_FALSE(fs::exists(m_dir / "home"));
    const ScoreRecord record{u"学员",   u"9:05:03", u"9:10:15", u"0:5:12",
                             u"24.615", u"120",     u"8",       u"128"};
    ASSERT_FALSE(history.AppendScoreRecord(record));
    for (const char* folder :
         {"home", "home/.local", "home/.local/share", "home/.local/share/orvanta"})
        EXPECT_EQ(fs::status(m_dir / folder).permissions(), fs::perms::owner_all) << folder;
    EXPECT_EQ(std::get<std::string>(history.ReadHistoryBytes()),
              codePage.encodeText(layoutScoreRecord(record)));
    EXPECT_TRUE(history.DeleteHistoryFile());
    EXPECT_TRUE(fs::is_empty(m_dir / "home/.local/share/orvanta"));
    EXPECT_TRUE(fs::is_empty(m_program));
}

TEST_F(HistoryPlaceTest, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
    const std::string content = "a file where the home folder should be";
    std::ofstream(m_dir / "home") << content;
    CodePage codePage;
    HistoryFile history((m_dir / "home/.local/share/orvanta/user.cey").string(), codePage);
    EXPECT_TRUE(history.AppendScoreRecord(ScoreRecord{}));
    EXPECT_EQ(fs::file_size(m_dir / "home"), content.size());
}
