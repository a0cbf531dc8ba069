#pragma once

#include <optional>
#include <string>
#include <vector>

// What the program was started with:
// orvanta [--learner NAME] [--class-folder DIR] [LESSON]
// (each option also as --option=VALUE; "--" ends the options).
struct StartOptions {
    std::optional<std::string> learner;
    std::optional<std::string> classFolder;
    std::optional<std::string> lesson; // the bytes as given, which need not be UTF-8
    std::optional<std::string> error;  // what was wrong with the arguments
};

// The arguments after the program's name.
StartOptions parseStartOptions(const std::vector<std::string>& arguments);

inline constexpr const char* kStartUsage =
    "usage: orvanta [--learner NAME] [--class-folder DIR] [LESSON]";
