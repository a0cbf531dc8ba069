#include "core/own_lessons.h"

#include "core/user_data_folder.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace {

constexpr std::string_view kExtension = ".ORV";
// A file name is at most 255 bytes; the extension and the suffix of the
// temporary file a save writes first must fit beside the title.
constexpr size_t kLongestTitle = 240;

// TITLE.ORV.XXXXXX, as replaceFile names its temporary file.
bool isSaveInProgressName(std::string_view name) {
    constexpr size_t kSuffix = 7; // "." and six characters
    return name.size() > kExtension.size() + kSuffix &&
           name.substr(name.size() - kSuffix - kExtension.size(), kExtension.size()) ==
               kExtension &&
           name[name.size() - kSuffix] == '.';
}

} // namespace

void removeStaleSaves(const std::string& folder) {
    const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code fileError;
        if (isSaveInProgressName(it->path().filename().string()) &&
            it->is_regular_file(fileError) && it->last_write_time(fileError) < hourAgo &&
            !fileError)
            std::filesystem::remove(it->path(), fileError);
    }
}

std::string ownLessonsFolder() {
    return userDataFolder() + "/orvanta/lessons";
}

std::vector<OwnLesson> listOwnLessons(const std::string& folder) {
    std::vector<OwnLesson> lessons;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > kExtension.size() && name.ends_with(kExtension) &&
            it->is_regular_file(error))
            lessons.push_back(
                {name.substr(0, name.size() - kExtension.size()), it->path().string()});
    }
    std::sort(lessons.begin(), lessons.end(),
              [](const OwnLesson& a, const OwnLesson& b) { return a.title < b.title; });
    return lessons;
}

std::optional<std::string> ownLessonPath(const std::string& folder, std::string_view title) {
    if (title.empty() || title.size() > kLongestTitle || title.front() == '.' ||
        title.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return std::nullopt;
    return folder + "/" + std::string(title) + std::string(kExtension);
}

std::optional<std::string> ownLessonTitle(const std::string& folder, std::string_view path) {
    const std::string prefix = folder + "/";
    if (!path.starts_with(prefix) || !path.ends_with(kExtension))
        return std::nullopt;
    const std::string_view name =
        path.substr(prefix.size(), path.size() - prefix.size() - kExtension.size());
    if (name.empty() || name.find('/') != std::string_view::npos)
        return std::nullopt;
    return std::string(name);
}
