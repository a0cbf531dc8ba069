#include "core/lesson_codec.h"

#include "core/local_files.h"
#include "core/utf8.h"

namespace {

constexpr std::uint16_t kScramble = 0x0D35;
constexpr int kOffset = 0x3B;

void appendWord(std::string& bytes, std::uint16_t word) {
    bytes += static_cast<char>(word & 0xFF);
    bytes += static_cast<char>(word >> 8);
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

std::vector<UnencodableChar> charactersOutsideGbk(std::u16string_view text, CodePage& codePage) {
    std::vector<UnencodableChar> outside;
    size_t line = 1;
    size_t column = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        const auto code = codePage.encodeChar(ch);
        if (!code || codePage.decodeCode(*code) != CodePage::bestFit(ch)) {
            const char32_t codePoint = codePointAt(text, i);
            outside.push_back({codePoint, line, column, i});
            if (codePoint > 0xFFFF)
                ++i;
        }
        const bool lineEnds =
            ch == u'\n' || (ch == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'));
        if (lineEnds) {
            ++line;
            column = 1;
        } else if (ch != u'\r') {
            ++column;
        }
    }
    return outside;
}

std::variant<std::string, UnencodableChar> encodeLesson(std::u16string_view text,
                                                        CodePage& codePage) {
    if (const auto outside = charactersOutsideGbk(text, codePage); !outside.empty())
        return outside.front();
    std::string bytes;
    bytes.reserve(lessonFileSize(text.size()));
    for (const char16_t ch : text)
        appendWord(bytes, scrambleCode(*codePage.encodeChar(ch)));
    appendWord(bytes, 0);
    return bytes;
}

std::variant<std::string, LessonRefusal> lessonFileOf(std::u16string_view text,
                                                      CodePage& codePage) {
    const size_t size = lessonFileSize(text.size());
    auto outside = charactersOutsideGbk(text, codePage);
    if (!outside.empty() || size > kLessonFileLimit)
        return LessonRefusal{std::move(outside), size};
    return std::get<std::string>(encodeLesson(text, codePage));
}
