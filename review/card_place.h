#pragma once

#include "core/ports.h"
#include "readings/lesson_readings.h"

#include <compare>
#include <string>
#include <string_view>

// Where a missed word stands, so that it can be typed again in its line.
struct CardPlace {
    std::string lesson;  // catalogue name (J01A) or the lesson file's path
    int line = 0;        // 1-based
    int column = 0;      // where the word starts in its line, from 0
    std::u16string word; // the readings' word that holds the character
    friend auto operator<=>(const CardPlace&, const CardPlace&) = default;
};

// A stretch of a lesson text (positions with CR LF line breaks).
struct WordSpan {
    Pos start = 0;
    Pos length = 0;
    friend bool operator==(const WordSpan&, const WordSpan&) = default;
};

// The word that holds `position`: the readings' word there (for kana text the
// kana word), or the character alone. None on a line break.
std::optional<WordSpan> wordAt(std::u16string_view text, const LessonReadings& readings,
                               Pos position);

// The place of a word of a lesson's text.
CardPlace placeOf(const std::string& lesson, std::u16string_view text, WordSpan word);

// The word's span in a text, if the text still holds the word at its place.
std::optional<WordSpan> spanOf(std::u16string_view text, const CardPlace& place);
