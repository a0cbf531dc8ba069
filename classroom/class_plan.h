#pragma once

#include <optional>
#include <string>
#include <vector>

// The class's lessons and work plan, which the teacher puts into the class
// folder: plan.txt lists the lessons in order with their due dates; a lesson
// of the class's own lies in lessons/ as a lesson file. Learners' programs
// read it and never write it.
struct PlannedLesson {
    std::string lesson; // a course lesson (J01A) or the name of a file in lessons/
    std::string title;
    std::string due; // YYYY-MM-DD
};

inline constexpr int kPlanVersion = 1;

std::string planFile(const std::string& classFolder);
std::string classLessonsFolder(const std::string& classFolder);

// The plan in the folder; an empty one when there is none, nothing when the
// file is there but cannot be read as a plan.
std::optional<std::vector<PlannedLesson>> readPlan(const std::string& classFolder);
// Replaces the plan whole; the errno of the failure.
std::optional<int> writePlan(const std::string& classFolder,
                             const std::vector<PlannedLesson>& plan);

// The file to load for a planned lesson: the course's relative path
// (ldata\J01A.ORV) or the class's own file.
std::string plannedLessonPath(const std::string& classFolder, const PlannedLesson& lesson);

// The files of the class's own lessons in the plan, in its order (course
// lessons left out); none while there is no plan or it cannot be read.
std::vector<std::string> classLessonFiles(const std::string& classFolder);

// The name the class knows a journalled lesson by: the course's name, or the
// file name without its extension for any other lesson file.
std::string classLessonName(const std::string& journalLesson);
