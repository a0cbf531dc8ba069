#pragma once

#include "core/local_files.h"

#include <string>
#include <string_view>

// A lesson as the practice session loaded it: everything a feature needs to
// know of it, reported once per fresh attempt.
struct LoadedLesson {
    std::string path;          // as the load received it
    std::string catalogueName; // J01A ... J48B for a lesson of the course, else empty
    std::string title; // UTF-8: the lesson menu's caption, an own lesson's title, or the file name
    std::u16string text;     // as decoded, every line break CR LF
    bool readFailed = false; // the file could not be read whole
};

// The catalogue name and title of the lesson at `path`. A course lesson keeps
// its name also when its file is opened by another path; an own lesson, at its
// path in `ownLessonsFolder`, is named by its title; any other file is named
// by its file name.
LoadedLesson namedLesson(std::string_view path, const Files& files,
                         const std::string& ownLessonsFolder);
