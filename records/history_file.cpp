#include "records/history_file.h"

#include "core/file_descriptor.h"
#include "records/history_place.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Waits a little for another saver to finish (a save takes a few
// milliseconds), never long: a lock held by a stuck program must not freeze
// this one's window. At most kLockTries waits of 10 ms.
bool takeTurn(int fd) {
    using namespace std::chrono_literals;
    constexpr int kLockTries = 8;
    for (int attempt = 0; attempt < kLockTries; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

// The record's bytes at the end of the file, flushed to disk.
std::optional<FileProblem> writeAndFlush(int fd, const std::string& bytes) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0)
        return problemOfError(errno);
    if (written != static_cast<ssize_t>(bytes.size()))
        return FileProblem::DiskFull;
    if (::fsync(fd) != 0 && errno != EINVAL)
        return problemOfError(errno);
    return std::nullopt;
}

} // namespace

std::optional<FileProblem> HistoryFile::AppendScoreRecord(const ScoreRecord& record) {
    const std::string bytes = m_codePage.encodeText(layoutScoreRecord(record));
    if (auto reason = makeFoldersFor(m_path))
        return reason;
    const FileDescriptor file(::open(
        m_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
    if (file.get() < 0)
        return problemOfError(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return problemOfError(errno);
    if (!S_ISREG(info.st_mode))
        return FileProblem::NotARegularFile;
    if (!takeTurn(file.get()))
        return FileProblem::Busy;
    if (::fstat(file.get(), &info) != 0)
        return problemOfError(errno);
    const auto problem = writeAndFlush(file.get(), bytes);
    if (problem && ::ftruncate(file.get(), info.st_size) == 0)
        static_cast<void>(::fsync(file.get()));
    return problem;
}

std::variant<FilePart, FileProblem> HistoryFile::ReadHistoryPart(size_t offset,
                                                                 size_t length) const {
    return readRegularFilePart(m_path, offset, length);
}

bool HistoryFile::DeleteHistoryFile() {
    // Only a history file is removed: never a folder, a pipe or a device.
    struct stat info {};
    if (::stat(m_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return ::unlink(m_path.c_str()) == 0;
}
