#include "core/slip.h"

#include <algorithm>

WrongPart wrongPartOf(Pos start, std::u16string_view expected, std::u16string_view typed) {
    const std::size_t shared = std::min(expected.size(), typed.size());
    std::size_t head = 0;
    while (head < shared && expected[head] == typed[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shared - head &&
           expected[expected.size() - 1 - tail] == typed[typed.size() - 1 - tail])
        ++tail;
    const auto length = static_cast<Pos>(expected.size());
    if (head + tail >= expected.size()) // all of it shared: a slip of length alone
        return {start, start + length};
    return {start + static_cast<Pos>(head), start + length - static_cast<Pos>(tail)};
}
