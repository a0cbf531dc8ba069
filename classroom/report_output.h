#pragma once

#include "classroom/class_report.h"

#include <string>

// The table of learners and lessons for a spreadsheet: UTF-8 with a byte
// order mark, a fixed header, plain numbers and ISO dates.
std::string reportCsv(const ClassReport& report);

// Everything in the report as plain text, one section after another.
std::string reportText(const ClassReport& report);

inline constexpr const char* kReportCsvHeader =
    "learner,lesson,attempts,best_speed,last_speed,first_try_accuracy,last_practised,due_reviews";
