#pragma once

#include <optional>
#include <string_view>

// How a lesson is practised: with its text shown, with its kanji hidden under
// their readings to be recalled, or hidden whole while its recording plays.
enum class PracticeMode { Text, Recall, Dictation };

// The mode's name as the journal and the settings keep it: text, recall, dictation.
std::string_view modeName(PracticeMode mode);
std::optional<PracticeMode> modeNamed(std::string_view name);
