#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The largest lesson file read, in bytes: twice the longest course text
// (32,000 characters, 64 KB), and small enough that a keystroke stays well
// under 50 ms even when the whole lesson is one line (bench/ui_bench).
inline constexpr size_t kLessonFileLimit = 128 * 1024;

// Files at this platform's paths, used exactly as given.
class Files {
  public:
    virtual ~Files() = default;
    // The whole file. A missing file in an existing folder reads as empty (and is
    // not created); nothing when the file or its folder cannot be opened, when
    // it is no regular file, or when it is larger than `kLessonFileLimit`.
    virtual std::optional<std::string> readLesson(std::string_view path) const = 0;
    // True only for a regular file at exactly this path.
    virtual bool isRegularFile(std::string_view path) const = 0;
    // True when both paths lead to one existing file.
    virtual bool isSameFile(std::string_view path, std::string_view other) const = 0;
};

class LocalFiles final : public Files {
  public:
    std::optional<std::string> readLesson(std::string_view path) const override;
    bool isRegularFile(std::string_view path) const override;
    bool isSameFile(std::string_view path, std::string_view other) const override;
};

// The program's own paths (the lesson menu's, the help file's) spell folders
// with "\"; this platform spells them "/".
std::string nativePath(std::string_view path);
