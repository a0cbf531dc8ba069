#include "readings/borrowed_lines.h"

#include "core/utf8.h"

#include <algorithm>

namespace {

bool correctsWord(const std::vector<Correction>& kept, const std::u16string& word) {
    return std::any_of(kept.begin(), kept.end(),
                       [&](const Correction& c) { return c.word == word; });
}

} // namespace

BorrowedLesson borrowLines(const std::vector<BorrowedLine>& lines) {
    BorrowedLesson lesson;
    for (const BorrowedLine& line : lines) {
        if (&line != &lines.front())
            lesson.text += u"\r\n";
        lesson.text += line.text;
        if (!line.corrections)
            continue;
        for (const Correction& correction : *line.corrections)
            if (line.text.find(correction.word) != std::u16string::npos &&
                !correctsWord(lesson.corrections, correction.word))
                lesson.corrections.push_back(correction);
    }
    return lesson;
}

std::string correctionsFileText(const std::vector<Correction>& corrections) {
    std::string text;
    for (const Correction& correction : corrections)
        text += toUtf8(correction.word) + "\t" + toUtf8(correction.reading) + "\n";
    return text;
}
