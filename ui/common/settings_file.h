#pragma once

#include <QTemporaryDir>
#include <memory>

// Points the program's QSettings at the learner's configuration folder
// ($XDG_CONFIG_HOME, by default ~/.config) when the settings file there is a
// regular file of a sensible size, or is missing. Anything else in its place
// (a pipe, which would block the start, a device or a huge file) is left
// alone: the settings are then kept in a temporary folder for this run only,
// which the caller holds, and a warning names the file. Call it before the
// first QSettings is made.
std::unique_ptr<QTemporaryDir> placeSettingsFile();
