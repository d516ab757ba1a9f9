// Deciding the settings file's place: probing the Windows directory's file, the per-user folder
// from the known-folder API, and the first copy of a missing file.
#include "settings/settings_place.h"

#include "settings/other_writer_win32.h"
#include "settings/storage_report.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <iterator>

namespace settings {

namespace {

constexpr wchar_t fileName[] = L"kestasv.ini";
constexpr wchar_t folderName[] = L"KESTA";

bool chosen;
bool writesRefused;
wchar_t chosenPath[MAX_PATH];

// After a failure to open: whether to try again (another program holds the file, and the wait
// that started at `started` has time left), after a short pause.
bool waitedForOtherWriter(DWORD started) {
    if (!heldByAnother(GetLastError()) || GetTickCount() - started >= waitForOtherWriter) {
        return false;
    }
    Sleep(otherWriterPause);
    return true;
}

void windowsDirectoryFile(wchar_t (&path)[MAX_PATH]) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, std::size(folder));
    if (length == 0 || length >= std::size(folder) ||
        !joinPath(path, std::size(path), folder, fileName)) {
        path[0] = L'\0';
    }
}

bool isFile(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Opening for writing changes nothing in a file. Where there is no file, a new one made with
// delete-on-close shows whether the directory takes it; the system removes it as its handle
// closes (also if the program dies meanwhile), so nothing is left behind.
WindowsFile probeWindowsFile(const wchar_t* path, DWORD started) {
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = INVALID_HANDLE_VALUE;
    do {
        file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    } while (file == INVALID_HANDLE_VALUE && waitedForOtherWriter(started));
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return WindowsFile::writable;
    }
    if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return WindowsFile::refused;
    }
    HANDLE probe = CreateFileW(path, GENERIC_WRITE | DELETE, share, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        return WindowsFile::absentRefused;
    }
    CloseHandle(probe);
    return WindowsFile::creatable;
}

bool readable(const wchar_t* path, DWORD started) {
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = INVALID_HANDLE_VALUE;
    do {
        file = CreateFileW(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    } while (file == INVALID_HANDLE_VALUE && waitedForOtherWriter(started));
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// <roaming application data>\KESTA, whether it exists or not.
bool userFolderPath(wchar_t (&folder)[MAX_PATH]) {
    PWSTR roaming = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY,
                                                      nullptr, &roaming)) &&
                       joinPath(folder, MAX_PATH, roaming, folderName);
    CoTaskMemFree(roaming);
    return found;
}

// The folder, created (with the roaming folder) when missing.
bool makeUserFolder(const wchar_t* folder) {
    PWSTR roaming = nullptr;
    SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &roaming);
    CoTaskMemFree(roaming);
    if (CreateDirectoryW(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = GetFileAttributesW(folder);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    return false;
}

void besideProgramFile(wchar_t (&path)[MAX_PATH]) {
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, std::size(program));
    wchar_t* separator =
        length > 0 && length < std::size(program) ? wcsrchr(program, L'\\') : nullptr;
    if (!separator) {
        path[0] = L'\0';
        return;
    }
    *separator = L'\0';
    if (!joinPath(path, MAX_PATH, program, fileName)) {
        path[0] = L'\0';
    }
}

// A byte-for-byte copy that never replaces a file; a copied read-only mark (perhaps the reason
// the original refused writes) is taken off, so the copy can be written.
bool copyOnce(const wchar_t* source, const wchar_t* target) {
    if (source[0] == L'\0' || !CopyFileW(source, target, TRUE)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(target, attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return true;
}

void windowsFacts(const wchar_t* windowsPath, PlaceFacts& facts) {
    const DWORD started = GetTickCount();
    facts.windowsFile = probeWindowsFile(windowsPath, started);
    facts.windowsFileIsFile = isFile(windowsPath);
    facts.windowsFileReadable = facts.windowsFile == WindowsFile::refused &&
                                facts.windowsFileIsFile && readable(windowsPath, started);
}

// The per-user file as chosen, started as a copy when missing; false (nothing changed but
// perhaps an empty folder) when it cannot be had.
bool startUserFile(const PlaceChoice& choice, const wchar_t* folder, const wchar_t* userPath,
                   const wchar_t* windowsPath, const wchar_t* besidePath) {
    if (!choice.copyFromWindows && !choice.copyFromBeside) {
        return GetFileAttributesW(userPath) != INVALID_FILE_ATTRIBUTES || makeUserFolder(folder);
    }
    if (!makeUserFolder(folder)) {
        return false;
    }
    if (copyOnce(choice.copyFromWindows ? windowsPath : besidePath, userPath)) {
        return true;
    }
    RemoveDirectoryW(folder); // only when empty
    return !choice.copyFromWindows;
}

} // namespace

void chooseSettingsFile() {
    if (chosen) {
        return;
    }
    chosen = true;
    wchar_t windowsPath[MAX_PATH];
    windowsDirectoryFile(windowsPath);
    lstrcpynW(chosenPath, windowsPath, std::size(chosenPath));

    PlaceFacts facts{};
    wchar_t folder[MAX_PATH];
    wchar_t userPath[MAX_PATH];
    facts.userFolderReady =
        userFolderPath(folder) && joinPath(userPath, MAX_PATH, folder, fileName);
    facts.userFileExists =
        facts.userFolderReady && GetFileAttributesW(userPath) != INVALID_FILE_ATTRIBUTES;
    if (!facts.userFileExists) {
        windowsFacts(windowsPath, facts);
    }
    wchar_t besidePath[MAX_PATH];
    besideProgramFile(besidePath);
    facts.besideFileExists = besidePath[0] != L'\0' && isFile(besidePath);

    PlaceChoice choice = choosePlace(facts);
    if (choice.perUser && !startUserFile(choice, folder, userPath, windowsPath, besidePath)) {
        // The copy of the user's own file failed after all; without a folder, the Windows
        // directory stays and its failed writes are reported.
        choice = {.windowsFileUnreadable = choice.copyFromWindows};
    }
    if (choice.windowsFileUnreadable) {
        writesRefused = true;
        reportToUser({StorageEvent::placeUnreadable, windowsPath, nullptr});
        return;
    }
    if (choice.perUser) {
        lstrcpynW(chosenPath, userPath, std::size(chosenPath));
    } else if (choice.copyFromBeside) {
        copyOnce(besidePath, windowsPath);
    }
}

bool settingsFileWritable() {
    return !writesRefused;
}

const wchar_t* settingsFilePath() {
    if (!chosen && chosenPath[0] == L'\0') {
        windowsDirectoryFile(chosenPath);
    }
    return chosenPath;
}

// The per-user file once it exists, as the choice above keeps it; else the Windows directory's.
bool findSettingsFileReadOnly(wchar_t* path, std::size_t capacity) {
    wchar_t found[MAX_PATH];
    wchar_t folder[MAX_PATH];
    if (!(userFolderPath(folder) && joinPath(found, MAX_PATH, folder, fileName) && isFile(found))) {
        windowsDirectoryFile(found);
    }
    if (found[0] == L'\0' || static_cast<std::size_t>(lstrlenW(found)) + 1 > capacity) {
        if (capacity > 0) {
            path[0] = L'\0';
        }
        return false;
    }
    lstrcpyW(path, found);
    return true;
}

} // namespace settings
