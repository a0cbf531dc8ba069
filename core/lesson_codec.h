#pragma once

#include "core/code_page.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Lesson files: 16-bit little-endian words, each a scrambled code-page
// character, ended by a word whose stored value is 0.

// The code page character code stored in one word, or nothing when the signed
// 16-bit subtraction of the descrambling overflows.
std::optional<std::uint16_t> descrambleWord(std::uint16_t stored);
std::uint16_t scrambleCode(std::uint16_t code);

struct DecodedLesson {
    std::u16string text;                      // everything decoded before a stop
    std::optional<size_t> failedAtByteOffset; // set when a word failed to decode
};

// Reads words until the terminator or the end of the bytes; a final odd byte is
// ignored. A word that fails to decode stops the reading.
DecodedLesson decodeLesson(std::string_view bytes, CodePage& codePage);

struct UnencodableChar {
    char32_t codePoint; // a character outside the BMP is named whole
    size_t line;        // 1-based
    size_t column;      // 1-based, in characters
};

// The lesson file bytes of a text, terminator included, or the first character
// the code page cannot hold.
std::variant<std::string, UnencodableChar> encodeLesson(std::u16string_view text,
                                                        CodePage& codePage);
