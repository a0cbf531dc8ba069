#include "core/common_prefix.h"

#include <algorithm>
#include <cstring>

std::size_t commonPrefix(std::u16string_view a, std::u16string_view b) {
    constexpr std::size_t kBlock = 512;
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t at = 0;
    while (at + kBlock <= shorter &&
           std::memcmp(a.data() + at, b.data() + at, kBlock * sizeof(char16_t)) == 0)
        at += kBlock;
    const auto [end, _] = std::mismatch(a.begin() + static_cast<std::ptrdiff_t>(at), a.end(),
                                        b.begin() + static_cast<std::ptrdiff_t>(at), b.end());
    return static_cast<std::size_t>(end - a.begin());
}
