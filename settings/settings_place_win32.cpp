// Deciding the settings file's place: probing the Windows directory's file, the per-user folder
// from the known-folder API, and the first copy of a per-user file.
#include "settings/settings_place.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace settings {

namespace {

constexpr wchar_t fileName[] = L"kestasv.ini";
constexpr wchar_t folderName[] = L"KESTA";

bool chosen;
wchar_t chosenPath[MAX_PATH];

void windowsDirectoryFile(wchar_t (&path)[MAX_PATH]) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !joinPath(path, MAX_PATH, folder, fileName)) {
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
WindowsFile probeWindowsFile(const wchar_t* path) {
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
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

// <roaming application data>\KESTA, created when missing.
bool userFolder(wchar_t (&folder)[MAX_PATH]) {
    PWSTR roaming = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE,
                                                      nullptr, &roaming)) &&
                       joinPath(folder, MAX_PATH, roaming, folderName);
    CoTaskMemFree(roaming);
    if (!found) {
        return false;
    }
    if (CreateDirectoryW(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = GetFileAttributesW(folder);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    return false;
}

void besideProgramFile(wchar_t (&path)[MAX_PATH]) {
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    wchar_t* separator = length > 0 && length < MAX_PATH ? wcsrchr(program, L'\\') : nullptr;
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

} // namespace

void chooseSettingsFile() {
    if (chosen) {
        return;
    }
    chosen = true;
    wchar_t windowsPath[MAX_PATH];
    windowsDirectoryFile(windowsPath);
    lstrcpynW(chosenPath, windowsPath, MAX_PATH);

    PlaceFacts facts{};
    facts.windowsFile = probeWindowsFile(windowsPath);
    if (facts.windowsFile == WindowsFile::writable || facts.windowsFile == WindowsFile::creatable) {
        return;
    }
    facts.windowsFileIsFile = isFile(windowsPath);
    wchar_t folder[MAX_PATH];
    wchar_t userPath[MAX_PATH];
    facts.userFolderReady = userFolder(folder) && joinPath(userPath, MAX_PATH, folder, fileName);
    facts.userFileExists =
        facts.userFolderReady && GetFileAttributesW(userPath) != INVALID_FILE_ATTRIBUTES;
    wchar_t besidePath[MAX_PATH];
    besideProgramFile(besidePath);
    facts.besideFileExists = besidePath[0] != L'\0' && isFile(besidePath);

    const PlaceChoice choice = choosePlace(facts);
    if (!choice.perUser) {
        return;
    }
    lstrcpynW(chosenPath, userPath, MAX_PATH);
    if (!(choice.copyFromWindows && copyOnce(windowsPath, userPath)) && choice.copyFromBeside) {
        copyOnce(besidePath, userPath);
    }
}

const wchar_t* settingsFilePath() {
    if (!chosen && chosenPath[0] == L'\0') {
        windowsDirectoryFile(chosenPath);
    }
    return chosenPath;
}

} // namespace settings
