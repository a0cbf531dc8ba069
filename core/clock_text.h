#pragma once

#include "core/ports.h"

#include <cstdint>
#include <string>

// The arithmetic of the attempt clock and the texts of its read-outs.

// The local time of day of a moment, to the whole second.
TimeOfDay localTimeOfDay(WallTime moment);

// H:mm:ss on a 24-hour clock, hour without a leading zero.
std::u16string timeOfDayText(TimeOfDay time);

// Seconds from start to now, plus 0.00000001 so that a speed can always divide
// by it. An attempt that runs past midnight counts the day's wrap.
double elapsedSeconds(TimeOfDay start, TimeOfDay now);

// Elapsed time as h:m:s without leading zeros; the hours wrap modulo 60.
std::u16string elapsedText(double elapsed);

// Characters per minute; never negative.
double charactersPerMinute(std::int64_t total, double elapsed);

// A speed with at most 15 significant digits, cut (not rounded) to its first 6
// characters, as the speed read-out shows it: 39.9999 shows 39.999, 12.3000123
// shows 12.300 and 11999.99 shows 11999. (the point is the sixth character).
std::u16string speedText(double perMinute);

// The number speedText(perMinute) reads as: 39.999, 12.3, 11999. Worked out from
// the digits, not read back from the text.
double shownSpeed(double perMinute);

// A number in plain decimal notation with 15 significant digits, no trailing zeros.
std::string fifteenDigits(double value);
