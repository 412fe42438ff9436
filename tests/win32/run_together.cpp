// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Runs a program several times at once: every copy is started, held, before
// any runs, and then all are let go together. Prints each copy's status, in
// order, once all have ended.
// run_together COUNT PROGRAM [ARGUMENTS...]; 0 once all have ended.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int count, wchar_t** arguments)
{
    const int copies = count > 2 ? _wtoi(arguments[1]) : 0;
    if (copies < 1)
        return 2;
    std::wstring command = L'"' + std::wstring(arguments[2]) + L'"';
    for (int i = 3; i < count; ++i)
        command += L' ' + std::wstring(arguments[i]);
    std::vector<PROCESS_INFORMATION> started;
    for (int i = 0; i < copies; ++i) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring line = command;
        if (!CreateProcessW(arguments[2], line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                            nullptr, nullptr, &startup, &process))
            return 1;
        started.push_back(process);
    }
    for (const PROCESS_INFORMATION& process : started)
        ResumeThread(process.hThread);
    for (const PROCESS_INFORMATION& process : started) {
        DWORD status = 1;
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        std::printf("%lu\n", status);
    }
    return 0;
}
