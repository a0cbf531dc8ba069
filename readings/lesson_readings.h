#pragma once

#include "readings/analyser.h"
#include "readings/ruby.h"
#include "readings/yomi_file.h"

#include <optional>
#include <string_view>
#include <vector>

// A word of the lesson with the reading of all of it, kana included
// (食べる: たべる), for the romaji of the word being typed.
struct ReadWord {
    std::size_t start = 0; // lesson position
    std::size_t length = 0;
    std::u16string reading; // hiragana
};

struct LessonReadings {
    std::vector<Ruby> rubies;    // by start, over kanji only
    std::vector<ReadWord> words; // by start; words without a reading left out

    // The word that holds a lesson position, if it has a reading.
    const ReadWord* wordAt(std::size_t position) const;
};

// The readings of a lesson text (line breaks CR LF, LF or CR), positions in
// that text. Corrections override the analyser wherever their word occurs,
// longer words first.
LessonReadings readLesson(std::u16string_view text, Analyser& analyser,
                          const std::vector<Correction>& corrections);
