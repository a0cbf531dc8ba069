#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A whole number as decimal text, as the read-out labels show it.
std::u16string numberText(std::int64_t value);

// The leading decimal number of a caption (an optional sign, then digits);
// a caption with no leading number gives 0.
std::int64_t leadingNumber(std::u16string_view text);
