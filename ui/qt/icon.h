// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>

namespace vesk {

// The sizes the icon comes in: for the window, the desktop's icon theme and
// the Windows executable.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The calculator picture at `size` pixels square: enlarged pixel for pixel, so
// the pixel art stays crisp; below its own 32 pixels, smoothed.
QImage iconImage(int size);

// The window icon, in the sizes a window system or screen scale asks for.
QIcon calculatorIcon();

} // namespace vesk
