// The platform-free part of deciding where the settings file lives.
#include "settings/settings_place.h"

namespace settings {

PlaceChoice choosePlace(const PlaceFacts& facts) {
    const bool windowsTakesWrites =
        facts.windowsFile == WindowsFile::writable || facts.windowsFile == WindowsFile::creatable;
    // Without a per-user folder the Windows directory stays, and its failed writes are reported.
    if (windowsTakesWrites || !facts.userFolderReady) {
        return {false, false, false};
    }
    if (facts.userFileExists) {
        return {true, false, false};
    }
    return {true, facts.windowsFileIsFile, facts.besideFileExists};
}

bool joinPath(wchar_t* path, std::size_t capacity, const wchar_t* folder, const wchar_t* name) {
    std::size_t length = 0;
    auto append = [&](const wchar_t* text) {
        for (; *text != L'\0'; ++text) {
            if (length + 1 >= capacity) {
                return false;
            }
            path[length++] = *text;
        }
        return true;
    };
    if (capacity == 0) {
        return false;
    }
    const bool fits = append(folder) &&
                      (length > 0 && path[length - 1] == L'\\' ? true : append(L"\\")) &&
                      append(name);
    path[fits ? length : 0] = L'\0';
    return fits;
}

} // namespace settings
