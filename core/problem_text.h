#pragma once

#include "core/regular_file.h"

#include <string>

// What went wrong with a file, said in Chinese for the learner's messages
// (UTF-8): the one place where a system's reason (an errno) becomes words,
// so that no message shows the system's English.
std::string problemText(FileProblem problem);
std::string errorText(int error);
