// Stands in for the settings place until the per-user fallback lands: the Windows directory's
// kestasv.ini, as the private-profile functions find a file named without a directory.
#include "settings/settings_place.h"

#include <windows.h>

namespace settings {

namespace {
wchar_t path[MAX_PATH + 16];
}

void chooseSettingsFile() {
    UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        path[0] = L'\0';
    }
    lstrcatW(path, L"\\kestasv.ini");
}

const wchar_t* settingsFilePath() {
    return path;
}

} // namespace settings
