#pragma once

#include "readings/ruby.h"

#include <string_view>
#include <vector>

// Places a word's reading over the kanji of its written form only: the kana
// written beside the kanji (okurigana) are matched in the reading and get
// none, so 食べる with たべる gives た over 食. `start` is the lesson position
// of the word's first character. A word without kanji gets nothing.
std::vector<Ruby> placeReading(std::u16string_view surface, std::u16string_view reading,
                               std::size_t start);
