#include "classroom/class_plan.h"

#include "core/atomic_write.h"
#include "core/lesson_catalogue.h"
#include "core/regular_file.h"

#include <sstream>

namespace {

constexpr std::string_view kMagic = "orvanta-class-plan";
constexpr size_t kPlanLimit = 256 * 1024;

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> parts;
    std::istringstream in(line);
    for (std::string part; std::getline(in, part, '\t');)
        parts.push_back(part);
    return parts;
}

std::string field(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

// A name of a file in lessons/: no folder, no way out of it.
bool isPlainName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

} // namespace

std::string planFile(const std::string& classFolder) {
    return classFolder + "/plan.txt";
}

std::string classLessonsFolder(const std::string& classFolder) {
    return classFolder + "/lessons";
}

std::optional<std::vector<PlannedLesson>> readPlan(const std::string& classFolder) {
    const auto read = readRegularFile(planFile(classFolder), kPlanLimit);
    if (const auto* problem = std::get_if<FileProblem>(&read))
        return *problem == FileProblem::Missing ? std::optional(std::vector<PlannedLesson>())
                                                : std::nullopt;
    std::istringstream in(std::get<std::string>(read));
    std::string line;
    if (!std::getline(in, line) || split(line).size() != 2 || split(line)[0] != kMagic ||
        std::atoi(split(line)[1].c_str()) > kPlanVersion)
        return std::nullopt;
    std::vector<PlannedLesson> plan;
    while (std::getline(in, line)) {
        const auto f = split(line);
        if (f.size() == 4 && f[0] == "lesson" && isPlainName(f[1]))
            plan.push_back({f[1], f[2], f[3]});
    }
    return plan;
}

std::optional<int> writePlan(const std::string& classFolder,
                             const std::vector<PlannedLesson>& plan) {
    std::string text = std::string(kMagic) + "\t" + std::to_string(kPlanVersion) + "\n";
    for (const PlannedLesson& l : plan)
        text += "lesson\t" + field(l.lesson) + "\t" + field(l.title) + "\t" + field(l.due) + "\n";
    return replaceFile(planFile(classFolder), text);
}

std::string plannedLessonPath(const std::string& classFolder, const PlannedLesson& lesson) {
    if (const auto entry = catalogueEntry(lesson.lesson))
        return entry->path;
    return classLessonsFolder(classFolder) + "/" + lesson.lesson + ".ORV";
}

std::vector<std::string> classLessonFiles(const std::string& classFolder) {
    std::vector<std::string> files;
    for (const PlannedLesson& lesson : readPlan(classFolder).value_or(std::vector<PlannedLesson>{}))
        if (!catalogueEntry(lesson.lesson))
            files.push_back(plannedLessonPath(classFolder, lesson));
    return files;
}

std::string classLessonName(const std::string& journalLesson) {
    const size_t slash = journalLesson.find_last_of('/');
    if (slash == std::string::npos)
        return journalLesson;
    const std::string file = journalLesson.substr(slash + 1);
    return file.substr(0, file.rfind('.'));
}
