#include "ui/main_window/menu_colour.h"

#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

// Styles paint menus in their own way (Fusion lightens the base colour), so
// the colour is read back from a small menu panel drawn by the style.
QColor menuBackgroundColour(const QWidget* widget) {
    QImage panel(16, 16, QImage::Format_ARGB32_Premultiplied);
    panel.fill(widget->palette().color(QPalette::Window));
    QPainter painter(&panel);
    QStyleOption option;
    option.initFrom(widget);
    option.rect = panel.rect();
    widget->style()->drawPrimitive(QStyle::PE_PanelMenu, &option, &painter, widget);
    painter.end();
    return panel.pixelColor(panel.rect().center());
}

void paintWithMenuBackground(QWidget* window) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, menuBackgroundColour(window));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}
