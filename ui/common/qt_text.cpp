#include "ui/common/qt_text.h"

QString documentText(std::u16string_view text) {
    QString plain = qs(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return plain;
}

std::u16string lineBreaksAsCrLf(QString plain) {
    plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return plain.toStdU16String();
}
