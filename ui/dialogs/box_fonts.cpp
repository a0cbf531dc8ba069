#include "ui/dialogs/box_fonts.h"

#include "ui/dialogs/font_chooser.h"
#include "ui/main_window/lesson_box.h"
#include "ui/main_window/typing_box.h"

namespace {

// Face, size, bold, italic, underline and strikeout go from the choice to the box.
QFont chosenFont(QFont font, const QFont& chosen) {
    font.setFamilies(chosen.families());
    font.setPointSizeF(chosen.pointSizeF());
    font.setBold(chosen.bold());
    font.setItalic(chosen.italic());
    font.setUnderline(chosen.underline());
    font.setStrikeOut(chosen.strikeOut());
    return font;
}

} // namespace

void chooseLessonBoxFont(FontChooser& chooser, QWidget* parent, LessonBoxWidget& box,
                         Pos nextPosition) {
    const auto choice = chooser.choose(parent, box.font());
    if (!choice)
        return;
    box.setFont(chosenFont(box.font(), choice->font));
    box.select(nextPosition, 1);
    box.setSelectionUnderline(true);
    box.showSelection();
}

void chooseTypingBoxFont(FontChooser& chooser, QWidget* parent, TypingBoxWidget& box) {
    const auto choice = chooser.choose(parent, box.font());
    if (!choice)
        return;
    box.setFont(chosenFont(box.font(), choice->font));
    box.selectAll();
    QTextCharFormat colour;
    colour.setForeground(choice->colour);
    box.mergeCurrentCharFormat(colour);
}
