#pragma once

#include <string>
#include <string_view>

// Every line break as CR LF: a lone CR or a lone LF becomes CR LF, so that a
// line break always takes the two positions the comparison engine expects.
std::u16string withCrLf(std::u16string_view text);
