#include "review/card_place.h"

namespace {

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// The start of line `line` (1-based), or npos past the text's last line.
size_t lineStart(std::u16string_view text, int line) {
    size_t start = 0;
    for (int n = 1; n < line; ++n) {
        const size_t end = text.find(u"\r\n", start);
        if (end == std::u16string_view::npos)
            return std::u16string_view::npos;
        start = end + 2;
    }
    return start;
}

} // namespace

std::optional<WordSpan> wordAt(std::u16string_view text, const LessonReadings& readings,
                               Pos position) {
    if (position < 0 || static_cast<size_t>(position) >= text.size() ||
        isLineBreak(text[static_cast<size_t>(position)]))
        return std::nullopt;
    if (const ReadWord* word = readings.wordAt(static_cast<size_t>(position)))
        return WordSpan{static_cast<Pos>(word->start), static_cast<Pos>(word->length)};
    return WordSpan{position, 1};
}

CardPlace placeOf(const std::string& lesson, std::u16string_view text, WordSpan word) {
    const auto start = static_cast<size_t>(word.start);
    const std::u16string_view before = text.substr(0, start);
    int line = 1;
    for (size_t at = before.find(u"\r\n"); at != std::u16string_view::npos;
         at = before.find(u"\r\n", at + 2))
        ++line;
    const size_t lastBreak = before.rfind(u"\r\n");
    const size_t column = lastBreak == std::u16string_view::npos ? start : start - lastBreak - 2;
    return {lesson, line, static_cast<int>(column),
            std::u16string(text.substr(start, static_cast<size_t>(word.length)))};
}

std::optional<WordSpan> spanOf(std::u16string_view text, const CardPlace& place) {
    const size_t start = lineStart(text, place.line);
    if (start == std::u16string_view::npos || place.column < 0 || place.word.empty())
        return std::nullopt;
    const size_t end = std::min(text.find(u"\r\n", start), text.size());
    const size_t at = start + static_cast<size_t>(place.column);
    if (at + place.word.size() > end || text.substr(at, place.word.size()) != place.word)
        return std::nullopt;
    return WordSpan{static_cast<Pos>(at), static_cast<Pos>(place.word.size())};
}
