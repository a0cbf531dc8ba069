#pragma once

#include "audio/lesson_sentences.h"
#include "core/entry_lines.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The cuts of a lesson's recording are kept beside the lesson, as the
// lesson's name with the extension .cuts (ldata/J01A.ORV -> ldata/J01A.cuts):
// UTF-8 lines LINE<TAB>START<TAB>END, seconds with two decimals, in the
// order of the lines. Empty lines and lines starting with # are skipped.
std::string cutsPathFor(const std::string& lessonPath);

using Cuts = EntryLines<LineCut>; // bad lines: those that are not a cut

inline constexpr std::size_t kCutsFileLimit = 1024 * 1024;

// The text of a cuts file, also what the lesson tool prints.
std::string cutsText(const std::vector<LineCut>& cuts);
// START<TAB>END lines, for sentences without lines.
std::string sentencesText(const std::vector<Sentence>& sentences);

Cuts parseCuts(std::string_view bytes);
// A lesson without a cuts file has none.
Cuts readCuts(const std::string& lessonPath);
// Replaces the lesson's cuts file whole; the errno of a failure.
std::optional<int> writeCuts(const std::string& lessonPath, const std::vector<LineCut>& cuts);
