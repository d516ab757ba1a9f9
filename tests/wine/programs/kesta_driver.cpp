// Drives a running KESTA from the command line, the way the menus would:
//   kesta_driver start | stop | close
//   kesta_driver command ID | syscommand ID   (menu-bar or system-menu command)
//   kesta_driver sysmenu                      (prints the system menu's items and their marks)
//   kesta_driver menu                         (prints the menu bar's items and their marks)
//   kesta_driver menufont                     (prints the face name of the menu font)
// Each verb first waits up to ten seconds for the main window; the exit code is 1 when it
// never appears.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

HWND waitForMainWindow() {
    for (int i = 0; i < 500; ++i) {
        HWND window = FindWindowW(L"KESTA", nullptr);
        if (window && IsWindowVisible(window)) {
            return window;
        }
        Sleep(20);
    }
    return nullptr;
}

// Menu handles belong to the program's process and cannot be read from here. The probe DLL
// beside this driver, hooked into the program's thread, writes both menus to kesta_probe.txt in
// the Windows directory, one item a line: menu, depth, kind, id, checked, text (UTF-8).
bool printMenu(HWND window, const char* which) {
    wchar_t path[MAX_PATH + 32];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t* slash = std::wcsrchr(path, L'\\');
    if (length == 0 || !slash) {
        return false;
    }
    std::wcscpy(slash + 1, L"kesta_probe.dll");
    HMODULE probe = LoadLibraryW(path);
    auto hook = probe ? reinterpret_cast<HOOKPROC>(
                            reinterpret_cast<void*>(GetProcAddress(probe, "probeHook")))
                      : nullptr;
    HHOOK installed = hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe,
                                               GetWindowThreadProcessId(window, nullptr))
                           : nullptr;
    if (!installed) {
        std::fprintf(stderr, "cannot place kesta_probe.dll in the program\n");
        return false;
    }
    GetWindowsDirectoryW(path, MAX_PATH);
    std::wcscat(path, L"\\kesta_probe.txt");
    DeleteFileW(path);
    PostMessageW(window, RegisterWindowMessageW(L"KestaProbe"), 0, 0);
    std::FILE* in = nullptr;
    for (int i = 0; i < 250 && !in; ++i) {
        Sleep(20);
        in = _wfopen(path, L"rb");
    }
    UnhookWindowsHookEx(installed);
    if (!in) {
        std::fprintf(stderr, "no answer from the program\n");
        return false;
    }
    char line[1024];
    while (std::fgets(line, sizeof line, in)) {
        char menu[16], kind[16];
        int depth = 0, checked = 0, used = 0;
        unsigned id = 0;
        if (std::sscanf(line, "%15s %d %15s %u %d %n", menu, &depth, kind, &id, &checked, &used) <
                5 ||
            std::strcmp(menu, which) != 0) {
            continue;
        }
        line[std::strcspn(line, "\r\n")] = 0;
        std::printf("%*s%s %u %s%s\n", depth * 2, "", std::strcmp(kind, "separator") ? "item" : "-",
                    id, line + used, checked ? " [checked]" : "");
    }
    std::fclose(in);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kesta_driver start|stop|close|command ID|syscommand ID|"
                             "sysmenu|menu\n");
        return 2;
    }
    HWND window = waitForMainWindow();
    if (!window) {
        std::fprintf(stderr, "no KESTA window\n");
        return 1;
    }
    const char* verb = argv[1];
    WPARAM id = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 0;
    if (!std::strcmp(verb, "start")) {
        PostMessageW(window, WM_COMMAND, 2, 0);
    } else if (!std::strcmp(verb, "stop")) {
        PostMessageW(window, WM_COMMAND, 3, 0);
    } else if (!std::strcmp(verb, "close")) {
        PostMessageW(window, WM_COMMAND, 40004, 0);
    } else if (!std::strcmp(verb, "command")) {
        PostMessageW(window, WM_COMMAND, id, 0);
    } else if (!std::strcmp(verb, "syscommand")) {
        PostMessageW(window, WM_SYSCOMMAND, id, 0);
    } else if (!std::strcmp(verb, "sysmenu")) {
        return printMenu(window, "system") ? 0 : 1;
    } else if (!std::strcmp(verb, "menufont")) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        char face[128];
        WideCharToMultiByte(CP_UTF8, 0, metrics.lfMenuFont.lfFaceName, -1, face, sizeof face,
                            nullptr, nullptr);
        std::printf("%s\n", face);
    } else if (!std::strcmp(verb, "menu")) {
        return printMenu(window, "menu") ? 0 : 1;
    } else {
        std::fprintf(stderr, "unknown verb %s\n", verb);
        return 2;
    }
    return 0;
}
