#include "core/local_files.h"

#include "core/regular_file.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

std::string nativePath(std::string_view path) {
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::optional<std::string> LocalFiles::readLesson(std::string_view path) const {
    auto read = readRegularFile(std::string(path), kLessonFileLimit);
    if (auto* bytes = std::get_if<std::string>(&read))
        return std::move(*bytes);
    if (std::get<FileProblem>(read) != FileProblem::Missing)
        return std::nullopt;
    std::error_code ec;
    const fs::path file(path);
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    return fs::is_directory(folder, ec) ? std::optional<std::string>("") : std::nullopt;
}

bool LocalFiles::isRegularFile(std::string_view path) const {
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

bool LocalFiles::isSameFile(std::string_view path, std::string_view other) const {
    std::error_code ec;
    return fs::equivalent(fs::path(path), fs::path(other), ec) && !ec;
}
