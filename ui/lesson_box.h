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

    // Scrolls so that the character at a position is in view.
    void reveal(Pos position);

    // While one lives, the box's marks are laid out once, when it ends, rather
    // than once per mark: on a long line each layout costs the whole line.
    class MarkBatch {
      public:
        explicit MarkBatch(LessonBoxWidget& box) : m_cursor(box.document()) {
            m_cursor.beginEditBlock();
        }
        ~MarkBatch() { m_cursor.endEditBlock(); }
        MarkBatch(const MarkBatch&) = delete;
        MarkBatch& operator=(const MarkBatch&) = delete;

      private:
        QTextCursor m_cursor;
    };

  private:
    void mergeAt(int documentStart, int documentEnd, const QTextCharFormat& format);

    std::u16string m_text;
    LineBreakMap m_lineBreaks;
    int m_selectionStart = 0;
    int m_selectionEnd = 0;
    // Document positions that carry an underline, so that clearing the underline
    // of the whole text touches only them.
    std::set<int> m_underlined;
};
