#pragma once

#include "core/loaded_lesson.h"

#include <optional>
#include <string>
#include <string_view>

// How the journal names the lesson of an attempt.
struct JournalLesson {
    std::string lesson; // J01A for the course's lessons, else the file's absolute path
    std::string title;  // 第一课 基本课文, or the file name
    friend bool operator==(const JournalLesson&, const JournalLesson&) = default;
};

// The drill of the most-missed characters is kept under this name and title.
inline constexpr std::string_view kDrillLesson = "易错字练习";

// A course lesson by its catalogue name and menu title; anything else is a
// file of the learner's, named by its absolute path and file name.
JournalLesson journalLessonFor(const LoadedLesson& loaded);

// 0 for J01A ... 95 for J48B; nothing for lessons outside the course.
std::optional<int> courseOrder(std::string_view lesson);
