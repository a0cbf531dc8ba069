#include "classroom/class_report.h"

#include "classroom/class_publisher.h"
#include "core/lesson_catalogue.h"
#include "core/regular_file.h"
#include "core/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".progress";

std::string problemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::TooLarge:
        return "文件过大";
    case FileProblem::NoPermission:
        return "没有读取权限";
    case FileProblem::NotARegularFile:
    case FileProblem::Folder:
        return "不是普通文件";
    default:
        return "无法读取";
    }
}

// Days since 1970-01-01; nothing for a text that is no date.
std::optional<int> dayNumber(const std::string& date) {
    int y = 0;
    unsigned m = 0, d = 0;
    if (date.size() < 10 || std::sscanf(date.c_str(), "%4d-%2u-%2u", &y, &m, &d) != 3)
        return std::nullopt;
    const std::chrono::year_month_day day{std::chrono::year(y), std::chrono::month(m),
                                          std::chrono::day(d)};
    if (!day.ok())
        return std::nullopt;
    return std::chrono::sys_days(day).time_since_epoch().count();
}

struct Learner {
    std::map<std::string, ReportRow> lessons;
    std::map<int, std::int64_t> secondsByDay;
    std::string publishedAt;
};

void join(ReportRow& into, const LessonProgress& l) {
    into.attempts += l.attempts;
    into.completed += l.completed;
    into.dueReviews += l.dueReviews;
    if (l.bestSpeed && (!into.bestSpeed || *l.bestSpeed > *into.bestSpeed))
        into.bestSpeed = l.bestSpeed;
    if (l.lastPractised >= into.lastPractised) {
        into.lastSpeed = l.lastSpeed;
        into.firstTryAccuracy = l.firstTryAccuracy;
        into.lastPractised = l.lastPractised;
        into.title = l.title;
    }
}

void join(Learner& learner, const LearnerProgress& p) {
    for (const LessonProgress& l : p.lessons) {
        ReportRow& row = learner.lessons[l.lesson];
        row.learner = p.learner;
        row.lesson = l.lesson;
        join(row, l);
    }
    for (const DayProgress& d : p.days)
        if (const auto day = dayNumber(d.day))
            learner.secondsByDay[*day] += d.seconds;
    learner.publishedAt = std::max(learner.publishedAt, p.publishedAt);
}

LearnerSummary summary(const std::string& name, const Learner& learner, int today) {
    LearnerSummary s;
    s.learner = name;
    for (const auto& [day, seconds] : learner.secondsByDay) {
        s.seconds += seconds;
        s.daysInLast7 += day <= today && day > today - 7;
        s.daysInLast30 += day <= today && day > today - 30;
    }
    int day = learner.secondsByDay.contains(today) ? today : today - 1;
    while (learner.secondsByDay.contains(day--))
        ++s.streak;
    s.publishedAt = learner.publishedAt;
    return s;
}

std::vector<LessonReach> reach(const std::map<std::string, Learner>& learners,
                               const std::vector<std::string>& alsoReached) {
    std::vector<LessonReach> reach;
    std::set<std::string> listed;
    const auto add = [&](const std::string& lesson, const std::string& title) {
        if (!listed.insert(lesson).second)
            return;
        LessonReach r{lesson, title, 0, 0};
        for (const auto& [name, learner] : learners)
            if (const auto it = learner.lessons.find(lesson); it != learner.lessons.end()) {
                ++r.practisedBy;
                r.completedBy += it->second.completed > 0;
                if (r.title.empty())
                    r.title = it->second.title;
            }
        reach.push_back(r);
    };
    for (int n = 1; n <= kLessonCount; ++n)
        for (char letter : {'A', 'B'}) {
            const LessonEntry entry = lessonEntry(n, letter);
            add(entry.name, toUtf8(entry.caption));
        }
    for (const std::string& lesson : alsoReached)
        add(lesson, {});
    std::set<std::string> others;
    for (const auto& [name, learner] : learners)
        for (const auto& [lesson, row] : learner.lessons)
            others.insert(lesson);
    for (const std::string& lesson : others)
        add(lesson, {});
    return reach;
}

std::vector<ClassMissed> classMissed(const std::vector<LearnerProgress>& files) {
    std::map<std::string, ClassMissed> byText;
    std::map<std::string, std::int64_t> mostByOne;
    for (const LearnerProgress& p : files)
        for (const MissedText& m : p.missed) {
            ClassMissed& c = byText[m.expected];
            c.expected = m.expected;
            c.count += m.count;
            ++c.learners;
            if (m.count > mostByOne[m.expected]) {
                mostByOne[m.expected] = m.count;
                c.typedMostOften = m.typedMostOften;
            }
        }
    std::vector<ClassMissed> missed;
    for (auto& [text, m] : byText)
        missed.push_back(m);
    std::stable_sort(missed.begin(), missed.end(),
                     [](const auto& a, const auto& b) { return a.count > b.count; });
    if (missed.size() > 50)
        missed.resize(50);
    return missed;
}

std::vector<WeekSlips> classSlips(const std::vector<LearnerProgress>& files) {
    std::map<std::pair<std::string, std::string>, std::int64_t> counts;
    for (const LearnerProgress& p : files)
        for (const WeekSlips& s : p.slips)
            counts[{s.week, s.kind}] += s.count;
    std::vector<WeekSlips> slips;
    for (const auto& [key, count] : counts)
        slips.push_back({key.first, key.second, count});
    return slips;
}

// Every learner's file, those that could not be read named apart.
std::vector<LearnerProgress> readFiles(const std::string& classFolder, ClassReport& report) {
    std::vector<LearnerProgress> files;
    std::error_code error;
    std::vector<fs::path> paths;
    for (fs::directory_iterator it(progressFolder(classFolder), error), end; !error && it != end;
         it.increment(error))
        if (it->path().filename().string().ends_with(kExtension))
            paths.push_back(it->path());
    if (error && error != std::errc::no_such_file_or_directory)
        report.unread.push_back({progressFolder(classFolder), "无法读取这个文件夹"});
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
        const auto bytes = readRegularFile(path.string(), kProgressFileLimit);
        if (const auto* problem = std::get_if<FileProblem>(&bytes)) {
            report.unread.push_back({path.filename().string(), problemText(*problem)});
            continue;
        }
        auto read = readProgress(std::get<std::string>(bytes));
        if (auto* reason = std::get_if<ProgressError>(&read))
            report.unread.push_back({path.filename().string(), *reason});
        else
            files.push_back(std::move(std::get<LearnerProgress>(read)));
    }
    return files;
}

} // namespace

ClassReport readClassReport(const std::string& classFolder, const std::string& today,
                            const std::vector<std::string>& alsoReached) {
    ClassReport report;
    const std::vector<LearnerProgress> files = readFiles(classFolder, report);
    std::map<std::string, Learner> learners;
    for (const LearnerProgress& p : files)
        join(learners[p.learner], p);
    const int day = dayNumber(today).value_or(0);
    for (const auto& [name, learner] : learners) {
        for (const auto& [lesson, row] : learner.lessons)
            report.rows.push_back(row);
        report.learners.push_back(summary(name, learner, day));
    }
    report.reach = reach(learners, alsoReached);
    report.slips = classSlips(files);
    report.missed = classMissed(files);
    return report;
}
