#pragma once

#include <optional>
#include <string>
#include <string_view>

// Files as the program names them: paths may use "\" between folders, which
// this platform spells "/".
class Files {
  public:
    virtual ~Files() = default;
    // The whole file. A missing file in an existing folder reads as empty (and is
    // not created); nothing when the file or its folder cannot be opened.
    virtual std::optional<std::string> readLesson(std::string_view path) const = 0;
    // True only for a regular file at exactly this path.
    virtual bool isRegularFile(std::string_view path) const = 0;
};

class LocalFiles final : public Files {
  public:
    std::optional<std::string> readLesson(std::string_view path) const override;
    bool isRegularFile(std::string_view path) const override;
};

// "\" to "/": the one place where the program's paths become this platform's.
std::string nativePath(std::string_view path);
