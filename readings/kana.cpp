#include "readings/kana.h"

#include <algorithm>

namespace {

constexpr char16_t kRepeatMark = u'々';
constexpr char16_t kClosingMark = u'〆';
constexpr char16_t kSmallKe = u'ヶ';
// Katakana ァ..ヶ lie 0x60 above hiragana ぁ..ゖ.
constexpr char16_t kKanaDistance = 0x60;

} // namespace

bool takesReading(char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || c == kRepeatMark || c == kClosingMark || c == kSmallKe;
}

bool isKatakana(char16_t c) {
    return c >= u'ァ' && c <= u'ヺ';
}

bool isHiragana(char16_t c) {
    return c >= u'ぁ' && c <= u'ゖ';
}

std::u16string toHiragana(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'ァ' && c <= u'ヶ')
            c = static_cast<char16_t>(c - kKanaDistance);
    }
    return out;
}

namespace {

bool isJapanesePunctuation(char16_t c) {
    return (c >= u'、' && c <= u'〟') || c == u'・' || c == u'！' || c == u'？' || c == u'～';
}

bool isPendingN(char16_t c) {
    return c == u'n' || c == u'ｎ';
}

} // namespace

std::optional<std::u16string> readingOfPreedit(std::u16string_view preedit) {
    std::u16string reading(preedit);
    if (!reading.empty() && isPendingN(reading.back()))
        reading.back() = u'ん';
    const bool spelt = std::any_of(reading.begin(), reading.end(),
                                   [](char16_t c) { return isHiragana(c) || isKatakana(c); });
    const bool onlyKana = std::all_of(reading.begin(), reading.end(), [](char16_t c) {
        return isHiragana(c) || isKatakana(c) || c == u'ー' || isJapanesePunctuation(c);
    });
    if (!spelt || !onlyKana)
        return std::nullopt;
    return reading;
}
