#pragma once
// Where the child windows go when they are tiled or cascaded.

#include <QRect>
#include <QSize>
#include <vector>

// Tiling "horizontally": every window as wide as the area, one strip under the other, the
// strips sharing the height (the last takes what the division leaves).
std::vector<QRect> HorizontalStrips(QSize area, int count);

// Cascading: each window one step further right and down, all of one size that keeps most of
// the area usable (two thirds of it, no smaller than a minimum the area allows); the cascade
// starts again at the top left when a window would leave the area.
std::vector<QRect> CascadeRects(QSize area, int count, int step);
