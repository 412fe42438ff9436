// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Holds the Wine session's desktop for the whole run. Wine ends the desktop's
// own process a few seconds after the last program with a window has ended,
// and the next program then waits some ten seconds for a new one: a test
// would time that, not the program. This holds a window that is never shown
// (a message-only window) until the session ends it.
#include <windows.h>

int wmain()
{
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    MSG message;
    while (window != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return window != nullptr ? 0 : 1;
}
