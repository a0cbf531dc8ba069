#include "core/regular_file.h"

#include "core/file_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

FileProblem problemOfError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileProblem::Missing;
    case EISDIR:
        return FileProblem::Folder;
    case ENXIO: // a socket, or a pipe nobody reads
    case ENODEV:
        return FileProblem::NotARegularFile;
    case ELOOP:
        return FileProblem::SymlinkLoop;
    case EFBIG:
    case EOVERFLOW:
        return FileProblem::TooLarge;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileProblem::NoPermission;
    case ENOSPC:
    case EDQUOT:
        return FileProblem::DiskFull;
    default:
        return FileProblem::Failed;
    }
}

std::variant<std::string, FileProblem> readToEnd(int fd, size_t limit, size_t expected) {
    std::string bytes;
    bytes.reserve(std::min(expected, limit));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return bytes;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return problemOfError(errno);
        }
        if (bytes.size() + static_cast<size_t>(got) > limit)
            return FileProblem::TooLarge;
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

namespace {

// A path is opened for reading without blocking, so that a pipe or a device
// never stalls the caller.
int openForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

// Why an open descriptor is no regular file to read, if it is not; its
// status comes back in `info`.
std::optional<FileProblem> notRegular(int fd, struct stat& info) {
    if (fd < 0)
        return problemOfError(errno);
    if (::fstat(fd, &info) != 0)
        return problemOfError(errno);
    if (S_ISDIR(info.st_mode))
        return FileProblem::Folder;
    if (!S_ISREG(info.st_mode))
        return FileProblem::NotARegularFile;
    return std::nullopt;
}

} // namespace

std::variant<std::string, FileProblem> readRegularFile(const std::string& path, size_t limit) {
    const FileDescriptor file(openForReading(path));
    struct stat info {};
    if (const auto problem = notRegular(file.get(), info))
        return *problem;
    if (static_cast<unsigned long long>(info.st_size) > limit)
        return FileProblem::TooLarge;
    // The size is checked again while reading: a file may grow, and some
    // regular files (under /proc) report no size at all.
    return readToEnd(file.get(), limit, static_cast<size_t>(info.st_size));
}

std::variant<FilePart, FileProblem> readRegularFilePart(const std::string& path, size_t offset,
                                                        size_t length) {
    const FileDescriptor file(openForReading(path));
    struct stat info {};
    if (const auto problem = notRegular(file.get(), info))
        return *problem;
    FilePart part{{}, static_cast<size_t>(info.st_size)};
    length = std::min(length, offset < part.fileSize ? part.fileSize - offset : 0);
    part.bytes.resize(length);
    size_t got = 0;
    while (got < length) {
        const ssize_t n = ::pread(file.get(), part.bytes.data() + got, length - got,
                                  static_cast<off_t>(offset + got));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return problemOfError(errno);
        }
        got += static_cast<size_t>(n);
    }
    part.bytes.resize(got);
    return part;
}
