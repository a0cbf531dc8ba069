#include "ui/main_window/lesson_box.h"

#include "readings/kana.h"

#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <algorithm>
#include <optional>

// Concealing: the kanji (or all characters) not typed yet stand as empty
// frames, so that the learner recalls them from the readings above or from
// the recording. Each is painted again,
// transparent, after the marks and the selection (which then cannot show it),
// and framed in its own cell; the layout is the one of the shown text.

namespace {

const QColor kFrameColour(190, 190, 190);
constexpr qreal kFrameInset = 1.5; // pixels inside the character's cell
constexpr qreal kUnderlineWidth = 2;
constexpr char16_t kFrameCharacter = u'□'; // a concealed character in a copy or a hint

} // namespace

void LessonBoxWidget::setConcealment(Concealment concealment) {
    if (concealment == m_concealment)
        return;
    m_concealment = concealment;
    viewport()->update();
    emit concealmentChanged(concealment);
}

void LessonBoxWidget::setTyped(Pos position, bool typed) {
    const int at = m_lineBreaks.toDocument(position);
    if (at < 0 || static_cast<size_t>(at) >= m_untyped.size() ||
        document()->characterAt(at) == QChar::ParagraphSeparator)
        return;
    m_untyped[static_cast<size_t>(at)] = !typed;
    if (concealing())
        updateCharacters(at, at + 1);
}

bool LessonBoxWidget::concealedAt(int documentPosition) const {
    const auto at = static_cast<size_t>(documentPosition);
    if (!concealing() || at >= m_untyped.size() || !m_untyped[at])
        return false;
    return m_concealment == Concealment::Everything ||
           takesReading(document()->characterAt(documentPosition).unicode());
}

std::u16string LessonBoxWidget::asShown(std::u16string text, Pos from) const {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (concealedAt(m_lineBreaks.toDocument(from + static_cast<Pos>(i))))
            text[i] = kFrameCharacter;
    return text;
}

// A copy (Ctrl+C, a drag) holds what the box shows, a frame for each concealed
// character; the plain text of a selection has a character for each of its positions.
QMimeData* LessonBoxWidget::createMimeDataFromSelection() const {
    if (!concealing())
        return QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor selection = textCursor();
    QString shown = selection.selection().toPlainText();
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (concealedAt(selection.selectionStart() + static_cast<int>(i)))
            shown[i] = QChar(kFrameCharacter);
    auto* data = new QMimeData;
    data->setText(shown);
    return data;
}

// One range for every run of concealed characters: on the ground of the box,
// so that it covers what the marks and a selection drew.
QList<QTextLayout::FormatRange> LessonBoxWidget::concealedRanges(const QTextBlock& block,
                                                                 const VisibleSpan& span) const {
    QList<QTextLayout::FormatRange> ranges;
    if (!concealing())
        return ranges;
    QTextCharFormat hidden;
    hidden.setForeground(Qt::transparent);
    hidden.setBackground(palette().base());
    hidden.setFontUnderline(false); // the frame carries it
    const int base = block.position();
    for (int start = span.from; start < span.to;) {
        int end = start;
        while (end < span.to && concealedAt(base + end))
            ++end;
        if (end > start)
            ranges.append({start, end - start, hidden});
        start = end + 1;
    }
    return ranges;
}

// The next character to type: its frame underlined in the text's colour.
void LessonBoxWidget::underlineFrame(QPainter& painter, const QRectF& frame) const {
    painter.save();
    painter.setPen(QPen(palette().text().color(), kUnderlineWidth));
    painter.drawLine(QPointF(frame.left(), frame.bottom()), QPointF(frame.right(), frame.bottom()));
    painter.restore();
}

void LessonBoxWidget::paintFrames(QPainter& painter, const QTextBlock& block, QPointF topLeft,
                                  const VisibleSpan& span, const QRect& area) const {
    if (!concealing())
        return;
    painter.save();
    painter.setPen(QPen(kFrameColour, 1));
    painter.setBrush(Qt::NoBrush);
    const QTextLayout& layout = *block.layout();
    for (int i = span.firstLine; i < span.endLine; ++i) {
        const QTextLine line = layout.lineAt(i);
        // Only the characters in the painted area, one more on each side; a
        // keystroke repaints a character or two of its line.
        const int end = line.textStart() + line.textLength();
        const int first = std::max(line.textStart(), line.xToCursor(area.left() - topLeft.x()) - 1);
        const int last = std::min(end, line.xToCursor(area.right() - topLeft.x()) + 1);
        // A run of frames shares its edges: each x is asked of the layout once.
        std::optional<qreal> left;
        for (int p = first; p < last; ++p) {
            if (!concealedAt(block.position() + p)) {
                left.reset();
                continue;
            }
            const qreal from = left ? *left : line.cursorToX(p);
            left = line.cursorToX(p + 1);
            const QRectF cell(topLeft.x() + from, topLeft.y() + line.y(), *left - from,
                              line.height());
            const QRectF frame =
                cell.adjusted(kFrameInset, kFrameInset, -kFrameInset, -kFrameInset);
            painter.drawRect(frame);
            if (m_marks[static_cast<size_t>(block.position() + p)].underlined)
                underlineFrame(painter, frame);
        }
    }
    painter.restore();
}
