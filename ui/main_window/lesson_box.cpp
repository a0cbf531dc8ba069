#include "ui/main_window/lesson_box.h"

#include "readings/kana.h"
#include "ui/common/qt_text.h"
#include "ui/main_window/ruby_room_layout.h"

#include <QScrollBar>
#include <QTextBlock>
#include <climits>

namespace {

// Pixels around a changed character that are painted with it: a glyph's
// overhang and the underline.
constexpr int kPaintMargin = 4;

} // namespace

LessonBoxWidget::LessonBoxWidget(QWidget* parent) : QPlainTextEdit(parent) {
    auto* lessonDocument = new QTextDocument(this);
    m_layout = new RubyRoomLayout(lessonDocument);
    lessonDocument->setDocumentLayout(m_layout);
    setDocument(lessonDocument);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void LessonBoxWidget::setText(std::u16string text) {
    m_text = std::move(text);
    m_lineBreaks.rebuild(m_text);
    m_selectionStart = m_selectionEnd = 0;
    m_readings.clear(); // they belonged to the text replaced
    m_selectionShown = false;
    const QString shown = documentText(m_text);
    setPlainText(shown);
    // Qt lets go of a block's shaping once it is laid out, and shapes a long
    // line again for every question about a place in it (a key asks several);
    // the lesson's text stays until the next lesson, so its shaping is kept.
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    m_marks.assign(static_cast<size_t>(document()->characterCount()), Mark{});
    m_hidden.assign(m_marks.size(), false);
    for (qsizetype p = 0; p < shown.size(); ++p)
        m_hidden[static_cast<size_t>(p)] = takesReading(shown[p].unicode());
}

Pos LessonBoxWidget::positionAt(QPoint point) const {
    return m_lineBreaks.toProgram(cursorForPosition(point).position());
}

void LessonBoxWidget::select(Pos start, Pos length) {
    if (m_selectionShown)
        hideSelection();
    const int documentLength = document()->characterCount() - 1;
    m_selectionStart = std::clamp(m_lineBreaks.toDocument(start), 0, documentLength);
    m_selectionEnd =
        std::clamp(m_lineBreaks.toDocument(start + length), m_selectionStart, documentLength);
}

void LessonBoxWidget::showSelection() {
    QTextCursor cursor(document());
    cursor.setPosition(m_selectionStart);
    cursor.setPosition(m_selectionEnd, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    m_selectionShown = true;
}

void LessonBoxWidget::hideSelection() {
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    m_selectionShown = false;
}

// Only the characters whose marks changed are painted again.
template <typename Change> void LessonBoxWidget::changeSelectedMarks(Change change) {
    int firstChanged = m_selectionEnd;
    int endChanged = m_selectionStart;
    for (int p = m_selectionStart; p < m_selectionEnd; ++p) {
        Mark& mark = m_marks[static_cast<size_t>(p)];
        const Mark before = mark;
        change(mark);
        if (mark != before) {
            firstChanged = std::min(firstChanged, p);
            endChanged = p + 1;
        }
    }
    if (firstChanged < endChanged)
        updateCharacters(firstChanged, endChanged);
}

// The characters changed in one pass of the event loop are painted together:
// a paste marks thousands of them, and finding where one stands walks its
// block's lines.
void LessonBoxWidget::updateCharacters(int from, int to) {
    if (m_changedFrom >= m_changedTo)
        QMetaObject::invokeMethod(this, &LessonBoxWidget::paintChanged, Qt::QueuedConnection);
    m_changedFrom = std::min(m_changedFrom, from);
    m_changedTo = std::max(m_changedTo, to);
}

// Document positions [from, to): their part of a line, or the whole width of
// the lines between.
void LessonBoxWidget::paintChanged() {
    const int documentLength = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::min(m_changedFrom, documentLength));
    const QRect first = cursorRect(cursor);
    cursor.setPosition(std::min(m_changedTo, documentLength));
    const QRect last = cursorRect(cursor);
    m_changedFrom = INT_MAX;
    m_changedTo = 0;
    QRect area = first.united(last);
    if (last.top() != first.top() || last.left() < first.left())
        area = QRect(0, area.top(), viewport()->width(), area.height());
    viewport()->update(area.adjusted(-kPaintMargin, -kPaintMargin, kPaintMargin, kPaintMargin));
}

void LessonBoxWidget::setSelectionColour(Rgb colour) {
    const QRgb rgb = qRgb(colour.red, colour.green, colour.blue);
    changeSelectedMarks([rgb](Mark& mark) {
        mark.colour = rgb;
        mark.coloured = true;
    });
}

void LessonBoxWidget::setSelectionUnderline(bool on) {
    changeSelectedMarks([on](Mark& mark) { mark.underlined = on; });
}

QTextCharFormat LessonBoxWidget::markAt(int documentPosition) const {
    QTextCharFormat format;
    if (documentPosition < 0 || static_cast<size_t>(documentPosition) >= m_marks.size())
        return format;
    const Mark& mark = m_marks[static_cast<size_t>(documentPosition)];
    if (mark.coloured)
        format.setForeground(QColor(mark.colour));
    if (mark.underlined)
        format.setFontUnderline(true);
    return format;
}

void LessonBoxWidget::reveal(Pos position) {
    const int documentLength = document()->characterCount() - 1;
    const int at = std::clamp(m_lineBreaks.toDocument(position), 0, documentLength);
    // A plain text box scrolls by lines, and lines with room for readings are
    // taller than they are apart: step until the character's line stands in
    // view, a line from the edge where the text allows.
    QScrollBar* bar = verticalScrollBar();
    const qreal margin = lineSpan(at).height();
    while (lineSpan(at).top() < margin && bar->value() > bar->minimum())
        bar->setValue(bar->value() - 1);
    while (lineSpan(at).bottom() > viewport()->height() - margin && bar->value() < bar->maximum())
        bar->setValue(bar->value() + 1);
}

// Only the line's place is asked of the layout: a cursor placed at the
// position would measure its x, which shapes the whole of a long line.
QRectF LessonBoxWidget::lineSpan(int documentPosition) const {
    const QTextBlock block = document()->findBlock(documentPosition);
    const QRectF blockRect = blockBoundingGeometry(block).translated(contentOffset());
    const QTextLine line = block.layout()->lineForTextPosition(documentPosition - block.position());
    if (!line.isValid())
        return blockRect;
    return {blockRect.left(), blockRect.top() + line.y(), blockRect.width(), line.height()};
}
