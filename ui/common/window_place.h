#pragma once

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

// Moves a top-level window so that it stands centred on `area` (its screen's
// free space, or the window it belongs to), inside the free space of its
// screen, title bar included.
inline void centreOn(QWidget& window, const QRect& area) {
    const QRect screen = window.screen()->availableGeometry();
    QRect placed(QPoint(), window.size());
    placed.moveCenter(area.center());
    placed.moveLeft(std::clamp(placed.left(), screen.left(),
                               std::max(screen.left(), screen.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), screen.top(),
                              std::max(screen.top(), screen.bottom() - placed.height())));
    window.move(placed.topLeft());
}
