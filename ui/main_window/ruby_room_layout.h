#pragma once

#include <QPlainTextDocumentLayout>

// The plain-text layout with room above every line, where the lesson box
// paints readings. The room is made by moving the laid-out lines down, so the
// text and its character formats are never touched.
class RubyRoomLayout final : public QPlainTextDocumentLayout {
    Q_OBJECT
  public:
    explicit RubyRoomLayout(QTextDocument* document);

    // Pixels of room above each line; a change lays the whole text out again.
    void setRoom(int pixels);
    int room() const { return m_room; }

    QRectF blockBoundingRect(const QTextBlock& block) const override;

  private:
    int m_room = 0;
};
