#pragma once

#include <string>
#include <vector>

// `orvanta-lesson review-schedule --start ISO-TIME RATING...`: when a word
// comes back after each of a run of ratings, each review made on the day the
// one before it fell due.
int reviewScheduleCommand(const std::vector<std::string>& arguments);

extern const char* const kReviewScheduleUsage;
