#pragma once

#include "core/ports.h"

#include <array>

class LessonBoxWidget;
class MediaPlayerWidget;
class QLabel;
class QMainWindow;
class QWidget;
class TypingBoxWidget;

// The main window's controls below the menu bar, each at its designed place
// and carrying its control name.
struct MainControls {
    LessonBoxWidget* R1;
    TypingBoxWidget* R2;
    MediaPlayerWidget* player;
    QLabel* Label14;
    std::array<QLabel*, 7> readouts; // by FormLabel

    QLabel* readout(FormLabel label) const { return readouts[static_cast<size_t>(label)]; }
};

// The client area's designed size in twips.
inline constexpr float kClientWidth = 9345;
inline constexpr float kClientHeight = 7620;

// The narrowest client area that shows the read-outs of the two top rows
// whole, which keep their places whatever the window's size.
int minimumClientWidth(const MainControls& controls);

// Creates the controls in a new client area of the window.
MainControls createMainControls(QMainWindow* window);

// The layout pass for an outer window size in twips: moves the boxes, the clock
// and the player.
void layOutMainControls(const MainControls& controls, float outerWidth, float outerHeight);
