#pragma once

#include "core/ports.h"
#include "readings/ruby.h"
#include "ui/main_window/line_break_map.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <climits>
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

    // The learner's mark at a document position as a character format: the
    // foreground when coloured, the underline when underlined.
    QTextCharFormat markAt(int documentPosition) const;

    // While concealing, every kanji that is not typed is drawn as an empty
    // light-grey frame of its width: the line keeps its shape and positions,
    // and neither a mark nor a selection shows the glyph.
    void setConcealing(bool on);
    bool concealing() const { return m_concealing; }
    // Whether the lesson character at a position was typed (evaluated), which
    // shows it while concealing; a text begins with nothing typed.
    void setTyped(Pos position, bool typed);
    bool concealedAt(int documentPosition) const;
    // Lesson text that stands at lesson position `from`, as the box shows it:
    // each concealed kanji as a frame (□). A hint or a copy then tells no more.
    std::u16string asShown(std::u16string text, Pos from) const;

  signals:
    void concealingChanged(bool on);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

  private:
    // The colour and underline the learner's typing gave a character. Marks are
    // kept beside the document, never in its formats, and painted over the
    // visible lines only: a mark then costs no layout, however long its line.
    struct Mark {
        QRgb colour = 0;
        bool coloured = false;
        bool underlined = false;
        bool operator==(const Mark&) const = default;
    };
    struct PlacedReading {
        int start; // document position
        int length;
        QString text;
    };
    // The characters of a block that stand in the painted area: block
    // positions [from, to), on the block's lines [firstLine, endLine).
    struct VisibleSpan {
        int firstLine = 0;
        int endLine = 0;
        int from = 0;
        int to = 0;
    };

    void paintPlaceholder(QPainter& painter) const;
    void hideSelection();
    template <typename Change> void changeSelectedMarks(Change change);
    void updateCharacters(int from, int to);
    void paintChanged();
    // The line holding a document position, in viewport coordinates.
    QRectF lineSpan(int documentPosition) const;
    void makeRoomForReadings();
    VisibleSpan visibleSpan(const QTextBlock& block, qreal top, qreal bottom) const;
    void paintBlock(QPainter& painter, const QTextBlock& block, QPointF topLeft, const QRect& area,
                    const QAbstractTextDocumentLayout::PaintContext& context) const;
    QList<QTextLayout::FormatRange> markRanges(const QTextBlock& block,
                                               const VisibleSpan& span) const;
    void paintReadings(QPainter& painter, const QTextBlock& block, QPointF topLeft,
                       const VisibleSpan& span) const;
    QList<QTextLayout::FormatRange> concealedRanges(const QTextBlock& block,
                                                    const VisibleSpan& span) const;
    void paintFrames(QPainter& painter, const QTextBlock& block, QPointF topLeft,
                     const VisibleSpan& span) const;
    void underlineFrame(QPainter& painter, const QRectF& frame) const;

    std::u16string m_text;
    LineBreakMap m_lineBreaks;
    int m_selectionStart = 0;
    int m_selectionEnd = 0;
    bool m_selectionShown = false;
    int m_changedFrom = INT_MAX; // document positions not painted since their marks changed
    int m_changedTo = 0;
    std::vector<Mark> m_marks; // by document position, the last separator's included
    RubyRoomLayout* m_layout;
    std::vector<PlacedReading> m_readings; // by start
    std::vector<bool> m_hidden;            // by document position: a kanji not typed
    bool m_concealing = false;
};
