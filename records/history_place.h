#pragma once

#include "core/regular_file.h"

#include <optional>
#include <string>

// Where the history file `user.cey` lives. In the program folder when the
// learner may write there and it is not under /usr or /opt (a build folder,
// an install in the home folder); otherwise, as for a system-wide install,
// whoever runs it, in the learner's data folder:
// $XDG_DATA_HOME/orvanta/user.cey, by default ~/.local/share/orvanta/user.cey.
// Saving, the viewer and clearing all use the path given here.
std::string historyFilePath(const std::string& programFolder);

// Makes the missing folders on the way to a file, readable by their owner only
// as the XDG base directory rules ask. The problem when one cannot be made.
std::optional<FileProblem> makeFoldersFor(const std::string& filePath);
