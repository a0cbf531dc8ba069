#pragma once

#include "review/course_kanji.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// A line of a lesson taken into the practice of a lesson's kanji not yet held.
struct PracticeLine {
    std::string lesson; // as the journal names it
    Pos start = 0;      // where the line starts in its lesson
    Pos length = 0;     // without its line break
    friend bool operator==(const PracticeLine&, const PracticeLine&) = default;
};

inline constexpr size_t kPracticeLines = 15;

// The lines of `lessons` that hold a word of a kanji in `kanji`, in lesson
// order, each once, at most `most`. `texts` are the lessons' texts (CR LF),
// in the order of `lessons`.
std::vector<PracticeLine> practiceLines(const std::vector<KanjiPlace>& places,
                                        const std::vector<std::string>& lessons,
                                        const std::vector<std::u16string>& texts,
                                        const std::set<char16_t>& kanji,
                                        size_t most = kPracticeLines);

// What the journal keeps the practice's attempts under: the lines it took, so
// that a kanji typed in it counts where the line stands in its lesson.
std::string practiceLessonName(const std::vector<PracticeLine>& lines);
// The lines of a name practiceLessonName made; nothing for any other lesson.
std::optional<std::vector<PracticeLine>> practiceLinesOf(std::string_view lessonName);

// Where a position of the practice's text (lines joined by CR LF) stands in
// its line's lesson; nothing on a line break or past the end.
struct LessonPosition {
    const PracticeLine* line = nullptr;
    Pos position = 0;
};
std::optional<LessonPosition> lessonPositionOf(const std::vector<PracticeLine>& lines,
                                               Pos practicePosition);
