#include "ui/main_window/hint_row.h"

#include "ui/common/font_faces.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

namespace {

constexpr int kGapBeforeAnchor = 8;

} // namespace

HintRow::HintRow(QWidget& leftEdge, QWidget& anchor)
    : QObject(&anchor), m_leftEdge(leftEdge), m_anchor(anchor),
      m_label(new QLabel(anchor.parentWidget())) {
    m_label->setObjectName(QStringLiteral("Hint"));
    m_label->setFont(chineseFont(12));
    m_label->setStyleSheet(QStringLiteral("color: #404040; background: transparent"));
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
    m_label->setText(fits != forms.end() ? *fits
                                         : metrics.elidedText(forms.back(), Qt::ElideRight, room));
    const int width = std::min(room, metrics.horizontalAdvance(m_label->text()) + 2);
    m_label->setGeometry(left, m_anchor.y(), width, m_anchor.height());
    m_label->setToolTip(forms.front());
    m_label->show();
}

bool HintRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_anchor &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize) && !m_texts.empty())
        place();
    return QObject::eventFilter(watched, event);
}
