#pragma once

#include "core/mistake_kind.h"
#include "core/ports.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One real slip of an attempt: a part of the lesson and what the learner typed
// in its place, found by aligning what was typed to the lesson. Characters that
// only stand moved by a slip are never slips of their own.
struct Slip {
    Pos start = 0;           // lesson position of the expected part (line breaks CR LF)
    std::u16string expected; // the lesson's part; empty for an extra input
    std::u16string typed;    // what stood in its place; empty for a skip
    std::u16string reading;  // of the expected part in hiragana; empty when unknown
    std::optional<std::u16string> preedit; // the kana typed for it, when known
    Explanation explanation;
    bool corrected = false; // taken back and typed right since
    bool takenBack = false; // its typed part is no longer there
    int line = 1;           // of the lesson, from 1
    Pos typedStart = 0;     // where the typed part stands in what the learner typed
    Pos typedLength = 0;    // its length there, line breaks included
    friend bool operator==(const Slip&, const Slip&) = default;
};

using Slips = std::vector<Slip>;

// The lesson positions a slip got wrong: its expected part without what it
// shares with the typed part at either end (the は of 今晩は typed as
// こんばんは was typed right), from `first` up to `last`.
struct WrongPart {
    Pos first = 0;
    Pos last = 0;
};
WrongPart wrongPartOf(Pos start, std::u16string_view expected, std::u16string_view typed);
inline WrongPart wrongPartOf(const Slip& slip) {
    return wrongPartOf(slip.start, slip.expected, slip.typed);
}
