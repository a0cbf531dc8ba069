#pragma once

#include <string>
#include <vector>

// `orvanta-lesson class-report DIR [--csv]`: the class report of a class folder.
int classReportCommand(const std::vector<std::string>& arguments);

extern const char* const kClassReportUsage;
