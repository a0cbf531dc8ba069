#pragma once

#include "review/fsrs.h"

#include <sqlite3.h>
#include <string>
#include <vector>

// A lesson the review cannot read at one moment is seldom gone: a USB stick
// not plugged in, a network folder not mounted, a file another program
// holds. Its cards retire only once it could not be read on
// kLessonMissedDays different days spread over at least kLessonMissedSpan
// days, with no successful read in between; a read forgets its misses.
inline constexpr int kLessonMissedDays = 3;
inline constexpr Day kLessonMissedSpan = 14;

// Notes that `missed` could not be read on `day` and that `read` could, then
// retires the cards of the lessons missed long enough. Runs inside the
// caller's transaction; false when a statement failed.
bool noteLessonReads(sqlite3* db, const std::vector<std::string>& read,
                     const std::vector<std::string>& missed, Day day);
