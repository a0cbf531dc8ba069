#include "core/local_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string nativePath(std::string_view path) {
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::optional<std::string> LocalFiles::readLesson(std::string_view path) const {
    const fs::path file(nativePath(path));
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code ec;
        const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
        const bool missingInExistingFolder = !fs::exists(file, ec) && fs::is_directory(folder, ec);
        return missingInExistingFolder ? std::optional<std::string>("") : std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool LocalFiles::isRegularFile(std::string_view path) const {
    std::error_code ec;
    return fs::is_regular_file(fs::path(nativePath(path)), ec);
}
