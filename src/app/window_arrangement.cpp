#include "app/window_arrangement.h"

#include <algorithm>

namespace {
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 200;
}  // namespace

std::vector<QRect> HorizontalStrips(QSize area, int count) {
    std::vector<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    const int height = area.height() / count;
    for (int i = 0; i < count; ++i) {
        const int top = i * height;
        const int bottom = i + 1 == count ? area.height() : top + height;
        rects.emplace_back(0, top, area.width(), bottom - top);
    }
    return rects;
}

std::vector<QRect> CascadeRects(QSize area, int count, int step) {
    std::vector<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    const int width = std::min(area.width(), std::max(area.width() * 2 / 3, kMinimumWidth));
    const int height = std::min(area.height(), std::max(area.height() * 2 / 3, kMinimumHeight));
    // How many steps fit before a window would stick out at the right or the bottom.
    const int fit =
        step <= 0 ? count
                  : 1 + std::min((area.width() - width) / step, (area.height() - height) / step);
    for (int i = 0; i < count; ++i) {
        const int offset = (fit > 0 ? i % fit : 0) * step;
        rects.emplace_back(offset, offset, width, height);
    }
    return rects;
}
