#pragma once

#include <string>
#include <vector>

// `orvanta-lesson slips LESSON EVENTS`: the slips of an attempt replayed from
// its typing events, one line each, and a summary.
int slipsCommand(const std::vector<std::string>& arguments);

extern const char* const kSlipsUsage;
