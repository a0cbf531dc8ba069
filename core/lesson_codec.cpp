#include "core/lesson_codec.h"

namespace {

constexpr std::uint16_t kScramble = 0x0D35;
constexpr int kOffset = 0x3B;

void appendWord(std::string& bytes, std::uint16_t word) {
    bytes += static_cast<char>(word & 0xFF);
    bytes += static_cast<char>(word >> 8);
}

// The character starting at text[i]: a surrogate pair counts as one.
char32_t codePointAt(std::u16string_view text, size_t i) {
    const char16_t high = text[i];
    if (high >= 0xD800 && high <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
        return 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    return high;
}

} // namespace

std::optional<std::uint16_t> descrambleWord(std::uint16_t stored) {
    const auto t = static_cast<std::int16_t>(stored ^ kScramble);
    const int code = t - kOffset;
    if (code < INT16_MIN)
        return std::nullopt;
    return static_cast<std::uint16_t>(code);
}

std::uint16_t scrambleCode(std::uint16_t code) {
    return static_cast<std::uint16_t>((code + kOffset) & 0xFFFF) ^ kScramble;
}

DecodedLesson decodeLesson(std::string_view bytes, CodePage& codePage) {
    DecodedLesson lesson;
    lesson.text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto stored = static_cast<std::uint16_t>(
            static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (stored == 0)
            break;
        const auto code = descrambleWord(stored);
        if (!code) {
            lesson.failedAtByteOffset = i;
            break;
        }
        lesson.text += codePage.decodeCode(*code);
    }
    return lesson;
}

std::variant<std::string, UnencodableChar> encodeLesson(std::u16string_view text,
                                                        CodePage& codePage) {
    std::string bytes;
    bytes.reserve(text.size() * 2 + 2);
    size_t line = 1;
    size_t column = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        const auto code = codePage.encodeChar(ch);
        if (!code || codePage.decodeCode(*code) != CodePage::bestFit(ch))
            return UnencodableChar{codePointAt(text, i), line, column};
        appendWord(bytes, scrambleCode(*code));
        if (ch == u'\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    appendWord(bytes, 0);
    return bytes;
}
