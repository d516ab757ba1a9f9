// Drives a running KESTA from the command line, the way the menus would:
//   kesta_driver start | stop | close
//   kesta_driver command ID | syscommand ID   (menu-bar or system-menu command)
//   kesta_driver sysmenu                      (prints the system menu's items)
//   kesta_driver menu                         (prints the menu bar's items and their marks)
//   kesta_driver menufont                     (prints the face name of the menu font)
// Each verb first waits up to ten seconds for the main window; the exit code is 1 when it
// never appears.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void printItems(HMENU menu, int depth) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = 127;
        GetMenuItemInfoW(menu, i, TRUE, &item);
        char utf8[512];
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
        std::printf("%*s%s %u %s%s\n", depth * 2, "", (item.fType & MFT_SEPARATOR) ? "-" : "item",
                    item.wID, utf8, (item.fState & MFS_CHECKED) ? " [checked]" : "");
        if (item.hSubMenu) {
            printItems(item.hSubMenu, depth + 1);
        }
    }
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
        printItems(GetSystemMenu(window, FALSE), 0);
    } else if (!std::strcmp(verb, "menufont")) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        char face[128];
        WideCharToMultiByte(CP_UTF8, 0, metrics.lfMenuFont.lfFaceName, -1, face, sizeof face,
                            nullptr, nullptr);
        std::printf("%s\n", face);
    } else if (!std::strcmp(verb, "menu")) {
        printItems(GetMenu(window), 0);
    } else {
        std::fprintf(stderr, "unknown verb %s\n", verb);
        return 2;
    }
    return 0;
}
