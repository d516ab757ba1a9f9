// The settings dialog on a desk too short for it (run at 96 DPI on 1024 x 768, and at 144, 168
// and 192 DPI on 1280 x 720 and 1920 x 1080 pixels): every control must come wholly into view on
// the work area at some place of the dialog's scroll bar.
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include "dialog/dialog.h"

#include <set>

using namespace kestatest;

namespace {

RECT intersect(RECT a, const RECT& b) {
    a.left = std::max(a.left, b.left);
    a.top = std::max(a.top, b.top);
    a.right = std::min(a.right, b.right);
    a.bottom = std::min(a.bottom, b.bottom);
    return a;
}

bool inside(const RECT& r, const RECT& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
           r.bottom <= area.bottom;
}

TEST(DialogReach, EveryControlComesIntoViewOnTheWorkArea) {
    writeIni(squareFigures());
    INT_PTR result = 0;
    std::thread runner([&] {
        result = DialogBoxParamW(GetModuleHandleW(nullptr), L"settingdialog", nullptr,
                                 dialog::settingsDialogProc, 0);
    });
    HWND window = findDialog(L"KESTA_x64_\u8a2d\u5b9a");
    ASSERT_NE(window, nullptr);
    settle(window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT dialogRect = windowRect(window);
    EXPECT_TRUE(inside(dialogRect, monitor.rcWork)) << "the dialog stands on the work area";

    // A group's frame may be taller than the view; the controls in it are what must be reached.
    auto isGroupFrame = [](HWND control) {
        wchar_t name[16] = L"";
        GetClassNameW(control, name, 16);
        return lstrcmpiW(name, L"Button") == 0 &&
               (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    };
    std::vector<HWND> controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && !isGroupFrame(child)) {
            controls.push_back(child);
        }
    }
    ASSERT_GT(controls.size(), 100u);
    std::set<HWND> seen;
    for (int step = 0; step < 400; ++step) {
        RECT client;
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const RECT view = intersect(client, monitor.rcWork);
        for (HWND control : controls) {
            if (inside(windowRect(control), view)) {
                seen.insert(control);
            }
        }
        const int before = GetScrollPos(window, SB_VERT);
        SendMessageW(window, WM_VSCROLL, SB_LINEDOWN, 0);
        if (GetScrollPos(window, SB_VERT) == before) {
            break;
        }
    }
    for (HWND control : controls) {
        wchar_t text[64] = L"";
        GetWindowTextW(control, text, 64);
        EXPECT_TRUE(seen.count(control))
            << "out of reach: id " << GetDlgCtrlID(control) << " " << narrow(text);
    }
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    runner.join();
    removeIni();
}

} // namespace
