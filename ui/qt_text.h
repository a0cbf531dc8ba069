#pragma once

#include <QString>
#include <string_view>

// The practice logic's UTF-16 text as Qt text.
inline QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
