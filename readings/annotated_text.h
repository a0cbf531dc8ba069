#pragma once

#include "readings/ruby.h"

#include <string>
#include <string_view>
#include <vector>

// The text with each reading in brackets after the characters it stands over,
// as a teacher checks a lesson: 食[た]べる, 辞書[じしょ].
std::u16string annotatedText(std::u16string_view text, const std::vector<Ruby>& rubies);
