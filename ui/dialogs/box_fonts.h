#pragma once

#include "core/ports.h"

class FontChooser;
class LessonBoxWidget;
class TypingBoxWidget;
class QWidget;

// The two font commands of the 设置 menu.

// The lesson box takes the chosen face and keeps its marks; the next character
// to type, at `nextPosition`, is marked and shown selected again.
void chooseLessonBoxFont(FontChooser& chooser, QWidget* parent, LessonBoxWidget& box,
                         Pos nextPosition);

// The typing box takes the face, and the colour for its selection: with the
// selection guard, that is one character or what is typed next.
void chooseTypingBoxFont(FontChooser& chooser, QWidget* parent, TypingBoxWidget& box);
