#pragma once

#include <string>
#include <string_view>

// Lesson paths use "\" between folders, as the lesson menu hands them over.

// The folder part of a path: up to and including the last ":" or "\", or empty.
std::string ParsePath(std::string_view path);

// The base name without its extension. Throws std::invalid_argument for a file
// name without ".".
std::string ParseFileName(std::string_view path);
