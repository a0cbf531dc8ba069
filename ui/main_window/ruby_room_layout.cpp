#include "ui/main_window/ruby_room_layout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

RubyRoomLayout::RubyRoomLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

void RubyRoomLayout::setRoom(int pixels) {
    if (pixels == m_room)
        return;
    m_room = pixels;
    documentChanged(0, 0, document()->characterCount());
    // The line count stays, so the box would keep its scroll range; taller
    // lines need a new one, or the last lines could never be scrolled to.
    emit documentSizeChanged(documentSize());
}

// Qt lays a block's lines out from y = 0 whenever the block changes; a block
// whose first line still stands at the top is moved down here, before its
// size is measured, painted or hit.
QRectF RubyRoomLayout::blockBoundingRect(const QTextBlock& block) const {
    if (m_room > 0 && block.isValid() && block.isVisible()) {
        ensureBlockLayout(block);
        QTextLayout* layout = block.layout();
        if (layout->lineCount() > 0 && layout->lineAt(0).y() < m_room) {
            for (int i = 0; i < layout->lineCount(); ++i) {
                QTextLine line = layout->lineAt(i);
                line.setPosition(QPointF(line.x(), line.y() + m_room * (i + 1)));
            }
        }
    }
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}
