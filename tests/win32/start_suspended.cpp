// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Starts a program and leaves it as it is the moment it starts: its file in
// use, no window made yet. start_suspended PROGRAM; 0 once it is started.
#include <windows.h>

#include <string>

int wmain(int count, wchar_t** arguments)
{
    if (count != 2)
        return 2;
    std::wstring command = L'"' + std::wstring(arguments[1]) + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    return CreateProcessW(arguments[1], command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                          nullptr, nullptr, &startup, &process)
               ? 0
               : 1;
}
