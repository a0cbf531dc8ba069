#pragma once

#include <cstddef>
#include <string>

// A reading placed over lesson characters: `length` characters from `start`,
// positions in the lesson text (a line break counts as two, CR LF).
struct Ruby {
    std::size_t start = 0;
    std::size_t length = 0;
    std::u16string reading; // hiragana
    friend bool operator==(const Ruby&, const Ruby&) = default;
};
