#pragma once

#include "core/code_page.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

// A text file a teacher brings in as a lesson: its encoding is detected, not asked.

enum class TextEncoding {
    Utf8WithByteOrderMark,
    Utf8, // also plain ASCII
    Gbk,
};

struct ImportedText {
    std::u16string text; // line breaks as they were in the file
    TextEncoding encoding;
};

enum class NotText {
    Utf16,            // starts with a UTF-16 byte order mark
    NulByte,          // a byte 0: a binary file
    ControlCharacter, // a control character other than tab, CR and LF
    UnknownEncoding,  // neither valid UTF-8 nor valid GBK
};

struct RefusedText {
    NotText reason;
    size_t byteOffset; // of the first byte that decided it
};

// A control character other than tab, CR and LF: no lesson holds one.
bool isStrayControl(unsigned char byte);

// UTF-8 is tried first (a byte order mark is skipped), then GBK.
std::variant<ImportedText, RefusedText> importText(std::string_view bytes, CodePage& codePage);
