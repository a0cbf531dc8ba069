#include "core/slip.h"

#include <algorithm>

WrongPart wrongPartOf(Pos start, std::u16string_view expected, std::u16string_view typed) {
    const std::u16string_view e = expected;
    const std::u16string_view t = typed;
    const auto shared = std::min(e.size(), t.size());
    std::size_t head = 0;
    while (head < shared && e[head] == t[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shared - head && e[e.size() - 1 - tail] == t[t.size() - 1 - tail])
        ++tail;
    if (head + tail >= e.size()) // all of it shared: a slip of length alone
        return {start, start + static_cast<Pos>(e.size())};
    return {start + static_cast<Pos>(head), start + static_cast<Pos>(e.size() - tail)};
}
