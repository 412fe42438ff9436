// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The calculator picture, in every size the icon comes in: for the icon
// maker and the window icon's build step, not for the program itself.
#pragma once

#include <QImage>

namespace vesk {

// The sizes the icon comes in: for the window, the desktop's icon theme and
// the Windows executable.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The calculator picture at `size` pixels square: enlarged pixel for pixel, so
// the pixel art stays crisp; below its own 32 pixels, smoothed.
QImage iconImage(int size);

} // namespace vesk
