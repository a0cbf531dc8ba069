#pragma once

#include <string>
#include <vector>

// A drill of the characters a learner misses: up to `maxLines` lines of the
// course that contain them, taken for the most-missed character first, each
// line once, shown in course order. Empty when no course line has any of them.
inline constexpr size_t kDrillLines = 10;

// `courseTexts` in course order, lines ended by CR LF; `missed` most first.
std::vector<std::u16string> drillLines(const std::vector<std::u16string>& courseTexts,
                                       const std::vector<std::u16string>& missed,
                                       size_t maxLines = kDrillLines);

// The lines as one lesson text, joined by CR LF.
std::u16string drillText(const std::vector<std::u16string>& lines);
