// A stand-in for "Ctl3D32.Dll", built in three variants:
//   CTL3D_full     all three entry points, Ctl3dRegister succeeds
//   CTL3D_noentry  Ctl3dAutoSubclass missing
//   CTL3D_refuses  Ctl3dRegister returns 0
// Every call appends a line to ctl3d_calls.txt in the library's own folder; an entry point also
// records whether it was given the program's instance handle.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

HMODULE self;

void record(const char* line) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\') {
        --n;
    }
    wcscpy(path + n, L"ctl3d_calls.txt");
    if (std::FILE* out = _wfopen(path, L"ab")) {
        std::fprintf(out, "%s\n", line);
        std::fclose(out);
    }
}

void recordCall(const char* name, HINSTANCE instance) {
    char line[80];
    std::snprintf(line, sizeof line, "%s %s", name,
                  instance == GetModuleHandleW(nullptr) ? "program" : "other");
    record(line);
}

} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI Ctl3dRegister(HINSTANCE instance) {
    recordCall("Ctl3dRegister", instance);
#ifdef CTL3D_refuses
    return FALSE;
#else
    return TRUE;
#endif
}

extern "C" __declspec(dllexport) BOOL WINAPI Ctl3dUnregister(HINSTANCE instance) {
    recordCall("Ctl3dUnregister", instance);
    return TRUE;
}

#ifndef CTL3D_noentry
extern "C" __declspec(dllexport) BOOL WINAPI Ctl3dAutoSubclass(HINSTANCE instance) {
    recordCall("Ctl3dAutoSubclass", instance);
    return TRUE;
}
#endif

// A null reserved pointer at detach means FreeLibrary; otherwise the process is ending.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        self = instance;
        record("load");
    } else if (reason == DLL_PROCESS_DETACH) {
        record(reserved ? "exit" : "free");
    }
    return TRUE;
}
