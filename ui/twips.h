// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
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

// The pixels of a 1-pixel line drawn from (x1, y1) towards (x2, y2),
// horizontal or vertical; like the line drawing it stands for, it leaves out
// the end point (x2, y2) itself.
constexpr QRect line(int x1, int y1, int x2, int y2)
{
    const int ax = toPixels(x1), ay = toPixels(y1), bx = toPixels(x2), by = toPixels(y2);
    if (ay == by) {
        const int left = ax <= bx ? ax : bx + 1;
        return {left, ay, ax <= bx ? bx - ax : ax - bx, 1};
    }
    const int top = ay <= by ? ay : by + 1;
    return {ax, top, 1, ay <= by ? by - ay : ay - by};
}

} // namespace vesk::twips
