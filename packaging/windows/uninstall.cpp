// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The Windows uninstaller, uninstall.exe [/S]: removes the program, its
// Start-menu shortcut, its Add/Remove Programs entry, the uninstaller itself,
// and the folders the installer made for them, each only when empty. Its
// status: 0 done, 1 cancelled by the user, 2 refused or failed, leaving the
// entry and the uninstaller so that it can be run again, 3 another
// uninstaller is at work (and this one did nothing).
//
// Windows will not delete a running program's file, this one's included, and
// only an administrator may have files deleted when Windows next starts. But a
// running program's file may be moved within its volume. So the uninstaller
// the user starts copies itself into a new folder of the temporary folder,
// named at random, starts the copy and waits for its answer, which keeps the
// caller waiting until all is done. The copy's file is held, from before the
// copy starts until it ends, so that no one can rename or replace it, and is
// checked to be this program; it is deleted as the copy ends. The copy does
// the work, moving the waiting uninstaller's file into its own folder before
// removing the install folder; once the waiting one has ended, it deletes that
// file, moves its own out of the folder and removes the folder.
#include "app/version.h"
#include "installer_facts.h" // what the installer knows too
#include "packaging/windows/installer_texts.h"
#include "ui/win32/form.h"

#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

using namespace vesk::installer;
constexpr DWORD kDone = 0;
constexpr DWORD kCancelled = 1;
constexpr DWORD kRefused = 2;
constexpr DWORD kBusy = 3;
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

// The temporary folder, ending in a backslash.
std::wstring temporaryFolder()
{
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length && length <= MAX_PATH ? folder : L"";
}

// A name in the temporary folder that no other program can know beforehand.
std::wstring unforeseenName()
{
    const std::wstring temporary = temporaryFolder();
    GUID guid;
    wchar_t text[40];
    if (temporary.empty() || FAILED(CoCreateGuid(&guid)) || !StringFromGUID2(guid, text, 40))
        return L"";
    return temporary + L"vsk" + text;
}

// Where the copy keeps the waiting uninstaller's file, in its own folder.
std::wstring parkingPlace(const std::wstring& ownFolder)
{
    return ownFolder + L"\\waiting.exe";
}

// Tries `done` every tenth of a second, for up to ten seconds, until it holds:
// for what a program that is still on its way out keeps from happening.
template <typename Done> void soon(Done done)
{
    for (int tries = 0; !done() && tries < 100; ++tries)
        Sleep(100);
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
    HANDLE image = nullptr; // the copy's own file, open for deletion on close
};

// The folders the installer made, innermost first: the install folder and
// those that hold it, up to the outermost it recorded. None when it made none,
// or recorded one that does not hold the install folder.
std::vector<std::wstring> madeFolders(const std::wstring& folder, const std::wstring& made)
{
    std::vector<std::wstring> chain;
    if (made.empty())
        return chain;
    for (std::wstring at = folder;; at = folderOf(at)) {
        chain.push_back(at);
        if (samePath(at, made))
            return chain;
        if (folderOf(at) == at)
            return {};
    }
}

// Removes the folders the installer made, innermost first, each only when
// empty: one that still holds files the user put there is kept, with them,
// and so is every folder that holds it.
void removeMade(const std::vector<std::wstring>& made)
{
    for (const std::wstring& folder : made)
        if (!gone(RemoveDirectoryW(folder.c_str())))
            return;
}

// Moves the waiting uninstaller's file out of the install folder into the
// copy's, and removes the folders made for the installation; puts the file
// back if the install folder is made and in use.
bool removeFolder(const std::wstring& waiting, const std::wstring& parked,
                  const std::vector<std::wstring>& made, bool& isParked)
{
    isParked = MoveFileExW(waiting.c_str(), parked.c_str(), 0);
    // Where it cannot be moved (another volume), the file goes, and the
    // folders with it, once the waiting uninstaller has ended.
    if (!isParked || made.empty())
        return true;
    if (RemoveDirectoryW(made[0].c_str()) || GetLastError() == ERROR_DIR_NOT_EMPTY) {
        removeMade(made);
        return true;
    }
    MoveFileExW(parked.c_str(), waiting.c_str(), 0);
    isParked = false;
    return false;
}

DWORD uninstall(const Handover& from, bool silent, const std::vector<std::wstring>& made,
                const std::wstring& parked, bool& isParked)
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
    while (!removeFolder(from.waiting, parked, made, isParked))
        if (!retry(silent, inUse(folder)))
            return kRefused;
    if (RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey)) {
        tell(silent, message("EntryNotRemoved"), MB_ICONSTOP);
        return kRefused;
    }
    return kDone;
}

// Moves the copy's own file, which goes as the copy ends, out of its folder,
// through the handle that holds it, and removes the folder.
void leaveFolder(HANDLE image, const std::wstring& folder)
{
    const std::wstring to = unforeseenName();
    if (to.empty())
        return;
    const DWORD length = DWORD((to.size() + 4) * sizeof(wchar_t));
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + length);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->FileNameLength = length;
    std::memcpy(rename->FileName, (to + L".tmp").data(), length);
    if (SetFileInformationByHandle(image, FileRenameInfo, rename, DWORD(buffer.size())))
        RemoveDirectoryW(folder.c_str());
}

