// Window layouts are kept in twips, as designed: 1440 to the inch, 15 to the
// pixel at 96 dots per inch. Qt works in logical pixels, which it scales on
// high-DPI screens, so one fixed factor converts everything.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vesk::twips {

inline constexpr int kPerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / kPerPixel;
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

constexpr QSize size(int width, int height)
{
    return {toPixels(width), toPixels(height)};
}

// A 1-pixel line from (x1, y1) to (x2, y2), horizontal or vertical. Like the
// line drawing it stands for, the end point itself is not drawn.
constexpr QRect line(int x1, int y1, int x2, int y2)
{
    const int left = toPixels(x1 < x2 ? x1 : x2);
    const int top = toPixels(y1 < y2 ? y1 : y2);
    const int dx = toPixels(x1 < x2 ? x2 - x1 : x1 - x2);
    const int dy = toPixels(y1 < y2 ? y2 - y1 : y1 - y2);
    return {left, top, dx == 0 ? 1 : dx, dy == 0 ? 1 : dy};
}

} // namespace vesk::twips
