// The optional 3-D controls library: loaded when a file of its name can be found, otherwise
// nothing happens. Only the look of the dialog's controls depends on it.
#include "app/app.h"

#include <cstdint>

namespace app {

namespace {

constexpr char libraryName[] = "Ctl3D32.Dll";

Ctl3dProc entryPoint(const char* name) {
    return reinterpret_cast<Ctl3dProc>(reinterpret_cast<void*>(GetProcAddress(ctl3dLibrary, name)));
}

} // namespace

void startCtl3d() {
    OFSTRUCT found{};
    if (OpenFile(libraryName, &found, OF_EXIST) == HFILE_ERROR) {
        ctl3dWanted = 0;
        return;
    }
    ctl3dLibrary = LoadLibraryA(libraryName);
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
