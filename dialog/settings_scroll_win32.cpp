// The settings dialog on a monitor too short for it (display scaling on a small screen): the
// dialog takes the work area's height and its controls scroll under a vertical scroll bar, by
// the bar, the mouse wheel and the focus moving to a control out of sight. Where it fits it is
// left as it is.
#include "dialog/dialog.h"
#include "dialog/dialog_rules.h"

#include <algorithm>
#include <cstdint>

namespace dialog {

namespace {

// One dialog at a time: its layout's height and what shows of it, and the row at the top.
ScrollSpan span{};
std::int32_t scrollTop = 0;

constexpr UINT showFocusMessage = WM_APP + 20;

std::int32_t lineHeight(HWND dialogWindow) {
    RECT line{0, 0, 0, 12};
    MapDialogRect(dialogWindow, &line);
    return std::max<std::int32_t>(line.bottom, 1);
}

void scrollTo(HWND dialogWindow, std::int64_t wanted) {
    const std::int32_t next = heldScroll(wanted, span);
    if (next == scrollTop) {
        return;
    }
    ScrollWindowEx(dialogWindow, 0, scrollTop - next, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    scrollTop = next;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = scrollTop;
    SetScrollInfo(dialogWindow, SB_VERT, &info, TRUE);
}

void showFocus(HWND dialogWindow) {
    HWND focus = GetFocus();
    // A combo box's edit or list belongs to the combo box, a child of the dialog.
    while (focus && GetParent(focus) && GetParent(focus) != dialogWindow) {
        focus = GetParent(focus);
    }
    if (!focus || GetParent(focus) != dialogWindow) {
        return;
    }
    RECT place{};
    GetWindowRect(focus, &place);
    MapWindowPoints(nullptr, dialogWindow, reinterpret_cast<POINT*>(&place), 2);
    scrollTo(dialogWindow,
             scrollShowing(scrollTop, place.top + scrollTop, place.bottom + scrollTop, span));
}

} // namespace

void fitDialogToMonitor(HWND dialogWindow) {
    span = {};
    scrollTop = 0;
    RECT outer{}, client{};
    GetWindowRect(dialogWindow, &outer);
    GetClientRect(dialogWindow, &client);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(dialogWindow, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const RECT& work = monitor.rcWork;
    const std::int64_t workHeight = std::int64_t{work.bottom} - work.top;
    const std::int64_t outerHeight = std::int64_t{outer.bottom} - outer.top;
    if (outerHeight <= workHeight) {
        return;
    }
    const std::int64_t frame = outerHeight - client.bottom;
    span = {client.bottom,
            static_cast<std::int32_t>(std::max<std::int64_t>(workHeight - frame, 1))};
    SetWindowLongPtrW(dialogWindow, GWL_STYLE,
                      GetWindowLongPtrW(dialogWindow, GWL_STYLE) | WS_VSCROLL);
    const int width = outer.right - outer.left + GetSystemMetrics(SM_CXVSCROLL);
    const int left =
        std::clamp<int>(outer.left, work.left, std::max<int>(work.left, work.right - width));
    SetWindowPos(dialogWindow, nullptr, left, work.top, width, static_cast<int>(workHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    GetClientRect(dialogWindow, &client);
    span.visible = std::max<std::int32_t>(client.bottom, 1);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = span.content - 1;
    info.nPage = static_cast<UINT>(span.visible);
    info.nPos = 0;
    SetScrollInfo(dialogWindow, SB_VERT, &info, TRUE);
}

bool scrollMessage(HWND dialogWindow, UINT message, WPARAM wParam) {
    if (span.content <= span.visible) {
        return false;
    }
    switch (message) {
    case WM_VSCROLL: {
        const std::int64_t line = lineHeight(dialogWindow);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: scrollTo(dialogWindow, std::int64_t{scrollTop} - line); break;
        case SB_LINEDOWN: scrollTo(dialogWindow, std::int64_t{scrollTop} + line); break;
        case SB_PAGEUP: scrollTo(dialogWindow, std::int64_t{scrollTop} - span.visible); break;
        case SB_PAGEDOWN: scrollTo(dialogWindow, std::int64_t{scrollTop} + span.visible); break;
        case SB_TOP: scrollTo(dialogWindow, 0); break;
        case SB_BOTTOM: scrollTo(dialogWindow, span.content); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(dialogWindow, SB_VERT, &info);
            scrollTo(dialogWindow, info.nTrackPos);
            break;
        }
        default: break;
        }
        return true;
    }
    case WM_MOUSEWHEEL: {
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        scrollTo(dialogWindow,
                 std::int64_t{scrollTop} - 3 * std::int64_t{notches} * lineHeight(dialogWindow));
        return true;
    }
    case WM_NEXTDLGCTL:
        // The dialog moves the focus after this message; the control it lands on shows then.
        PostMessageW(dialogWindow, showFocusMessage, 0, 0);
        return false;
    case WM_COMMAND: PostMessageW(dialogWindow, showFocusMessage, 0, 0); return false;
    case showFocusMessage: showFocus(dialogWindow); return true;
    }
    return false;
}

} // namespace dialog
