#include "classroom/learner_progress.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

namespace {

constexpr std::string_view kMagic = "orvanta-class-progress";

// Fields never hold a tab or a line break: they would cut the record.
std::string field(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

std::string record(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : "\t") + field(f);
    return line + "\n";
}

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        parts.push_back(line.substr(start, tab - start));
    parts.push_back(line.substr(start));
    return parts;
}

template <typename T> bool parse(const std::string& text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parseOptional(const std::string& text, std::optional<double>& value) {
    double parsed = 0;
    if (text.empty())
        value.reset();
    else if (!parse(text, parsed))
        return false;
    else
        value = parsed;
    return true;
}

bool readLesson(const std::vector<std::string>& f, LearnerProgress& progress) {
    LessonProgress lesson;
    lesson.lesson = f[1];
    lesson.title = f[2];
    const bool ok = parse(f[3], lesson.attempts) && parseOptional(f[4], lesson.bestSpeed) &&
                    parse(f[5], lesson.lastSpeed) && parse(f[6], lesson.firstTryAccuracy) &&
                    parse(f[8], lesson.completed) && parse(f[9], lesson.dueReviews);
    lesson.lastPractised = f[7];
    progress.lessons.push_back(std::move(lesson));
    return ok;
}

bool readDay(const std::vector<std::string>& f, LearnerProgress& progress) {
    progress.days.push_back({f[1], 0, 0});
    return parse(f[2], progress.days.back().attempts) && parse(f[3], progress.days.back().seconds);
}

bool readSlips(const std::vector<std::string>& f, LearnerProgress& progress) {
    progress.slips.push_back({f[1], f[2], 0});
    return parse(f[3], progress.slips.back().count);
}

bool readMissed(const std::vector<std::string>& f, LearnerProgress& progress) {
    progress.missed.push_back({f[1], f[2], 0});
    return parse(f[3], progress.missed.back().count);
}

struct RecordKind {
    std::string_view tag;
    size_t fields;
    bool (*read)(const std::vector<std::string>&, LearnerProgress&);
};

constexpr RecordKind kRecords[] = {
    {"lesson", 10, readLesson},
    {"day", 4, readDay},
    {"slips", 4, readSlips},
    {"missed", 4, readMissed},
};

// One line after the header; false when it cannot be read.
bool readRecord(const std::vector<std::string>& f, LearnerProgress& progress) {
    if (f[0] == "learner" && f.size() == 2)
        progress.learner = f[1];
    else if (f[0] == "published" && f.size() == 2)
        progress.publishedAt = f[1];
    else if (const auto* kind = std::find_if(std::begin(kRecords), std::end(kRecords),
                                             [&](const RecordKind& k) { return k.tag == f[0]; });
             kind != std::end(kRecords) && f.size() == kind->fields)
        return kind->read(f, progress);
    else
        return false;
    return true;
}

} // namespace

std::string writeProgress(const LearnerProgress& progress) {
    std::string text = record({std::string(kMagic), std::to_string(kProgressVersion)});
    text += record({"learner", progress.learner}) + record({"published", progress.publishedAt});
    size_t records = 2;
    for (const LessonProgress& l : progress.lessons)
        text += record({"lesson", l.lesson, l.title, std::to_string(l.attempts),
                        l.bestSpeed ? number(*l.bestSpeed) : "", number(l.lastSpeed),
                        number(l.firstTryAccuracy), l.lastPractised, std::to_string(l.completed),
                        std::to_string(l.dueReviews)});
    for (const DayProgress& d : progress.days)
        text += record({"day", d.day, std::to_string(d.attempts), std::to_string(d.seconds)});
    for (const WeekSlips& s : progress.slips)
        text += record({"slips", s.week, s.kind, std::to_string(s.count)});
    for (const MissedText& m : progress.missed)
        text += record({"missed", m.expected, m.typedMostOften, std::to_string(m.count)});
    records += progress.lessons.size() + progress.days.size() + progress.slips.size() +
               progress.missed.size();
    return text + record({"end", std::to_string(records)});
}

std::variant<LearnerProgress, ProgressError> readProgress(const std::string& bytes) {
    std::istringstream in(bytes);
    std::string line;
    int version = 0;
    if (!std::getline(in, line) || split(line).size() != 2 || split(line)[0] != kMagic ||
        !parse(split(line)[1], version))
        return ProgressError("不是学习进度文件");
    if (version > kProgressVersion)
        return ProgressError("由较新版本的程序写成（格式 " + std::to_string(version) + "）");
    LearnerProgress progress;
    size_t records = 0;
    for (int number = 2; std::getline(in, line); ++number) {
        const auto f = split(line);
        size_t counted = 0;
        if (f[0] == "end" && f.size() == 2 && parse(f[1], counted)) {
            if (counted != records)
                break;
            if (progress.learner.empty())
                return ProgressError("没有学习者的姓名");
            return progress;
        }
        if (!readRecord(f, progress))
            return ProgressError("第 " + std::to_string(number) + " 行无法读取");
        ++records;
    }
    return ProgressError("文件不完整（可能正在写入或被截断）");
}
