// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The program's one shared variable.
#pragma once

namespace VESKCONS {

// Raised by the Enter key's handler while it sets the scroll bar's position, so
// that the scroll bar's change handler, running inside that assignment, leaves
// the typed text alone. False at start and again after every input.
inline bool bFromText = false;

} // namespace VESKCONS
