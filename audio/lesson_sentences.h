#pragma once

#include "audio/sentence.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The sentence of one lesson line (1-based), as the recording speaks the
// lesson's lines in order; an empty line has none.
struct LineCut {
    std::size_t line = 0;
    Sentence sentence;
    friend bool operator==(const LineCut&, const LineCut&) = default;
};

// The numbers (1-based) of the lines of a lesson text that hold something to
// say; lines end in CR LF, LF or CR.
std::vector<std::size_t> spokenLines(std::u16string_view text);

// The sentences given to the spoken lines in order; fewer cuts than lines
// when there are fewer sentences.
std::vector<LineCut> cutsForLines(const std::vector<Sentence>& sentences,
                                  const std::vector<std::size_t>& lines);

// The cut of a line, or null.
const LineCut* cutOfLine(const std::vector<LineCut>& cuts, std::size_t line);
