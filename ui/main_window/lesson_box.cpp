#include "ui/main_window/lesson_box.h"

#include "ui/common/qt_text.h"
#include "ui/main_window/ruby_room_layout.h"

#include <QScrollBar>

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
    m_underlined.clear();
    m_selectionStart = m_selectionEnd = 0;
    m_readings.clear(); // they belonged to the text replaced
    m_selectionShown = false;
    // setPlainText gives the whole text the format at the box's cursor, which
    // may be a mark left where the learner clicked: a new lesson starts plain.
    setCurrentCharFormat(QTextCharFormat());
    setPlainText(documentText(m_text));
    emit textReplaced();
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

void LessonBoxWidget::mergeAt(int documentStart, int documentEnd, const QTextCharFormat& format) {
    QTextCursor cursor(document());
    cursor.setPosition(documentStart);
    cursor.setPosition(documentEnd, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
}

void LessonBoxWidget::setSelectionColour(Rgb colour) {
    if (m_selectionStart == m_selectionEnd)
        return;
    QTextCharFormat format;
    format.setForeground(QColor(colour.red, colour.green, colour.blue));
    mergeAt(m_selectionStart, m_selectionEnd, format);
}

void LessonBoxWidget::setSelectionUnderline(bool on) {
    if (m_selectionStart == m_selectionEnd)
        return;
    QTextCharFormat format;
    format.setFontUnderline(on);
    if (on) {
        mergeAt(m_selectionStart, m_selectionEnd, format);
        for (int p = m_selectionStart; p < m_selectionEnd; ++p)
            m_underlined.insert(p);
        return;
    }
    auto it = m_underlined.lower_bound(m_selectionStart);
    while (it != m_underlined.end() && *it < m_selectionEnd) {
        mergeAt(*it, *it + 1, format);
        it = m_underlined.erase(it);
    }
}

void LessonBoxWidget::reveal(Pos position) {
    QTextCursor cursor(document());
    const int documentLength = document()->characterCount() - 1;
    cursor.setPosition(std::clamp(m_lineBreaks.toDocument(position), 0, documentLength));
    // A plain text box scrolls by lines, and lines with room for readings are
    // taller than they are apart: step until the character's line stands in
    // view, a line from the edge where the text allows.
    QScrollBar* bar = verticalScrollBar();
    const int margin = cursorRect(cursor).height();
    while (cursorRect(cursor).top() < margin && bar->value() > bar->minimum())
        bar->setValue(bar->value() - 1);
    while (cursorRect(cursor).bottom() > viewport()->height() - margin &&
           bar->value() < bar->maximum())
        bar->setValue(bar->value() + 1);
}
