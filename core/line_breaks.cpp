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
