#pragma once

#include <optional>
#include <string>
#include <string_view>

// Characters that carry a reading of their own: kanji, the repeat mark 々, 〆
// and the small ヶ of counters (一ヶ月), which are read as part of their kanji.
bool takesReading(char16_t c);
bool isKatakana(char16_t c);
bool isHiragana(char16_t c);

// Katakana to hiragana; everything else (ー included) is kept.
std::u16string toHiragana(std::u16string_view text);

// The reading an input method's composition spells, or nothing when it is no
// longer kana (a candidate shown): kana and Japanese punctuation, with a
// romaji n still pending at its end read as ん (Mozc shows たなかさn until
// the next key).
std::optional<std::u16string> readingOfPreedit(std::u16string_view preedit);
