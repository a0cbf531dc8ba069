#include "tools/tool_output.h"

#include "core/atomic_write.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace {

const char* explain(FileProblem problem) {
    switch (problem) {
    case FileProblem::Missing:
        return "no such file";
    case FileProblem::Folder:
        return "it is a folder";
    case FileProblem::NotARegularFile:
        return "it is not a regular file";
    case FileProblem::SymlinkLoop:
        return "symbolic links on its path form a loop";
    case FileProblem::TooLarge:
        return "it is larger than Orvanta reads";
    case FileProblem::NoPermission:
        return "permission denied";
    case FileProblem::DiskFull:
        return "the disk is full";
    case FileProblem::Busy:
        return "another program is using it";
    case FileProblem::Failed:
        break;
    }
    return "input/output error";
}

} // namespace

int cannotRead(const std::string& what, FileProblem problem) {
    std::cerr << "orvanta-lesson: cannot read " << what << ": " << explain(problem) << "\n";
    return 2;
}

int cannotWrite(const std::string& what, int error) {
    std::cerr << "orvanta-lesson: cannot write " << what << ": " << std::strerror(error) << "\n";
    return 1;
}

int cannotDecode(std::size_t byteOffset) {
    std::cerr << "orvanta-lesson: the word at byte offset " << byteOffset << " does not decode\n";
    return 1;
}

std::optional<int> writeStandardOutput(std::string_view bytes) {
    if (const auto error = writeAll(STDOUT_FILENO, bytes))
        return error;
    // A pipe or a terminal cannot sync; a full disk behind a redirection can fail here.
    if (::fsync(STDOUT_FILENO) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        return errno;
    return std::nullopt;
}
