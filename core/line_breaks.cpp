#include "core/line_breaks.h"

std::u16string withCrLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        if (ch != u'\r' && ch != u'\n') {
            out += ch;
            continue;
        }
        out += u"\r\n";
        if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return out;
}

namespace {

bool isSpace(char16_t ch) {
    return ch == u' ' || ch == u'\u3000';
}

void dropTrailingSpaces(std::u16string& text) {
    while (!text.empty() && isSpace(text.back()))
        text.pop_back();
}

} // namespace

std::u16string tidyLessonText(std::u16string_view text) {
    const std::u16string lines = withCrLf(text);
    std::u16string out;
    out.reserve(lines.size());
    for (const char16_t ch : lines) {
        if (ch == u'\r')
            dropTrailingSpaces(out);
        out += ch == u'\t' ? u' ' : ch;
    }
    dropTrailingSpaces(out);
    while (out.ends_with(u"\r\n")) {
        out.resize(out.size() - 2);
        dropTrailingSpaces(out);
    }
    return out;
}
