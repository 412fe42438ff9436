// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The Windows uninstaller, uninstall.exe [/S]: removes the program, its
// Start-menu shortcut, its Add/Remove Programs entry, its folder and the
// folder the installer made for that, and then itself. Its status: 0 done,
// 1 cancelled by the user, 2 refused or failed, leaving the entry and the
// uninstaller so that it can be run again.
//
// Windows will not delete a running program's file, this one's included, and
// only an administrator may have files deleted when Windows next starts. But a
// running program's file may be moved within its volume. So the uninstaller
// the user starts copies itself to the temporary folder, starts the copy and
// waits for its answer, which keeps the caller waiting until all is done. The
// copy does the work, moving the waiting uninstaller's file out of the folder
// before removing the folder; once the waiting one has ended, it deletes that
// file, and its own goes as it ends, having been opened for deletion on close
// and the handle handed to it.
#include "app/version.h"
#include "installer_facts.h" // what the installer knows too
#include "packaging/windows/installer_texts.h"
#include "ui/win32/form.h"

#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>

namespace {

using namespace vesk::installer;
constexpr DWORD kDone = 0;
constexpr DWORD kCancelled = 1;
constexpr DWORD kRefused = 2;
// A message of the installer's, by its name, in the language in use.
std::wstring message(std::string_view name)
{
    for (const vesk::installer::Message& m : vesk::installer::kMessages)
        if (name == m.name) {
            std::wstring out =
                vesk::win32::wide(vesk::language::Text(vesk::language::kInstaller, m.english));
            for (std::size_t at = 0; (at = out.find(L'\n', at)) != std::wstring::npos; at += 2)
                out.insert(at, 1, L'\r');
            return out;
        }
    return std::wstring(name.begin(), name.end());
}

std::wstring folderOf(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring modulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring temporaryFile(const std::wstring& folder)
{
    wchar_t name[MAX_PATH];
    return GetTempFileNameW(folder.c_str(), L"vsk", 0, name) ? name : L"";
}

std::wstring temporaryFolder()
{
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length && length <= MAX_PATH ? folder : L"";
}

std::wstring entryValue(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size))
        return L"";
    return value;
}

bool samePath(const std::wstring& a, const std::wstring& b)
{
    const auto longForm = [](const std::wstring& path) {
        std::wstring full(GetLongPathNameW(path.c_str(), nullptr, 0), L'\0');
        full.resize(GetLongPathNameW(path.c_str(), full.data(), DWORD(full.size())));
        return full.empty() ? path : full;
    };
    const std::wstring x = longForm(a), y = longForm(b);
    return CompareStringOrdinal(x.c_str(), int(x.size()), y.c_str(), int(y.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring shortcutPath()
{
    PWSTR programs = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &programs)))
        path = std::wstring(programs) + L'\\' + kShortcutFile;
    CoTaskMemFree(programs);
    return path;
}

