#pragma once

#include <QWidget>

// The title bar of the program's dialogs and question boxes: a caption and a
// close button, no minimise or maximise button.
inline constexpr Qt::WindowFlags kCloseButtonOnly =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Keeps the window's type (dialog or plain window) and gives it that title bar.
inline void showCloseButtonOnly(QWidget* window) {
    window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | kCloseButtonOnly);
}
