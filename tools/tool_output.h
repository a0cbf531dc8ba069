#pragma once

#include "core/regular_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What the lesson tool's commands share: their messages for a file that cannot
// be read or written, and output that is known to have reached its place.

// Names the problem on standard error; the exit status 2.
int cannotRead(const std::string& what, FileProblem problem);
// Names the error on standard error; the exit status 1.
int cannotWrite(const std::string& what, int error);
// Names the offset of a lesson file's word that does not decode; the exit status 1.
int cannotDecode(std::size_t byteOffset);

// Writes all bytes to standard output and flushes them to a file behind it.
std::optional<int> writeStandardOutput(std::string_view bytes);
