#include "core/practice_mode.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<PracticeMode, std::string_view>, 3> kNames = {{
    {PracticeMode::Text, "text"},
    {PracticeMode::Recall, "recall"},
    {PracticeMode::Dictation, "dictation"},
}};

} // namespace

std::string_view modeName(PracticeMode mode) {
    for (const auto& [each, name] : kNames)
        if (each == mode)
            return name;
    return "text";
}

std::optional<PracticeMode> modeNamed(std::string_view name) {
    for (const auto& [mode, each] : kNames)
        if (each == name)
            return mode;
    return std::nullopt;
}
