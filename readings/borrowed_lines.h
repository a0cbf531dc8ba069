#pragma once

#include "readings/yomi_file.h"

#include <string>
#include <vector>

// A line that a lesson of its own making (the drill, the day's review) takes
// from another lesson, with that lesson's reading corrections, so that the
// line reads the same wherever it is typed.
struct BorrowedLine {
    std::u16string text;                                  // without its line break
    const std::vector<Correction>* corrections = nullptr; // of the lesson it comes from
};

struct BorrowedLesson {
    std::u16string text; // the lines joined by CR LF
    // Of each line's corrections, those whose word is in that line; a word
    // that two lessons read differently keeps the reading of the first line's.
    std::vector<Correction> corrections;
};

BorrowedLesson borrowLines(const std::vector<BorrowedLine>& lines);

// The corrections as a .yomi file: UTF-8 lines WORD<TAB>READING.
std::string correctionsFileText(const std::vector<Correction>& corrections);
