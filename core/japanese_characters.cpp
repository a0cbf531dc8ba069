#include "core/japanese_characters.h"

#include <array>

namespace {

bool isIdeograph(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF);
}

} // namespace

JapaneseCharacters::JapaneseCharacters() : m_toJis(::iconv_open("EUC-JISX0213", "UTF-32LE")) {}

JapaneseCharacters::~JapaneseCharacters() {
    if (m_toJis != reinterpret_cast<iconv_t>(-1))
        ::iconv_close(m_toJis);
}

bool JapaneseCharacters::isForeignKanji(char32_t codePoint) {
    if (!isIdeograph(codePoint) || m_toJis == reinterpret_cast<iconv_t>(-1))
        return false;
    std::array<char, 4> in{static_cast<char>(codePoint & 0xFF),
                           static_cast<char>((codePoint >> 8) & 0xFF),
                           static_cast<char>((codePoint >> 16) & 0xFF), 0};
    std::array<char, 16> out{};
    char* inPointer = in.data();
    char* outPointer = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    ::iconv(m_toJis, nullptr, nullptr, nullptr, nullptr); // a fresh shift state
    return ::iconv(m_toJis, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1);
}
