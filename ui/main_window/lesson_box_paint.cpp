#include "ui/main_window/lesson_box.h"

#include "ui/common/font_faces.h"
#include "ui/main_window/ruby_room_layout.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <algorithm>
#include <ranges>

// The lesson box paints its blocks itself, as the plain text box would, with
// the learner's marks as format ranges of the visible lines: whatever the
// length of a line, a paint costs what stands in view.

void LessonBoxWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.setClipRect(area);
    if (document()->isEmpty() && !placeholderText().isEmpty()) {
        paintPlaceholder(painter);
        return;
    }
    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && offset.y() <= area.bottom();
         block = block.next()) {
        const QRectF geometry = blockBoundingRect(block).translated(offset);
        if (block.isVisible() && geometry.bottom() >= area.top())
            paintBlock(painter, block, geometry.topLeft(), area, context);
        offset.ry() += geometry.height();
    }
}

// The lines whose text or reading room crosses [top, bottom] (block coordinates).
LessonBoxWidget::VisibleSpan LessonBoxWidget::visibleSpan(const QTextBlock& block, qreal top,
                                                          qreal bottom) const {
    const QTextLayout& layout = *block.layout();
    const auto lines = std::views::iota(0, layout.lineCount());
    const auto above = [&](int i) {
        const QTextLine line = layout.lineAt(i);
        return line.y() + line.height() < top;
    };
    const auto reaches = [&](int i) { return layout.lineAt(i).y() - m_layout->room() <= bottom; };
    VisibleSpan span;
    span.firstLine = static_cast<int>(std::ranges::partition_point(lines, above) - lines.begin());
    span.endLine = static_cast<int>(std::ranges::partition_point(lines, reaches) - lines.begin());
    if (span.firstLine >= span.endLine)
        return {};
    const QTextLine last = layout.lineAt(span.endLine - 1);
    span.from = layout.lineAt(span.firstLine).textStart();
    span.to = last.textStart() + last.textLength();
    if (span.endLine == layout.lineCount())
        span.to = block.length(); // with the separator, which a mark may underline
    return span;
}

void LessonBoxWidget::paintBlock(QPainter& painter, const QTextBlock& block, QPointF topLeft,
                                 const QRect& area,
                                 const QAbstractTextDocumentLayout::PaintContext& context) const {
    const VisibleSpan span =
        visibleSpan(block, area.top() - topLeft.y(), area.bottom() - topLeft.y());
    if (span.from == span.to)
        return;
    QList<QTextLayout::FormatRange> ranges = markRanges(block, span);
    // The shown selection goes over the marks, as a selection goes over formats.
    for (const QAbstractTextDocumentLayout::Selection& selection : context.selections) {
        const int start = std::max(selection.cursor.selectionStart() - block.position(), 0);
        const int end =
            std::min(selection.cursor.selectionEnd() - block.position(), block.length());
        if (start < end)
            ranges.append({start, end - start, selection.format});
    }
    ranges.append(concealedRanges(block, span));
    block.layout()->draw(&painter, topLeft, ranges, area);
    paintFrames(painter, block, topLeft, span);
    paintReadings(painter, block, topLeft, span);
}

// One range for every run of equal marks. A mark's range also paints the
// background, so that Qt never takes two neighbouring ranges for one text.
QList<QTextLayout::FormatRange> LessonBoxWidget::markRanges(const QTextBlock& block,
                                                            const VisibleSpan& span) const {
    QList<QTextLayout::FormatRange> ranges;
    if (m_marks.size() < static_cast<size_t>(block.position() + block.length()))
        return ranges; // a text the box did not set has no marks
    const auto first = m_marks.begin() + block.position();
    for (int start = span.from; start < span.to;) {
        const Mark& mark = first[start];
        int end = start + 1;
        while (end < span.to && first[end] == mark)
            ++end;
        if (mark != Mark{}) {
            QTextCharFormat format = markAt(block.position() + start);
            format.setBackground(palette().base());
            ranges.append({start, end - start, format});
        }
        start = end;
    }
    return ranges;
}

// Drawn where the text would begin, as the plain text box draws its own; it
// is never part of the text, which stays empty until a lesson loads.
void LessonBoxWidget::paintPlaceholder(QPainter& painter) const {
    const qreal margin = document()->documentMargin();
    const QRectF room = QRectF(viewport()->rect()).adjusted(margin, margin, -margin, -margin);
    painter.setFont(chineseFont(14.25)); // the lesson face may lack the simplified forms
    painter.setPen(palette().placeholderText().color());
    painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, placeholderText());
}
