#include "ui/common/fitted_label.h"

#include <QPainter>

FittedLabel::FittedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QPointF FittedLabel::textOrigin() const {
    const QRectF box = contentsRect();
    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(text()); // relative to the baseline
    qreal x = box.left();
    if (alignment() & Qt::AlignHCenter)
        x += (box.width() - metrics.horizontalAdvance(text())) / 2;
    else if (alignment() & Qt::AlignRight)
        x += box.width() - metrics.horizontalAdvance(text());
    return {x, box.center().y() - ink.center().y()};
}

void FittedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(textOrigin(), text());
}
