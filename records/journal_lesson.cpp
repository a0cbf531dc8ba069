#include "records/journal_lesson.h"

#include "core/lesson_catalogue.h"

#include <filesystem>

JournalLesson journalLessonFor(const LoadedLesson& loaded) {
    if (!loaded.catalogueName.empty())
        return {loaded.catalogueName, loaded.title};
    std::error_code error;
    const std::filesystem::path native(loaded.path);
    std::filesystem::path absolute = std::filesystem::absolute(native, error);
    if (error)
        absolute = native;
    return {absolute.lexically_normal().string(), loaded.title};
}

std::optional<int> courseOrder(std::string_view lesson) {
    if (const auto entry = catalogueEntry(lesson))
        return (std::stoi(entry->name.substr(1, 2)) - 1) * 2 + (entry->name[3] == 'B');
    return std::nullopt;
}
