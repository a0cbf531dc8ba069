#pragma once

#include <string>
#include <string_view>

// The romaji that types a reading into a Japanese input method, in Hepburn
// spelling where the input method takes it: じしょ jisho, ちゃ cha, ふ fu;
// っ doubles the next consonant (きって kitte); ん before a vowel, y or n is
// nn (きんえん kinnen); を wo, ぢ di, づ du, ー -. Katakana read like
// hiragana. Characters that are not kana are kept as they are.
std::string romaji(std::u16string_view reading);
