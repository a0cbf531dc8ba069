#pragma once

#include "core/ports.h"
#include "readings/ruby.h"
#include "ui/main_window/line_break_map.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <set>
#include <vector>

class RubyRoomLayout;

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
    void reveal(Pos position) override;

    // Readings painted in small kana over their characters, never part of the
    // text or its formats; the lines get room for them. None gives the room back.
    void setReadings(const std::vector<Ruby>& rubies);
    bool showsReadings() const { return !m_readings.empty(); }
    QFont readingFont() const;

    // The lesson position of the character at a point of the viewport.
    Pos positionAt(QPoint point) const;

    // Makes the selection the box's visible one, until the next select().
    // The marks of typing select without showing it, as an unfocused box would.
    void showSelection();

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

  signals:
    // The program replaced the whole text (a lesson loaded, or the box emptied).
    void textReplaced();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void hideSelection();
    struct PlacedReading {
        int start; // document position
        int length;
        QString text;
    };

    void mergeAt(int documentStart, int documentEnd, const QTextCharFormat& format);
    void makeRoomForReadings();
    void paintReadings(QPainter& painter, const QTextBlock& block, const QRectF& geometry) const;

    std::u16string m_text;
    LineBreakMap m_lineBreaks;
    int m_selectionStart = 0;
    int m_selectionEnd = 0;
    bool m_selectionShown = false;
    // Document positions that carry an underline, so that clearing the underline
    // of the whole text touches only them.
    std::set<int> m_underlined;
    RubyRoomLayout* m_layout;
    std::vector<PlacedReading> m_readings; // by start
};
