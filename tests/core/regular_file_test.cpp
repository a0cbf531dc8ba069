#include "core/regular_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

// Each kind of thing a path can name, read with a limit of 8 bytes.
class RegularFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("orvanta-read-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "folder.ORV");
        write("eight", "12345678");
        write("nine", "123456789");
        write("empty", "");
        ASSERT_EQ(::mkfifo(path("fifo.ORV").c_str(), 0600), 0);
        fs::create_symlink(m_dir / "eight", m_dir / "link");
        fs::create_symlink(m_dir / "folder.ORV", m_dir / "folder-link");
        fs::create_symlink(m_dir / "loop.ORV", m_dir / "loop.ORV");
        makeSocket();
    }
    void TearDown() override {
        if (m_socket >= 0)
            ::close(m_socket);
        fs::remove_all(m_dir);
    }
    std::string path(const char* name) const { return (m_dir / name).string(); }
    void write(const char* name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }
    void makeSocket() {
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string at = path("socket.ORV");
        ASSERT_LT(at.size(), sizeof address.sun_path);
        at.copy(address.sun_path, at.size());
        ASSERT_EQ(::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }

    fs::path m_dir;
    int m_socket = -1;
};

TEST_F(RegularFileTest, ReadsOnlyRegularFilesUpToTheLimitAndNamesEveryOtherCase) {
    using Result = std::variant<std::string, FileProblem>;
    const struct {
        std::string path;
        Result expected;
    } cases[] = {
        {path("eight"), std::string("12345678")},
        {path("empty"), std::string()},
        {path("link"), std::string("12345678")},
        {path("nine"), FileProblem::TooLarge},
        {path("missing"), FileProblem::Missing},
        {path("nofolder/a.ORV"), FileProblem::Missing},
        {path("eight/a.ORV"), FileProblem::Missing}, // a file where a folder should be
        {path("folder.ORV"), FileProblem::Folder},
        {path("folder-link"), FileProblem::Folder},
        {path("loop.ORV"), FileProblem::SymlinkLoop},
        {path("fifo.ORV"), FileProblem::NotARegularFile}, // returns at once, nobody writes
        {path("socket.ORV"), FileProblem::NotARegularFile},
        {"/dev/zero", FileProblem::NotARegularFile},
        {"/dev/null", FileProblem::NotARegularFile},
        {"/proc/self/maps", FileProblem::TooLarge}, // claims size 0, holds more
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(readRegularFile(c.path, 8), c.expected);
    }
}

TEST_F(RegularFileTest, AFileThatMayNotBeReadIsNamedSo) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    fs::permissions(m_dir / "eight", fs::perms::none);
    EXPECT_EQ(readRegularFile(path("eight"), 8),
              (std::variant<std::string, FileProblem>(FileProblem::NoPermission)));
}