// The copy: does the work, answers, and once the waiting uninstaller has
// ended, removes its file, and its own folder.
DWORD runAsCopy(const Handover& from, bool silent)
{
    const std::wstring own = folderOf(modulePath());
    const std::wstring parked = parkingPlace(own);
    bool isParked = false;
    const std::vector<std::wstring> made =
        madeFolders(folderOf(from.waiting), entryValue(kMadeFolderValue));
    const DWORD status = uninstall(from, silent, made, parked, isParked);
    DWORD written = 0;
    WriteFile(from.answer, &status, sizeof status, &written, nullptr);
    CloseHandle(from.answer);
    WaitForSingleObject(from.waiter, INFINITE);
    // A second uninstaller, on its way out, may still run from that file.
    const std::wstring& waiting = isParked ? parked : from.waiting;
    if (isParked || status == kDone)
        soon([&] { return gone(DeleteFileW(waiting.c_str())); });
    if (!isParked && status == kDone)
        removeMade(made);
    leaveFolder(from.image, own);
    if (status == kDone)
        tell(silent, message("Removed"), MB_ICONINFORMATION);
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

// Whether the file open as `copy` holds exactly the bytes of `self`.
bool sameBytes(HANDLE copy, const std::wstring& self)
{
    HANDLE original = CreateFileW(self.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    if (original == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> a(1 << 16), b(1 << 16);
    bool same = true;
    for (DWORD n = 1, m = 0; same && n;)
        same = ReadFile(original, a.data(), DWORD(a.size()), &n, nullptr) &&
               ReadFile(copy, b.data(), DWORD(b.size()), &m, nullptr) && n == m &&
               std::memcmp(a.data(), b.data(), n) == 0;
    CloseHandle(original);
    return same;
}

// The copy of this program in a new folder of its own, open for deletion on
// close and held so that no one can rename, replace or delete it; checked to
// be this program, as it could have been changed before it was held. Nothing
// when it cannot be made so.
HANDLE copyOfSelf(const std::wstring& self, std::wstring& folder, std::wstring& copy)
{
    folder = unforeseenName();
    if (folder.empty() || !CreateDirectoryW(folder.c_str(), nullptr)) {
        folder.clear();
        return INVALID_HANDLE_VALUE;
    }
    copy = folder + L'\\' + kUninstallerFile;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE image = INVALID_HANDLE_VALUE;
    if (CopyFileW(self.c_str(), copy.c_str(), TRUE))
        image = CreateFileW(copy.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, &inherited,
                            OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (image != INVALID_HANDLE_VALUE && sameBytes(image, self))
        return image;
    if (image != INVALID_HANDLE_VALUE)
        CloseHandle(image);
    else
        DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    folder.clear();
    return INVALID_HANDLE_VALUE;
}

// After a copy that ended without finishing: its file has gone with it; the
// waiting uninstaller's is put back where the entry still names it, and the
// copy's folder goes.
void afterFailedCopy(HANDLE process, const std::wstring& self, const std::wstring& folder)
{
    WaitForSingleObject(process, INFINITE);
    const std::wstring parked = parkingPlace(folder);
    if (GetFileAttributesW(parked.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !entryValue(kLocationValue).empty())
        MoveFileExW(parked.c_str(), self.c_str(), 0);
    soon([&] { return RemoveDirectoryW(folder.c_str()); });
}

// The uninstaller the user started: one at a time; copies itself into a
// folder of its own, starts the copy and returns the copy's answer.
DWORD runCopy(bool silent)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    // Held by this uninstaller and handed to its copy: it lasts until both
    // have ended.
    const std::wstring name = std::wstring(L"Local\\") + vesk::version::kAppIdWide + L".uninstall";
    HANDLE lock = CreateEventW(&inherited, TRUE, FALSE, name.c_str());
    if (!lock || GetLastError() == ERROR_ALREADY_EXISTS) {
        tell(silent, message("Busy"), MB_ICONSTOP);
        return kBusy;
    }
    const std::wstring self = modulePath();
    std::wstring folder, copy;
    HANDLE image = copyOfSelf(self, folder, copy);
    if (image == INVALID_HANDLE_VALUE) {
        tell(silent, message("NotCopied"), MB_ICONSTOP);
        return kRefused;
    }
    HANDLE answer = nullptr, answerEnd = nullptr, waiter = nullptr;
    CreatePipe(&answer, &answerEnd, &inherited, 0);
    SetHandleInformation(answer, HANDLE_FLAG_INHERIT, 0);
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &waiter,
                    SYNCHRONIZE, TRUE, 0);
    std::wstring command = quoted(copy) + (silent ? L" /S" : L"") + L" /from=" + quoted(self) +
                           L" /waiter=" + std::to_wstring(UINT_PTR(waiter)) + L" /answer=" +
                           std::to_wstring(UINT_PTR(answerEnd)) + L" /image=" +
                           std::to_wstring(UINT_PTR(image));
    // Neither the copy nor this one keeps the install folder, or the copy's,
    // as its current folder, which would stop its removal.
    const std::wstring temporary = folderOf(folder);
    SetCurrentDirectoryW(temporary.c_str());
    AllowSetForegroundWindow(ASFW_ANY);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started =
        answer && CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 temporary.c_str(), &startup, &process);
    CloseHandle(image);
    CloseHandle(answerEnd);
    CloseHandle(waiter);
    if (!started) {
        RemoveDirectoryW(folder.c_str());
        tell(silent, message("CopyNotStarted"), MB_ICONSTOP);
        return kRefused;
    }
    CloseHandle(process.hThread);
    DWORD status = kRefused, read = 0;
    if (!ReadFile(answer, &status, sizeof status, &read, nullptr) || read != sizeof status) {
        // The copy ended without answering, having failed or been ended:
        // never the user's choice, nor done.
        status = kRefused;
        afterFailedCopy(process.hProcess, self, folder);
    }
    return status;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // No library is taken from the folder this runs in, the temporary one
    // among them: only from Windows' own.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
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
        else if (has(L"/image=", rest))
            from.image = handle(rest);
    }
    LocalFree(arguments);
    if (from.waiting.empty() || !from.waiter || !from.answer || !from.image)
        return int(runCopy(silent));
    return int(runAsCopy(from, silent));
}
