#pragma once

#include <string>

// The learner's data folder, $XDG_DATA_HOME, by default ~/.local/share; a
// relative or empty $XDG_DATA_HOME is ignored as the XDG base directory rules ask.
std::string userDataFolder();
