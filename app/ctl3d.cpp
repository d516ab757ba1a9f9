// The optional 3-D controls library: loaded when the system directory holds a file of its name,
// otherwise nothing happens. Only the look of the dialog's controls depends on it. It is looked
// for nowhere else: a file of that name beside a downloaded program could be anything.
#include "app/app.h"
#include "settings/settings_place.h"

#include <cstdint>
#include <iterator>

namespace app {

namespace {

constexpr wchar_t libraryName[] = L"Ctl3D32.Dll";

// The library's full path in the system directory; false when it is not there.
bool systemLibrary(wchar_t (&path)[MAX_PATH]) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, std::size(folder));
    if (length == 0 || length >= std::size(folder) ||
        !settings::joinPath(path, std::size(path), folder, libraryName)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

Ctl3dProc entryPoint(const char* name) {
    return reinterpret_cast<Ctl3dProc>(reinterpret_cast<void*>(GetProcAddress(ctl3dLibrary, name)));
}

} // namespace

void startCtl3d() {
    wchar_t path[MAX_PATH];
    if (!systemLibrary(path)) {
        ctl3dWanted = 0;
        return;
    }
    ctl3dLibrary = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Module handles of 32 and below are error codes.
    if (reinterpret_cast<std::uintptr_t>(ctl3dLibrary) <= 32) {
        ctl3dWanted = 0;
        return;
    }
    ctl3dRegisterProc = entryPoint("Ctl3dRegister");
    ctl3dUnregisterProc = entryPoint("Ctl3dUnregister");
    ctl3dAutoSubclassProc = entryPoint("Ctl3dAutoSubclass");
    if (!ctl3dRegisterProc || !ctl3dUnregisterProc || !ctl3dAutoSubclassProc) {
        ctl3dWanted = 0;
        return;
    }
    if (ctl3dRegisterProc(programInstance)) {
        ctl3dRegistered = 1;
        ctl3dAutoSubclassProc(programInstance);
    }
}

void stopCtl3d() {
    if (ctl3dWanted != 1) {
        return;
    }
    if (ctl3dRegistered == 1) {
        ctl3dUnregisterProc(programInstance);
    }
    FreeLibrary(ctl3dLibrary);
}

} // namespace app
