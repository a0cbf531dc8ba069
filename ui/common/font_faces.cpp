#include "ui/common/font_faces.h"

#include <QStringList>

void installFontSubstitutions() {
    const QStringList japanese = {QStringLiteral("MotoyaLMaru"),
                                  QStringLiteral("Noto Sans CJK JP")};
    const QStringList chinese = {QStringLiteral("Noto Serif CJK SC"),
                                 QStringLiteral("Noto Sans CJK SC")};
    QFont::insertSubstitutions(kJapaneseFace, japanese);
    QFont::insertSubstitutions(kChineseFace, chinese);
}

QFont chineseFont(qreal pointSize) {
    QFont font(kChineseFace);
    font.setPointSizeF(pointSize);
    return font;
}

QFont japaneseBoxFont() {
    QFont font(kJapaneseFace);
    font.setPointSizeF(18);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
