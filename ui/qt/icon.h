// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace vesk {

// The window icon, in the sizes a window system or screen scale asks for,
// made from the pixels the build prepared.
QIcon calculatorIcon();

} // namespace vesk
