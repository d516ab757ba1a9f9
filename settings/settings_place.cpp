// The platform-free part of deciding where the settings file lives.
#include "settings/settings_place.h"

namespace settings {

PlaceChoice choosePlace(const PlaceFacts& facts) {
    // Once made, the per-user file stays the settings file, even where the Windows directory
    // takes writes again: going back would bring back settings older than the user's last ones.
    if (facts.userFolderReady && facts.userFileExists) {
        return {.perUser = true};
    }
    if (facts.windowsFile == WindowsFile::writable) {
        return {};
    }
    if (facts.windowsFile == WindowsFile::creatable) {
        return {.copyFromBeside = facts.besideFileExists};
    }
    // Without a per-user folder the Windows directory stays, and its failed writes are reported.
    if (!facts.userFolderReady) {
        return {};
    }
    // The user's own file is the only right start; the sample would silently replace it.
    if (facts.windowsFileIsFile) {
        return facts.windowsFileReadable ? PlaceChoice{.perUser = true, .copyFromWindows = true}
                                         : PlaceChoice{.windowsFileUnreadable = true};
    }
    return {.perUser = true, .copyFromBeside = facts.besideFileExists};
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
