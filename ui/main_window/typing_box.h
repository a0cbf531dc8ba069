#pragma once

#include "core/ports.h"

#include <QPlainTextEdit>

// `R2`: the box the learner types into with the input method. It reports a
// change only when its plain text really differs from what it held before
// (format changes and preedit updates are no change), and never for the
// program's own writes. Its selection never covers more than one character.
// Qt lays a paragraph out again whole whenever it changes, which on a lesson
// of one long line costs a key 15 ms at 30,000 characters: the box cuts such
// a paragraph into pieces at soft breaks, block breaks that are no part of
// the text, so that a key lays out one piece.
class TypingBoxWidget final : public QPlainTextEdit, public TypingBox {
    Q_OBJECT
  public:
    explicit TypingBoxWidget(QWidget* parent = nullptr);

    // The text as the practice logic counts it: a line break is CR LF.
    std::u16string text() const;
    void setText(std::u16string_view text) override;
    void moveCaretToEnd() override;

  signals:
    // The learner changed the text (typing, commit, paste, deletion).
    void learnerChanged();
    // A key that produces a character was pressed (before the box inserts it),
    // or the input method committed text.
    void characterKeyPressed();
    // The input method is about to commit text it showed as these kana.
    void committingKana(const std::u16string& kana);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void onTextChanged();
    // The document's text without the soft breaks.
    QString typedText() const;
    void cutLongParagraphs();
    // Backspace at a piece's start and Delete at its end reach the text
    // across the soft break, which goes with the character.
    void dropSoftBreakAtCaret(const QKeyEvent* event);
    void guardSelection();
    void dropPreedit();
    void passInputMethodEvent(QInputMethodEvent* event);

    QString m_lastSeen;
    bool m_programWrite = false;
    bool m_composing = false;
    bool m_cutQueued = false;
    // A soft break was laid since the text was last set: without one the
    // document's text is the typed text, and no key walks every block.
    bool m_mayHoldCuts = false;
    std::u16string m_kana; // the last all-kana preedit of the composition
};
