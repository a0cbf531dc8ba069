#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A teacher's own lessons: lesson files TITLE.ORV in one folder of the
// learner's data folder, made by the first save.

struct OwnLesson {
    std::string title; // the file name without .ORV, UTF-8
    std::string path;
    friend bool operator==(const OwnLesson&, const OwnLesson&) = default;
};

// $XDG_DATA_HOME/orvanta/lessons, by default ~/.local/share/orvanta/lessons.
std::string ownLessonsFolder();

// The regular files named *.ORV in the folder, in name order; none when the
// folder does not exist or cannot be read.
std::vector<OwnLesson> listOwnLessons(const std::string& folder);

// A save writes TITLE.ORV.XXXXXX and renames it over TITLE.ORV; a program
// ended between the two leaves it behind. Those older than an hour, no save
// still running, are removed.
void removeStaleSaves(const std::string& folder);

// The path of the lesson with this title in the folder; nothing for a title
// that cannot be a file name here (empty, with "/", starting with "." or too long).
std::optional<std::string> ownLessonPath(const std::string& folder, std::string_view title);

// The title of a lesson path that lies in the folder; nothing for any other path.
std::optional<std::string> ownLessonTitle(const std::string& folder, std::string_view path);
