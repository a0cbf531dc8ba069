#pragma once

#include <optional>
#include <string>
#include <string_view>

// Writes all bytes to a descriptor; the errno of the failure otherwise.
std::optional<int> writeAll(int fd, std::string_view bytes);

// Writes the bytes into a new temporary file beside `path` (its name is `path`
// followed by "." and six more characters), then renames it over `path`, so
// that `path` is either whole and new or untouched; no other file is
// overwritten. A regular file replaced keeps its permissions. The errno of
// the failure, with the temporary file removed.
std::optional<int> replaceFile(const std::string& path, std::string_view bytes);
