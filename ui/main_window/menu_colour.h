#pragma once

#include <QColor>

class QWidget;

// The colour the widget's style fills a menu with.
QColor menuBackgroundColour(const QWidget* widget);

// Gives a window the menus' background colour.
void paintWithMenuBackground(QWidget* window);
