#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 <-> UTF-16 for the command-line tool and for file names. Characters
// outside the Basic Multilingual Plane become surrogate pairs.
std::string toUtf8(std::u16string_view text);

struct Utf8Error {
    size_t byteOffset;
};

// Strict decoding: overlong forms, surrogates and truncated sequences are refused.
std::optional<std::u16string> fromUtf8(std::string_view bytes, Utf8Error* error = nullptr);

// The character starting at text[i]: a surrogate pair counts as one.
char32_t codePointAt(std::u16string_view text, size_t i);
