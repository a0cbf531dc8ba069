#pragma once

#include <string>
#include <vector>

// `orvanta-lesson readings [--dictionary DIR] FILE.ORV`: the lesson's text
// with the reading after each kanji run, 辞書[じしょ], its corrections applied.
int readingsCommand(const std::vector<std::string>& arguments);

extern const char* const kReadingsUsage;
