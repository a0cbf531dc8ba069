#include "core/loaded_lesson.h"

#include "core/lesson_catalogue.h"
#include "core/own_lessons.h"
#include "core/utf8.h"

namespace {

std::string_view fileName(std::string_view path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

constexpr std::string_view kExtension = ".ORV";

// The catalogue lesson whose menu item loads this very file: its path as the
// menu hands it over, or another path to the same file (打开, the command line).
std::optional<LessonEntry> catalogueEntryOf(std::string_view path, const Files& files) {
    std::string_view name = fileName(path);
    if (!name.ends_with(kExtension))
        return std::nullopt;
    name.remove_suffix(kExtension.size());
    const auto entry = catalogueEntry(name);
    if (!entry)
        return std::nullopt;
    const std::string menuPath = nativePath(entry->path);
    if (path == menuPath || path == entry->path || files.isSameFile(path, menuPath))
        return entry;
    return std::nullopt;
}

} // namespace

LoadedLesson namedLesson(std::string_view path, const Files& files,
                         const std::string& ownLessonsFolder) {
    LoadedLesson lesson{std::string(path), {}, std::string(fileName(path)), {}, false};
    if (const auto entry = catalogueEntryOf(path, files)) {
        lesson.catalogueName = entry->name;
        lesson.title = toUtf8(entry->caption);
    } else if (const auto own = ownLessonTitle(ownLessonsFolder, path)) {
        lesson.title = *own;
    }
    return lesson;
}
