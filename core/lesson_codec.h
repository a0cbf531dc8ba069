#pragma once

#include "core/code_page.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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
    size_t offset;      // of its first UTF-16 unit in the text
};

// Every character of the text the code page cannot hold, in text order. A line
// ends at LF or at a CR not followed by LF.
std::vector<UnencodableChar> charactersOutsideGbk(std::u16string_view text, CodePage& codePage);

// The lesson file bytes of a text, terminator included, or the first character
// the code page cannot hold.
std::variant<std::string, UnencodableChar> encodeLesson(std::u16string_view text,
                                                        CodePage& codePage);

// The size in bytes of the lesson file of a text of `length` UTF-16 units.
constexpr size_t lessonFileSize(size_t length) {
    return 2 * (length + 1);
}

// Why a text cannot become a lesson file the program reads.
struct LessonRefusal {
    std::vector<UnencodableChar> outsideGbk; // empty when only the size is wrong
    size_t fileSize;                         // more than kLessonFileLimit when too large
};

// The lesson file of a text whose line breaks are CR LF: what the lesson tool
// and the lesson editor write.
std::variant<std::string, LessonRefusal> lessonFileOf(std::u16string_view text, CodePage& codePage);
