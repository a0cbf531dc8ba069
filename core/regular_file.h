#pragma once

#include <cstddef>
#include <string>
#include <variant>

// Why a file could not be read or written, in terms a learner can act on.
enum class FileProblem {
    Missing,         // the file (or a folder on its path) does not exist
    Folder,          // the path names a folder
    NotARegularFile, // a pipe, a device or a socket
    SymlinkLoop,     // symbolic links on the path point at each other
    TooLarge,        // larger than the reader accepts
    NoPermission,
    DiskFull,
    Busy,   // another program holds the file and did not let go in time
    Failed, // any other input or output error
};

// The problem an `errno` value stands for.
FileProblem problemOfError(int error);

// The whole content of a regular file of at most `limit` bytes. The file is
// opened without blocking, so that a pipe or a device never stalls the caller,
// and only a regular file is read at all.
std::variant<std::string, FileProblem> readRegularFile(const std::string& path, size_t limit);

// Reads an open descriptor to its end, refusing more than `limit` bytes;
// `expected` is the size it probably has.
std::variant<std::string, FileProblem> readToEnd(int fd, size_t limit, size_t expected = 0);
