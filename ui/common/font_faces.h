#pragma once

#include <QFont>
#include <QString>

// The faces the windows are designed with, and the installed faces that stand
// in for them on this platform.
inline const QString kJapaneseFace = QStringLiteral("EPSON 太丸ゴシック体Ｂ");
inline const QString kChineseFace = QStringLiteral("宋体");

// Maps the design faces to installed ones, so that each text renders in one
// face rather than a glyph-by-glyph fallback. Call once before creating widgets.
void installFontSubstitutions();

// "宋体" at a point size, for captions, read-outs and buttons.
QFont chineseFont(qreal pointSize);

// The text boxes' design font: the Japanese face at 18 pt.
QFont japaneseBoxFont();
