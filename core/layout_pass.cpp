#include "core/layout_pass.h"

#include <algorithm>

MainLayout layoutPass(float W, float H, const MainLayout& current) {
    MainLayout next = current;
    const float width = std::max(0.0f, W - 240.0f);
    next.r1.top = 1200.0f;
    next.r1.left = 120.0f;
    next.r1.width = width;
    if (H > 3200.0f)
        next.r1.height = (H - 3200.0f) / 2.0f;
    next.r2 = {120.0f, next.r1.height + next.r1.top + 50.0f, next.r1.width, next.r1.height};
    const float clockTop = next.r2.height + next.r2.top + 20.0f;
    next.label14.top = clockTop;
    next.label14.left = W / 2.0f - 1425.0f;
    next.label13.top = clockTop;
    next.label13.left = W / 2.0f;
    next.player.top = next.label14.height + next.label14.top + 20.0f;
    next.player.left = 120.0f;
    next.player.width = width;
    return next;
}
