#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A word of a line as the morphological analyser cut it.
struct AnalysedWord {
    std::size_t start = 0; // in the line, UTF-16 code units
    std::size_t length = 0;
    std::u16string reading; // katakana as the dictionary gives it; empty when unknown
};

// Cuts one line of Japanese text (no line break in it) into words with their
// readings. The interface lets lesson readings be tested without a dictionary.
class Analyser {
  public:
    virtual ~Analyser() = default;
    virtual bool available() = 0;
    virtual std::vector<AnalysedWord> analyse(std::u16string_view line) = 0;
};
