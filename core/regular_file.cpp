#include "core/regular_file.h"

#include "core/file_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
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

std::variant<std::string, FileProblem> readRegularFile(const std::string& path, size_t limit) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return problemOfError(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return problemOfError(errno);
    if (S_ISDIR(info.st_mode))
        return FileProblem::Folder;
    if (!S_ISREG(info.st_mode))
        return FileProblem::NotARegularFile;
    if (static_cast<unsigned long long>(info.st_size) > limit)
        return FileProblem::TooLarge;
    // The size is checked again while reading: a file may grow, and some
    // regular files (under /proc) report no size at all.
    return readToEnd(file.get(), limit, static_cast<size_t>(info.st_size));
}
