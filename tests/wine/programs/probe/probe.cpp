// Hooked into KESTA's thread by the tests (SetWindowsHookEx, WH_GETMESSAGE). It counts the timer
// messages the thread takes, and when the registered message "KestaProbe" arrives it writes the
// main window's menu bar and system menu, with their check marks, and the tick counts to
// C:\windows\kesta_probe.txt (written aside and then moved there, so readers see it whole).
#include <windows.h>

#include <cstdio>

namespace {

long ticks100;
long ticksOther;

void writeMenu(std::FILE* out, const char* name, HMENU menu, int depth) {
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
        std::fprintf(out, "%s %d %s %u %d %s\n", name, depth,
                     (item.fType & MFT_SEPARATOR) ? "separator" : "item", item.wID,
                     (item.fState & MFS_CHECKED) ? 1 : 0, utf8);
        if (item.hSubMenu) {
            writeMenu(out, name, item.hSubMenu, depth + 1);
        }
    }
}

void report(HWND window) {
    wchar_t dir[MAX_PATH];
    GetWindowsDirectoryW(dir, MAX_PATH);
    wchar_t path[MAX_PATH + 32];
    wchar_t aside[MAX_PATH + 32];
    swprintf(path, MAX_PATH + 32, L"%ls\\kesta_probe.txt", dir);
    swprintf(aside, MAX_PATH + 32, L"%ls\\kesta_probe.tmp", dir);
    std::FILE* out = _wfopen(aside, L"wb");
    if (!out) {
        return;
    }
    writeMenu(out, "menu", GetMenu(window), 0);
    writeMenu(out, "system", GetSystemMenu(window, FALSE), 0);
    std::fprintf(out, "ticks %ld %ld\n", ticks100, ticksOther);
    std::fclose(out);
    MoveFileExW(aside, path, MOVEFILE_REPLACE_EXISTING);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    probeHook(int code, WPARAM removal, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageW(L"KestaProbe");
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE) {
        if (message->message == WM_TIMER) {
            ++(message->wParam == 100 ? ticks100 : ticksOther);
        } else if (message->message == probeMessage) {
            report(message->hwnd);
            message->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
