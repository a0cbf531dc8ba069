#pragma once

#include "review/fsrs.h"

#include <QString>

// A day as the windows write it: 3月2日, or with its year, 2026年3月2日.
QString monthDayText(Day day);
QString fullDayText(Day day);
