#include "settings/settings_find.h"

#include "settings/settings_place.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace settings {

namespace {

constexpr wchar_t fileName[] = L"kestasv.ini";
constexpr wchar_t folderName[] = L"KESTA";

bool isFile(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool opensForWriting(const wchar_t* path) {
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// <roaming application data>\KESTA\kestasv.ini, whether or not it exists; nothing is created.
bool userFile(wchar_t (&path)[MAX_PATH]) {
    PWSTR roaming = nullptr;
    wchar_t folder[MAX_PATH];
    const bool found = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY,
                                                      nullptr, &roaming)) &&
                       joinPath(folder, MAX_PATH, roaming, folderName) &&
                       joinPath(path, MAX_PATH, folder, fileName);
    CoTaskMemFree(roaming);
    return found;
}

} // namespace

bool findSettingsFileReadOnly(wchar_t* path, std::size_t capacity) {
    wchar_t folder[MAX_PATH];
    wchar_t windowsPath[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !joinPath(windowsPath, MAX_PATH, folder, fileName)) {
        windowsPath[0] = L'\0';
    }
    wchar_t userPath[MAX_PATH];
    const wchar_t* found = windowsPath;
    if (!(isFile(windowsPath) && opensForWriting(windowsPath)) && userFile(userPath) &&
        isFile(userPath)) {
        found = userPath;
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
