#pragma once

#include <string>

// What kind of mistake a wrong character was, as the journal keeps it: the
// kind's name (中文字形, 写成假名, ...) and a detail (促音, 错位, ...), both
// empty when unknown. A mistake whose detail is kShifted is only the echo of
// an earlier slip, and is left out of what the learner is told to practise.
struct MistakeNote {
    std::string kind;
    std::string detail;
    friend bool operator==(const MistakeNote&, const MistakeNote&) = default;
};

inline constexpr const char* kShifted = "错位";
