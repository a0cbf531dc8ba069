#include "records/journal_lesson.h"

#include "core/lesson_catalogue.h"
#include "core/local_files.h"
#include "core/utf8.h"

#include <filesystem>

namespace {

struct CourseLesson {
    int number;
    char letter;
};

// J01A ... J48B.
std::optional<CourseLesson> parseCourseName(std::string_view name) {
    if (name.size() != 4 || name[0] != 'J' || (name[3] != 'A' && name[3] != 'B'))
        return std::nullopt;
    if (name[1] < '0' || name[1] > '9' || name[2] < '0' || name[2] > '9')
        return std::nullopt;
    const int number = (name[1] - '0') * 10 + (name[2] - '0');
    if (number < 1 || number > kLessonCount)
        return std::nullopt;
    return CourseLesson{number, name[3]};
}

constexpr std::string_view kMenuFolder = "ldata/";
constexpr std::string_view kMenuExtension = ".ORV";

// The lesson menu hands over exactly "ldata/J01A.ORV".
std::optional<CourseLesson> courseLessonOfPath(std::string_view path) {
    if (!path.starts_with(kMenuFolder) || !path.ends_with(kMenuExtension))
        return std::nullopt;
    path.remove_prefix(kMenuFolder.size());
    path.remove_suffix(kMenuExtension.size());
    return parseCourseName(path);
}

} // namespace

JournalLesson journalLessonFor(std::string_view path) {
    if (const auto course = courseLessonOfPath(path)) {
        const LessonEntry entry = lessonEntry(course->number, course->letter);
        path.remove_prefix(kMenuFolder.size());
        path.remove_suffix(kMenuExtension.size());
        return {std::string(path), toUtf8(entry.caption)};
    }
    std::error_code error;
    const std::filesystem::path native(path);
    std::filesystem::path absolute = std::filesystem::absolute(native, error);
    if (error)
        absolute = native;
    absolute = absolute.lexically_normal();
    return {absolute.string(), absolute.filename().string()};
}

std::optional<std::string> courseLessonPath(std::string_view lesson) {
    if (const auto course = parseCourseName(lesson))
        return nativePath(lessonEntry(course->number, course->letter).path);
    return std::nullopt;
}

std::optional<int> courseOrder(std::string_view lesson) {
    if (const auto course = parseCourseName(lesson))
        return (course->number - 1) * 2 + (course->letter == 'B');
    return std::nullopt;
}
