#include "core/number_text.h"

#include <string>

std::u16string numberText(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::int64_t leadingNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value > (INT64_MAX - 9) / 10)
            break;
        value = value * 10 + (text[i] - u'0');
    }
    return negative ? -value : value;
}
