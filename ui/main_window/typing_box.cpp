#include "ui/main_window/typing_box.h"

#include "core/input_guard.h"
#include "readings/kana.h"
#include "ui/common/qt_text.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

namespace {

constexpr QChar kParagraph(0x2029);
// A paragraph longer than kLongestPiece is cut into pieces of kPieceLength:
// a key then lays out at most about a thousand characters.
constexpr int kPieceLength = 1000;
constexpr int kLongestPiece = 2 * kPieceLength;
// The user state of a block that continues the paragraph before it after a
// soft break. A block split by a line break the learner types keeps its own
// state in its first part and gives the second none, which then starts a
// paragraph, as it should (a block format would be handed on to both).
constexpr int kContinuesParagraph = 1;

bool continuesParagraph(const QTextBlock& block) {
    return block.userState() == kContinuesParagraph;
}

// At the start of the row that holds the piece's end, where the block is laid
// out: a cut then shows nowhere while the box keeps its width.
int cutPosition(const QTextBlock& block) {
    const QTextLine row = block.layout()->lineForTextPosition(kPieceLength);
    return block.position() +
           (row.isValid() && row.textStart() > 0 ? row.textStart() : kPieceLength);
}

// Keys that produce no character give no key click, although Qt gives Delete a text.
bool producesCharacter(const QKeyEvent* event) {
    return !event->text().isEmpty() && event->key() != Qt::Key_Delete;
}

} // namespace

TypingBoxWidget::TypingBoxWidget(QWidget* parent) : QPlainTextEdit(parent) {
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::textChanged, this, &TypingBoxWidget::onTextChanged);
    connect(this, &QPlainTextEdit::selectionChanged, this, &TypingBoxWidget::guardSelection);
}

// Every change of the text passes through onTextChanged or setText, which keep
// m_lastSeen, so the document need not be read again.
std::u16string TypingBoxWidget::text() const {
    return lineBreaksAsCrLf(m_lastSeen);
}

void TypingBoxWidget::setText(std::u16string_view text) {
    dropPreedit();
    m_programWrite = true;
    const QTextCharFormat typingFormat = currentCharFormat();
    setPlainText(documentText(text));
    m_mayHoldCuts = false;
    setCurrentCharFormat(typingFormat);
    m_programWrite = false;
    cutLongParagraphs();
    m_lastSeen = typedText();
}

QString TypingBoxWidget::typedText() const {
    const QString plain = toPlainText();
    if (!m_mayHoldCuts)
        return plain;
    QString text;
    text.reserve(plain.size());
    qsizetype from = 0;
    for (QTextBlock block = document()->begin().next(); block.isValid(); block = block.next()) {
        if (!continuesParagraph(block))
            continue;
        const qsizetype softBreak = block.position() - 1;
        text += QStringView(plain).mid(from, softBreak - from);
        from = softBreak + 1;
    }
    text += QStringView(plain).mid(from);
    return text;
}

// All cuts are one edit, so that each piece is laid out once.
void TypingBoxWidget::cutLongParagraphs() {
    m_cutQueued = false;
    if (m_composing) // a break laid before a preedit would leave it painted; cut after its commit
        return;
    m_programWrite = true;
    QTextCursor cursor(document());
    bool editing = false;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.length() - 1 <= kLongestPiece)
            continue;
        if (!editing)
            cursor.beginEditBlock();
        editing = true;
        cursor.setPosition(cutPosition(block));
        cursor.insertBlock();
        cursor.block().setUserState(kContinuesParagraph);
        m_mayHoldCuts = true;
        block = cursor.block().previous();
    }
    if (editing)
        cursor.endEditBlock();
    m_programWrite = false;
}

void TypingBoxWidget::dropSoftBreakAtCaret(const QKeyEvent* event) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return;
    if (event->key() == Qt::Key_Backspace && cursor.atBlockStart() &&
        continuesParagraph(cursor.block()))
        cursor.deletePreviousChar();
    else if (event->key() == Qt::Key_Delete && cursor.atBlockEnd() &&
             continuesParagraph(cursor.block().next()))
        cursor.deleteChar();
}

void TypingBoxWidget::moveCaretToEnd() {
    moveCursor(QTextCursor::End);
}

void TypingBoxWidget::onTextChanged() {
    if (m_programWrite)
        return;
    QString now = typedText();
    if (now == m_lastSeen)
        return;
    m_lastSeen = std::move(now);
    if (!m_cutQueued && textCursor().block().length() - 1 > kLongestPiece) {
        m_cutQueued = true;
        QMetaObject::invokeMethod(this, &TypingBoxWidget::cutLongParagraphs, Qt::QueuedConnection);
    }
    emit learnerChanged();
}

// A selection longer than one character collapses to the caret at the end.
void TypingBoxWidget::guardSelection() {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    const QString selected = cursor.selectedText();
    const Pos length = selected.size() + selected.count(kParagraph); // a break counts as two
    if (selectionTooLong(length))
        moveCaretToEnd();
}

// A preedit left in place while the program rewrites the text would stay painted.
void TypingBoxWidget::dropPreedit() {
    if (!m_composing)
        return;
    QInputMethodEvent clear;
    QPlainTextEdit::inputMethodEvent(&clear);
    QGuiApplication::inputMethod()->reset();
    m_composing = false;
}

void TypingBoxWidget::keyPressEvent(QKeyEvent* event) {
    if (producesCharacter(event))
        emit characterKeyPressed();
    dropSoftBreakAtCaret(event);
    QPlainTextEdit::keyPressEvent(event);
}

// A commit that comes with the start of the next composition is passed on in
// two steps: the commit first, so that the engine may rewrite the text (a line
// break at a line end) while no preedit is painted, and then the composition,
// laid on the text as it now stands. The learner's next word stays composing.
// Mozc shows the kana, then the candidate: the reading is the last preedit that
// spelt kana before the commit.
void TypingBoxWidget::inputMethodEvent(QInputMethodEvent* event) {
    const bool commits = !event->commitString().isEmpty();
    if (commits) {
        if (!m_kana.empty())
            emit committingKana(m_kana);
        m_kana.clear();
        emit characterKeyPressed();
    }
    if (auto reading = readingOfPreedit(event->preeditString().toStdU16String()))
        m_kana = std::move(*reading);
    if (!commits || event->preeditString().isEmpty()) {
        passInputMethodEvent(event);
        return;
    }
    QInputMethodEvent commitPart;
    commitPart.setCommitString(event->commitString(), event->replacementStart(),
                               event->replacementLength());
    passInputMethodEvent(&commitPart);
    QInputMethodEvent compositionPart(event->preeditString(), event->attributes());
    passInputMethodEvent(&compositionPart);
}

void TypingBoxWidget::passInputMethodEvent(QInputMethodEvent* event) {
    m_composing = !event->preeditString().isEmpty();
    QPlainTextEdit::inputMethodEvent(event);
}

void TypingBoxWidget::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    guardSelection();
}

void TypingBoxWidget::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    guardSelection();
}

void TypingBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    guardSelection();
}
