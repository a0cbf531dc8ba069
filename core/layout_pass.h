#pragma once

// Where the main window's boxes, clock labels and player go for an outer window
// size, in twips, computed in single precision as the window always has.
struct TwipRect {
    float left, top, width, height;
};

struct MainLayout {
    TwipRect r1, r2, label14, label13, player;
};

// `current` holds the controls as they are; heights not recomputed stay.
MainLayout layoutPass(float outerWidth, float outerHeight, const MainLayout& current);
