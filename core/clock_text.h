#pragma once

#include "core/ports.h"

#include <cstdint>
#include <string>
#include <string_view>

// The arithmetic of the attempt clock, which works on the text of the time of day.

// H:mm:ss on a 24-hour clock, hour without a leading zero.
std::u16string timeOfDayText(TimeOfDay time);

// The fields of a time text by position: a 7-character text has a one-digit hour.
TimeOfDay timeFields(std::u16string_view text);

// Seconds from start to now, plus 0.00000001 so that a speed can always divide
// by it. An attempt that runs past midnight counts the day's wrap.
double elapsedSeconds(TimeOfDay start, TimeOfDay now);

// Elapsed time as h:m:s without leading zeros; the hours wrap modulo 60.
std::u16string elapsedText(double elapsed);

// Characters per minute with at most 15 significant digits, cut (not rounded)
// to its first 6 characters.
std::u16string speedText(std::int64_t total, double elapsed);

// A number in plain decimal notation with 15 significant digits, no trailing zeros.
std::string fifteenDigits(double value);
