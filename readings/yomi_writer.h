#pragma once

#include "readings/yomi_file.h"

#include <string>
#include <string_view>

// The text of a corrections file with one correction set: the word's line is
// replaced (a second line of the same word goes), or a new line is appended;
// an empty reading removes the word's line. Every other line, comments
// included, stays as it was, and a byte order mark too; lines end in LF.
std::string withCorrection(std::string_view yomiBytes, const Correction& correction);
