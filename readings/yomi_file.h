#pragma once

#include "core/entry_lines.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A teacher's reading for a word of one lesson; it holds for every occurrence
// of the word in that lesson, whatever the analyser says.
struct Correction {
    std::u16string word;
    std::u16string reading; // hiragana
    friend bool operator==(const Correction&, const Correction&) = default;
};

// Bad lines are those that are not WORD<TAB>READING with a kana reading; a
// file that could not be read (a folder, a pipe, a file too large) leaves its
// lesson without corrections.
using Corrections = EntryLines<Correction>;

// The largest corrections file read: many times the words of the longest
// lesson, and quick to parse.
inline constexpr std::size_t kCorrectionsFileLimit = 1024 * 1024;

// The corrections file of a lesson: the lesson's name with the extension
// .yomi, in the same folder (ldata/J01A.ORV -> ldata/J01A.yomi).
std::string correctionsPathFor(const std::string& lessonPath);

// Parses UTF-8 lines WORD<TAB>READING. Empty lines and lines starting with #
// are skipped; the reading may be written in hiragana or katakana.
Corrections parseCorrections(std::string_view bytes);

// Reads a lesson's corrections; a lesson without a file has none. Only a
// regular file of at most `kCorrectionsFileLimit` bytes is read, so that a
// pipe or a device in its place never blocks or floods the caller.
Corrections readCorrections(const std::string& lessonPath);
