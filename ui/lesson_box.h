#pragma once

#include "core/ports.h"
#include "ui/line_break_map.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <set>

// `R1`: the lesson text with the learner's marks. Read-only: the program alone
// sets its text and formatting, since the lesson it shows is what is compared.
class LessonBoxWidget final : public QPlainTextEdit, public LessonBox {
    Q_OBJECT
  public:
    explicit LessonBoxWidget(QWidget* parent = nullptr);

    const std::u16string& text() const override { return m_text; }
    void setText(std::u16string text) override;
    void select(Pos start, Pos length) override;
    void setSelectionColour(Rgb colour) override;
    void setSelectionUnderline(bool on) override;

    // Makes the selection the box's visible one, until the next select().
    // The marks of typing select without showing it, as an unfocused box would.
    void showSelection();
    // Scrolls so that the character at a position is in view.
    void reveal(Pos position);

  private:
    void hideSelection();
    void mergeAt(int documentStart, int documentEnd, const QTextCharFormat& format);

    std::u16string m_text;
    LineBreakMap m_lineBreaks;
    int m_selectionStart = 0;
    int m_selectionEnd = 0;
    bool m_selectionShown = false;
    // Document positions that carry an underline, so that clearing the underline
    // of the whole text touches only them.
    std::set<int> m_underlined;
};
