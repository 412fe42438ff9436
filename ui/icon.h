#pragma once

#include <QIcon>
#include <QImage>

namespace vesk {

// The calculator picture at `size` pixels square: enlarged pixel for pixel, so
// the pixel art stays crisp; below its own 32 pixels, smoothed.
QImage iconImage(int size);

// The window icon, with every size a window system or screen scale asks for.
QIcon calculatorIcon();

} // namespace vesk
