// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// A library put where a program should never take one from, under the names
// of libraries Windows keeps: loaded, it leaves its mark, planted.txt, in
// the current folder.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        HANDLE mark =
            CreateFileW(L"planted.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (mark != INVALID_HANDLE_VALUE)
            CloseHandle(mark);
    }
    return TRUE;
}
