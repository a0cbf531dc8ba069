#pragma once

#include <optional>
#include <string>
#include <string_view>

// A path that holds "/" is this platform's: "/" alone separates its folders,
// and ":" or "\" are ordinary characters of a name. Any other path separates
// folders with ":" or "\" (ParsePath) and "\" (ParseFileName).

// The folder part of a path: up to and including the last separator, or empty.
std::string ParsePath(std::string_view path);

// The base name without its extension. Throws std::invalid_argument for a file
// name without ".".
std::string ParseFileName(std::string_view path);

// The recording of the lesson at `path`: the same folder and base name with
// the extension .wma. None for a file name without ".".
std::optional<std::string> recordingPathFor(std::string_view lessonPath);
