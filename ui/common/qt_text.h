#pragma once

#include <QString>
#include <string>
#include <string_view>

// The practice logic's UTF-16 text as Qt text, and the one place where its
// line breaks (CR LF) meet a Qt document's (one separator, "\n" in plain text).

inline QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The text as a document holds it: each CR LF, and a lone CR, becomes "\n",
// as QPlainTextEdit::setPlainText would make them one block break anyway.
QString documentText(std::u16string_view text);

// A document's plain text with each "\n" as CR LF.
std::u16string lineBreaksAsCrLf(QString plain);
