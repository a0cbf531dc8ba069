#include "ui/main_window/hint_row.h"

#include "ui/common/font_faces.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <algorithm>

namespace {

constexpr int kGapBeforeAnchor = 8;

} // namespace

HintRow::HintRow(QWidget& leftEdge, QWidget& anchor)
    : QObject(&anchor), m_leftEdge(leftEdge), m_anchor(anchor),
      m_label(new QLabel(anchor.parentWidget())) {
    m_label->setObjectName(QStringLiteral("Hint"));
    m_label->setFont(chineseFont(12));
    // A palette rather than a style sheet, which would reach the tooltip too.
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    m_label->setPalette(palette);
    m_label->hide();
    m_anchor.installEventFilter(this);
}

void HintRow::show(const void* owner, const QStringList& forms) {
    std::erase_if(m_texts, [owner](const auto& shown) { return shown.first == owner; });
    m_texts.emplace_back(owner, forms);
    place();
}

void HintRow::clear(const void* owner) {
    const auto gone =
        std::erase_if(m_texts, [owner](const auto& shown) { return shown.first == owner; });
    if (gone == 0)
        return;
    if (m_texts.empty())
        m_label->hide();
    else
        place();
}

void HintRow::place() {
    const int left = m_leftEdge.x();
    const int room = m_anchor.x() - kGapBeforeAnchor - left;
    if (m_texts.empty() || room <= 0) {
        m_label->hide();
        return;
    }
    const QStringList& forms = m_texts.back().second;
    const QFontMetrics metrics(m_label->font());
    const auto fits = std::find_if(forms.begin(), forms.end(), [&](const QString& form) {
        return metrics.horizontalAdvance(form) <= room;
    });
    m_label->setText(fits != forms.end() ? *fits : shortened(forms.back(), room));
    const int width = std::min(room, metrics.horizontalAdvance(m_label->text()) + 2);
    m_label->setGeometry(left, m_anchor.y(), width, m_anchor.height());
    m_label->setToolTip(forms.front());
    m_label->show();
}

// The quoted word elided to the room the rest leaves; a form without a
// quotation, or with no room for even a shortened word, elided at its end.
QString HintRow::shortened(const QString& form, int room) const {
    const QFontMetrics metrics(m_label->font());
    const qsizetype open = form.indexOf(u'「');
    const qsizetype close = form.indexOf(u'」', open + 1);
    if (open >= 0 && close > open + 1) {
        const QString before = form.left(open + 1), after = form.mid(close);
        const int wordRoom = room - metrics.horizontalAdvance(before + after);
        const QString word = form.mid(open + 1, close - open - 1);
        const QString elided = metrics.elidedText(word, Qt::ElideRight, wordRoom);
        if (!elided.isEmpty() && elided != QString(QChar(0x2026))) // not the ellipsis alone
            return before + elided + after;
    }
    return metrics.elidedText(form, Qt::ElideRight, room);
}

bool HintRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_anchor &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize) && !m_texts.empty())
        place();
    return QObject::eventFilter(watched, event);
}
