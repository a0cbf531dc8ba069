#pragma once

#include <string>
#include <string_view>

// What sets a wrong reading apart from the right one, both in kana: 促音 (a
// missing or extra っ), 长音 (a missing or extra long vowel), 拗音 (ゃゅょ
// written large or left out), 浊音/半浊音 (゛ or ゜ missing or extra), 形近
// (kana that look alike: シ for ツ, ソ for ン). Empty when none of these.
std::string readingDetail(std::u16string_view expected, std::u16string_view typed);
