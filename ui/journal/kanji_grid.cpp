#include "ui/journal/kanji_grid.h"

#include "ui/common/font_faces.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>

namespace {

struct CellStyle {
    QColor fill;
    QColor frame;
    QColor text;
    qreal frameWidth;
    Qt::PenStyle frameStyle;
};

// A single-hue ramp from white to dark blue: the states differ in lightness,
// which every kind of colour vision (and a grey print) keeps apart.
CellStyle styleOf(Hold hold) {
    switch (hold) {
    case Hold::NotMet:
        return {Qt::white, QColor(0x96, 0x96, 0x96), QColor(0x96, 0x96, 0x96), 1, Qt::DashLine};
    case Hold::Met:
        return {QColor(0xde, 0xeb, 0xf7), QColor(0x6b, 0xae, 0xd6), Qt::black, 1, Qt::SolidLine};
    case Hold::Produced:
        return {QColor(0x6b, 0xae, 0xd6), QColor(0x21, 0x71, 0xb5), Qt::black, 1, Qt::SolidLine};
    case Hold::Held:
        return {QColor(0x08, 0x30, 0x6b), Qt::black, Qt::white, 2.5, Qt::SolidLine};
    }
    return {};
}

const QColor kSlipColour(0xd5, 0x5e, 0x00); // vermillion, apart from blue for every eye

} // namespace

void paintKanjiCell(QPainter& painter, const QRect& cell, const KanjiState& state, Day today) {
    const CellStyle style = styleOf(state.hold);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(cell, style.fill);
    painter.setPen(QPen(style.frame, style.frameWidth, style.frameStyle));
    const qreal inset = style.frameWidth / 2;
    painter.drawRect(QRectF(cell).adjusted(inset, inset, -inset, -inset));
    painter.setPen(style.text);
    QFont font(kJapaneseFace);
    font.setPixelSize(cell.height() * 2 / 3);
    painter.setFont(font);
    painter.drawText(cell, Qt::AlignCenter, QString(QChar(state.kanji)));
    if (state.hold == Hold::Produced) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x08, 0x30, 0x6b));
        painter.drawEllipse(QPointF(cell.right() - 4.5, cell.bottom() - 4.5), 2.5, 2.5);
    }
    if (state.slippedRecently(today)) {
        const qreal side = cell.width() * 0.42;
        QPainterPath corner;
        corner.moveTo(cell.right() + 1 - side, cell.top());
        corner.lineTo(cell.right() + 1, cell.top());
        corner.lineTo(cell.right() + 1, cell.top() + side);
        corner.closeSubpath();
        painter.fillPath(corner, kSlipColour);
    }
    painter.restore();
}

KanjiGrid::KanjiGrid(std::vector<KanjiState> kanji, Day today,
                     std::function<QString(const KanjiState&)> tip, QWidget* parent)
    : QWidget(parent), m_kanji(std::move(kanji)), m_today(today), m_tip(std::move(tip)) {
    setObjectName(QStringLiteral("KanjiGrid"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int KanjiGrid::columns(int width) const {
    return std::max(1, (width + kGap) / (kCell + kGap));
}

QRect KanjiGrid::cellRect(int index) const {
    const int perRow = columns(width());
    return {(index % perRow) * (kCell + kGap), (index / perRow) * (kCell + kGap), kCell, kCell};
}

int KanjiGrid::indexAt(const QPoint& point) const {
    const int perRow = columns(width());
    const int column = point.x() / (kCell + kGap);
    const int row = point.y() / (kCell + kGap);
    const int index = row * perRow + column;
    if (point.x() < 0 || point.y() < 0 || column >= perRow || index >= std::ssize(m_kanji) ||
        !cellRect(index).contains(point))
        return -1;
    return index;
}

int KanjiGrid::heightForWidth(int width) const {
    const int perRow = columns(width);
    const int rows = (static_cast<int>(m_kanji.size()) + perRow - 1) / perRow;
    return std::max(1, rows) * (kCell + kGap) - kGap;
}

QSize KanjiGrid::sizeHint() const {
    const int width = 30 * (kCell + kGap) - kGap;
    return {width, heightForWidth(width)};
}

QSize KanjiGrid::minimumSizeHint() const {
    return {kCell, kCell};
}

QString KanjiGrid::tipAt(const QPoint& point) const {
    const int index = indexAt(point);
    return index < 0 ? QString() : m_tip(m_kanji[static_cast<size_t>(index)]);
}

bool KanjiGrid::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int index = indexAt(help->pos());
    if (index < 0)
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tipAt(help->pos()), this, cellRect(index));
    return true;
}

void KanjiGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < std::ssize(m_kanji); ++i)
        paintKanjiCell(painter, cellRect(i), m_kanji[static_cast<size_t>(i)], m_today);
}
