#include "ui/main_window/lesson_box.h"

#include "ui/main_window/ruby_room_layout.h"

#include <QEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

// The readings over the lesson box's kanji: painted after the text, one
// visible line at a time, in the room the layout leaves above each line.

namespace {

constexpr qreal kReadingScale = 0.5;
constexpr int kGapAboveKanji = 1; // pixels
constexpr qreal kSmallestReadingPoints = 6;
const QColor kReadingColour(72, 72, 72);

} // namespace

QFont LessonBoxWidget::readingFont() const {
    QFont small = font();
    small.setPointSizeF(std::max(kSmallestReadingPoints, font().pointSizeF() * kReadingScale));
    small.setUnderline(false);
    small.setStrikeOut(false);
    return small;
}

void LessonBoxWidget::setReadings(const std::vector<Ruby>& rubies) {
    m_readings.clear();
    for (const Ruby& ruby : rubies) {
        const int start = m_lineBreaks.toDocument(static_cast<Pos>(ruby.start));
        m_readings.push_back(
            {start, static_cast<int>(ruby.length), QString::fromStdU16String(ruby.reading)});
    }
    makeRoomForReadings();
    viewport()->update();
}

void LessonBoxWidget::makeRoomForReadings() {
    m_layout->setRoom(m_readings.empty() ? 0
                                         : QFontMetrics(readingFont()).height() + kGapAboveKanji);
}

void LessonBoxWidget::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        makeRoomForReadings();
}

// Each reading is centred over its characters on the line where they start;
// a reading wider than its kanji spreads evenly to both sides. Only the
// readings that start on the visible lines are looked at.
void LessonBoxWidget::paintReadings(QPainter& painter, const QTextBlock& block, QPointF topLeft,
                                    const VisibleSpan& span) const {
    if (m_readings.empty() || m_concealment == Concealment::Everything)
        return; // a reading would tell what the recording is for

    painter.save();
    painter.setFont(readingFont());
    painter.setPen(kReadingColour);
    const int blockStart = block.position();
    auto reading =
        std::lower_bound(m_readings.begin(), m_readings.end(), blockStart + span.from,
                         [](const PlacedReading& r, int position) { return r.start < position; });
    const QTextLayout* layout = block.layout();
    const int room = m_layout->room();
    int lineNumber = span.firstLine;
    for (; reading != m_readings.end() && reading->start < blockStart + span.to; ++reading) {
        const int start = reading->start - blockStart;
        while (lineNumber + 1 < span.endLine && layout->lineAt(lineNumber + 1).textStart() <= start)
            ++lineNumber;
        const QTextLine line = layout->lineAt(lineNumber);
        const int end = std::min(start + reading->length, line.textStart() + line.textLength());
        const qreal left = line.cursorToX(start);
        const qreal width = line.cursorToX(end) - left;
        const QRectF over(topLeft.x() + left, topLeft.y() + line.y() - room, width,
                          room - kGapAboveKanji);
        painter.drawText(over, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip,
                         reading->text);
    }
    painter.restore();
}