bool gone(BOOL removed)
{
    return removed || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

// Asks the user to set it right and try again; silent, the answer is no.
bool retry(bool silent, const std::wstring& text)
{
    return !silent && MessageBoxW(nullptr, text.c_str(), message("Title").c_str(),
                                  MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
}

void tell(bool silent, const std::wstring& text, UINT icon)
{
    if (!silent)
        MessageBoxW(nullptr, text.c_str(), message("Title").c_str(), MB_OK | icon);
}

std::wstring inUse(const std::wstring& path)
{
    return path + L"\r\n\r\n" + message("NotRemoved");
}

// What the copy is handed by the uninstaller that waits for it.
struct Handover {
    std::wstring waiting; // the waiting uninstaller's file, in the install folder
    HANDLE waiter = nullptr;
    HANDLE answer = nullptr;
};

// Moves the waiting uninstaller's file out of the install folder and removes
// the folder; puts the file back if the folder cannot go. A folder that still
// holds files the user put there is kept, with them.
bool removeFolder(const std::wstring& folder, const std::wstring& waiting, std::wstring& parked)
{
    parked = temporaryFile(temporaryFolder());
    if (parked.empty() ||
        !MoveFileExW(waiting.c_str(), parked.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        // Where it cannot be moved (another volume), the file goes, and the
        // folder with it, once the waiting uninstaller has ended.
        if (!parked.empty())
            DeleteFileW(parked.c_str());
        parked.clear();
        return true;
    }
    if (RemoveDirectoryW(folder.c_str()) || GetLastError() == ERROR_DIR_NOT_EMPTY)
        return true;
    MoveFileExW(parked.c_str(), waiting.c_str(), 0);
    parked.clear();
    return false;
}

DWORD uninstall(const Handover& from, bool silent, const std::wstring& made, std::wstring& parked)
{
    const std::wstring folder = folderOf(from.waiting);
    const std::wstring installed = entryValue(kLocationValue);
    if (installed.empty() || !samePath(installed, folder)) {
        tell(silent, folder + L"\r\n\r\n" + message("NoInstallation"), MB_ICONSTOP);
        return kRefused;
    }
    const std::wstring running = message("Running");
    while (FindWindowW(vesk::version::kAppIdWide, nullptr))
        if (!retry(silent, running))
            return kRefused;
    if (!silent && MessageBoxW(nullptr, (message("Confirm") + L"\r\n" + folder).c_str(),
                               message("Title").c_str(), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return kCancelled;

    // The program first: once its file is gone no copy of it can start, and
    // if a copy started after the look above, nothing has been touched yet.
    const std::wstring program = folder + L'\\' + kProgramFile;
    while (!gone(DeleteFileW(program.c_str())))
        if (!retry(silent, running))
            return kRefused;
    const std::wstring shortcut = shortcutPath();
    while (!shortcut.empty() && !gone(DeleteFileW(shortcut.c_str())))
        if (!retry(silent, inUse(shortcut)))
            return kRefused;
    while (!removeFolder(folder, from.waiting, parked))
        if (!retry(silent, inUse(folder)))
            return kRefused;
    // Made for this program's folder, but since shared, perhaps: only if empty.
    if (!made.empty())
        RemoveDirectoryW(made.c_str());
    if (RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey)) {
        tell(silent, message("EntryNotRemoved"), MB_ICONSTOP);
        return kRefused;
    }
    tell(silent, message("Removed"), MB_ICONINFORMATION);
    return kDone;
}

// The copy: does the work, answers, and once the waiting uninstaller has
// ended, removes its file.
DWORD runAsCopy(const Handover& from, bool silent)
{
    std::wstring parked;
    const std::wstring made = entryValue(kMadeFolderValue);
    const DWORD status = uninstall(from, silent, made, parked);
    DWORD written = 0;
    WriteFile(from.answer, &status, sizeof status, &written, nullptr);
    CloseHandle(from.answer);
    WaitForSingleObject(from.waiter, INFINITE);
    if (!parked.empty()) {
        DeleteFileW(parked.c_str());
    } else if (status == kDone) {
        DeleteFileW(from.waiting.c_str());
        RemoveDirectoryW(folderOf(from.waiting).c_str());
        if (!made.empty())
            RemoveDirectoryW(made.c_str());
    }
    return status;
}

std::wstring quoted(const std::wstring& text)
{
    return L'"' + text + L'"';
}

// A handle handed down by number; none for anything but digits.
HANDLE handle(const std::wstring& digits)
{
    wchar_t* end = nullptr;
    const unsigned long long value = wcstoull(digits.c_str(), &end, 10);
    return *end || !std::iswdigit(digits[0]) ? nullptr : HANDLE(UINT_PTR(value));
}

// The uninstaller the user started: copies itself to the temporary folder,
// starts the copy and returns the copy's answer.
DWORD runCopy(bool silent)
{
    const std::wstring self = modulePath();
    const std::wstring temporary = temporaryFolder();
    const std::wstring copy = temporaryFile(temporary);
    if (copy.empty() || !CopyFileW(self.c_str(), copy.c_str(), FALSE)) {
        if (!copy.empty())
            DeleteFileW(copy.c_str());
        tell(silent, message("NotCopied"), MB_ICONSTOP);
        return kRefused;
    }
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE copyFile = CreateFileW(copy.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  &inherited, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    HANDLE answer = nullptr, answerEnd = nullptr, waiter = nullptr;
    CreatePipe(&answer, &answerEnd, &inherited, 0);
    SetHandleInformation(answer, HANDLE_FLAG_INHERIT, 0);
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &waiter,
                    SYNCHRONIZE, TRUE, 0);
    std::wstring command = quoted(copy) + (silent ? L" /S" : L"") + L" /from=" + quoted(self) +
                           L" /waiter=" + std::to_wstring(UINT_PTR(waiter)) + L" /answer=" +
                           std::to_wstring(UINT_PTR(answerEnd));
    // Neither the copy nor this one keeps the install folder as its current
    // folder, which would stop its removal.
    SetCurrentDirectoryW(temporary.c_str());
    AllowSetForegroundWindow(ASFW_ANY);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = copyFile != INVALID_HANDLE_VALUE && answer &&
                         CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, temporary.c_str(), &startup, &process);
    if (copyFile != INVALID_HANDLE_VALUE)
        CloseHandle(copyFile);
    else
        DeleteFileW(copy.c_str());
    CloseHandle(answerEnd);
    CloseHandle(waiter);
    if (!started) {
        tell(silent, message("CopyNotStarted"), MB_ICONSTOP);
        return kRefused;
    }
    CloseHandle(process.hThread);
    DWORD status = kRefused, read = 0;
    if (!ReadFile(answer, &status, sizeof status, &read, nullptr) || read != sizeof status) {
        // The copy ended without answering: its own status, then.
        WaitForSingleObject(process.hProcess, INFINITE);
        if (!GetExitCodeProcess(process.hProcess, &status) || status == kDone)
            status = kRefused;
    }
    return status;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // In the user's language, as Windows gives them in order.
    vesk::language::Use(vesk::language::Choose(vesk::win32::preferredLanguages()));
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool silent = false;
    Handover from;
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const auto has = [&](const std::wstring& prefix, std::wstring& rest) {
            if (argument.size() <= prefix.size() || argument.rfind(prefix, 0) != 0)
                return false;
            rest = argument.substr(prefix.size());
            return true;
        };
        std::wstring rest;
        if (CompareStringOrdinal(arguments[i], -1, L"/S", -1, TRUE) == CSTR_EQUAL)
            silent = true;
        else if (has(L"/from=", rest))
            from.waiting = rest;
        else if (has(L"/waiter=", rest))
            from.waiter = handle(rest);
        else if (has(L"/answer=", rest))
            from.answer = handle(rest);
    }
    LocalFree(arguments);
    if (from.waiting.empty() || !from.waiter || !from.answer)
        return int(runCopy(silent));
    return int(runAsCopy(from, silent));
}
