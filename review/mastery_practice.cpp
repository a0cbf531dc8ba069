#include "review/mastery_practice.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kPrefix = "掌握练习|";

std::optional<Pos> number(std::string_view text) {
    Pos value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

// LESSON:START+LENGTH
std::optional<PracticeLine> parseLine(std::string_view text) {
    const size_t colon = text.rfind(':');
    const size_t plus = text.rfind('+');
    if (colon == std::string_view::npos || plus == std::string_view::npos || plus < colon ||
        colon == 0)
        return std::nullopt;
    const auto start = number(text.substr(colon + 1, plus - colon - 1));
    const auto length = number(text.substr(plus + 1));
    if (!start || !length)
        return std::nullopt;
    return PracticeLine{std::string(text.substr(0, colon)), *start, *length};
}

PracticeLine lineAround(const std::string& lesson, std::u16string_view text, Pos position) {
    const size_t at = static_cast<size_t>(position);
    const size_t previous = text.rfind(u'\n', at);
    const size_t start = previous == std::u16string_view::npos ? 0 : previous + 1;
    const size_t end = std::min(text.find(u"\r\n", at), text.size());
    return {lesson, static_cast<Pos>(start), static_cast<Pos>(end - start)};
}

} // namespace

std::vector<PracticeLine> practiceLines(const std::vector<KanjiPlace>& places,
                                        const std::vector<std::string>& lessons,
                                        const std::vector<std::u16string>& texts,
                                        const std::set<char16_t>& kanji, size_t most) {
    std::vector<PracticeLine> lines;
    for (size_t l = 0; l < lessons.size() && l < texts.size(); ++l) {
        for (const KanjiPlace& p : places) {
            if (p.lesson != lessons[l] || !kanji.contains(p.kanji) ||
                p.position >= static_cast<Pos>(texts[l].size()) ||
                texts[l][static_cast<size_t>(p.position)] != p.kanji)
                continue;
            const PracticeLine line = lineAround(lessons[l], texts[l], p.position);
            if (std::find(lines.begin(), lines.end(), line) != lines.end())
                continue;
            if (lines.size() >= most)
                return lines;
            lines.push_back(line);
        }
    }
    return lines;
}

std::string practiceLessonName(const std::vector<PracticeLine>& lines) {
    std::string name(kPrefix);
    for (const PracticeLine& line : lines) {
        if (name.size() > kPrefix.size())
            name += ';';
        name += line.lesson + ':' + std::to_string(line.start) + '+' + std::to_string(line.length);
    }
    return name;
}

std::optional<std::vector<PracticeLine>> practiceLinesOf(std::string_view lessonName) {
    if (!lessonName.starts_with(kPrefix))
        return std::nullopt;
    lessonName.remove_prefix(kPrefix.size());
    std::vector<PracticeLine> lines;
    while (!lessonName.empty()) {
        const size_t end = std::min(lessonName.find(';'), lessonName.size());
        const auto line = parseLine(lessonName.substr(0, end));
        if (!line)
            return std::nullopt;
        lines.push_back(*line);
        lessonName.remove_prefix(std::min(end + 1, lessonName.size()));
    }
    return lines;
}

std::optional<LessonPosition> lessonPositionOf(const std::vector<PracticeLine>& lines,
                                               Pos practicePosition) {
    Pos lineStart = 0;
    for (const PracticeLine& line : lines) {
        if (practicePosition < lineStart)
            return std::nullopt;
        if (practicePosition < lineStart + line.length)
            return LessonPosition{&line, line.start + practicePosition - lineStart};
        lineStart += line.length + 2; // CR LF
    }
    return std::nullopt;
}
