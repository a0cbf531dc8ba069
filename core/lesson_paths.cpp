#include "core/lesson_paths.h"

#include <stdexcept>

namespace {

bool isNative(std::string_view path) {
    return path.find('/') != std::string_view::npos;
}

} // namespace

std::string ParsePath(std::string_view path) {
    const size_t cut = path.find_last_of(isNative(path) ? "/" : ":\\");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string ParseFileName(std::string_view path) {
    const size_t slash = path.find_last_of(isNative(path) ? '/' : '\\');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        throw std::invalid_argument("file name without an extension");
    return std::string(name.substr(0, dot));
}

std::optional<std::string> recordingPathFor(std::string_view lessonPath) {
    try {
        return ParsePath(lessonPath) + ParseFileName(lessonPath) + ".wma";
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}
