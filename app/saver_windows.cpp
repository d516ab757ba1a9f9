// The screensaver's ways in: the full-screen run (/s), the preview inside another program's
// window (/p), the settings dialog alone (/c), and the message for arguments it cannot take. The
// window procedure, the frame composer, the builder and the dialog are the program's own; the
// mode in saver::mode tells the window procedure what differs.
#include "app/app.h"
#include "dialog/dialog.h"
#include "figures/bounds.h"
#include "figures/builder.h"
#include "resources/resource.h"
#include "saver/saver.h"

#include <windowsx.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace app {

namespace {

constexpr wchar_t messageTitle[] = L"KESTA";
constexpr std::wstring_view usage = L"\n\nスクリーンセーバーとしての使い方:\n"
                                    L"  /s：全画面で表示\n"
                                    L"  /p <ウィンドウ>：ウィンドウの中にプレビュー\n"
                                    L"  /c[:<ウィンドウ>]：設定";

HWND windowOf(const saver::StartRequest& request) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.window));
}

bool startedAsScreensaver() {
    std::array<wchar_t, 4 * MAX_PATH> path{};
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    // A cut name has lost its extension.
    if (length == 0 || length >= path.size()) {
        return false;
    }
    return saver::screensaverName(std::wstring_view(path.data(), length));
}

// A message text built in a fixed buffer, cut short rather than overrun.
struct Text {
    std::array<wchar_t, 1024> buffer{};
    std::size_t length = 0;
};

void add(Text& text, std::wstring_view part) {
    for (wchar_t c : part) {
        if (text.length + 1 < text.buffer.size()) {
            text.buffer[text.length++] = c;
        }
    }
}

void addQuoted(Text& text, std::wstring_view word) {
    constexpr std::size_t longest = 64;
    add(text, L"「");
    add(text, word.substr(0, longest));
    add(text, word.size() > longest ? L"…」" : L"」");
}

void end(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

void startDrawingAtOnce(HWND window) {
    menuCommand(window, IDM_START);
}

int runFullScreen() {
    registerMainClass();
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, className, windowTitle, WS_POPUP, left, top, width,
                                  height, nullptr, nullptr, programInstance, nullptr);
    if (!window) {
        return 1;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    saver::watchMouseFrom(cursor.x, cursor.y);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    startDrawingAtOnce(window);
    return messageLoop();
}

int runPreview(HWND parent) {
    registerMainClass();
    RECT area{};
    GetClientRect(parent, &area);
    HWND window =
        CreateWindowExW(0, className, windowTitle, WS_CHILD | WS_VISIBLE, 0, 0, area.right,
                        area.bottom, parent, nullptr, programInstance, nullptr);
    if (!window) {
        return 1;
    }
    UpdateWindow(window);
    startDrawingAtOnce(window);
    return messageLoop();
}

// No window of the program draws behind this dialog, so it has none to tell.
int runSettings(HWND owner) {
    startCtl3d();
    INT_PTR result =
        DialogBoxParamW(programInstance, dialogName, owner, dialog::settingsDialogProc, 0);
    stopCtl3d();
    return result == -1 ? 1 : 0;
}

// Each refusal's text around the offending switch, quoted.
struct RefusalText {
    const wchar_t* before;
    const wchar_t* after;
};

RefusalText refusalText(saver::Refusal refusal) {
    switch (refusal) {
    case saver::Refusal::unknownSwitch: return {L"", L"は使えない指定です。"};
    case saver::Refusal::noWindow:
        return {L"", L"にはプレビューを表示するウィンドウのハンドルが必要です。"};
    case saver::Refusal::notANumber:
        return {L"", L"はウィンドウのハンドル（10進数）ではありません。"};
    case saver::Refusal::extraText: return {L"", L"は余分な指定です。"};
    case saver::Refusal::notAWindow: return {L"ハンドル", L"のウィンドウが見つかりません。"};
    case saver::Refusal::none: break;
    }
    return {nullptr, nullptr};
}

int refuseStart(const saver::StartRequest& request) {
    Text text;
    if (const RefusalText said = refusalText(request.refusal); said.after) {
        add(text, said.before);
        addQuoted(text, request.offending);
        add(text, said.after);
    }
    add(text, usage);
    MessageBoxW(nullptr, text.buffer.data(), messageTitle, MB_OK | MB_ICONERROR);
    return 1;
}

} // namespace

saver::StartRequest readStartRequest(PCWSTR arguments) {
    saver::StartRequest request =
        saver::readArguments(arguments ? arguments : L"", startedAsScreensaver());
    if (request.hasWindow && !IsWindow(windowOf(request))) {
        request.mode = saver::Mode::refused;
        request.refusal = saver::Refusal::notAWindow;
        request.offending = request.windowText;
    }
    return request;
}

int runScreensaver(const saver::StartRequest& request) {
    switch (request.mode) {
    case saver::Mode::fullScreen: return runFullScreen();
    case saver::Mode::preview: return runPreview(windowOf(request));
    case saver::Mode::settings: return runSettings(windowOf(request));
    case saver::Mode::program:
    case saver::Mode::refused: break;
    }
    return refuseStart(request);
}

// The screensaver's windows take the desktop behind them as they stand, before they are shown:
// the full-screen window the screen itself, the preview the whole screen made small. The copy
// is addressed in screen coordinates, as paints and frames read it (followWindow keeps it so).
void copyDesktopBehind(HWND window) {
    RECT behind{};
    GetWindowRect(window, &behind);
    if (saver::mode == saver::Mode::preview) {
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        const RECT screens{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
        backdrop.picture = render::takeDesktop(behind, screens, render::Taking::shrunk);
    } else {
        backdrop.picture = render::takeDesktop(behind, behind, render::Taking::asIs);
    }
}

// The preview moves on the screen with its parent; its desktop copy moves along.
void followWindow(HWND window) {
    if (saver::mode == saver::Mode::program) {
        return;
    }
    RECT place{};
    GetWindowRect(window, &place);
    render::moveBackdrop(backdrop, place.left, place.top);
}

bool keepsDrawing(HWND window) {
    if (saver::mode == saver::Mode::preview && !IsWindow(GetParent(window))) {
        DestroyWindow(window);
        return false;
    }
    followWindow(window);
    return true;
}

// The full-screen row travels only over what the monitors show, in client coordinates; the
// other windows leave it the whole drawing area.
void measureTravelArea(HWND window) {
    figures::travelArea = {};
    if (saver::mode != saver::Mode::fullScreen) {
        return;
    }
    MonitorList monitors{};
    const std::size_t count = listMonitors(monitors, MonitorPart::whole);
    const figures::Area shown = saver::largestShownArea(monitors.data(), count);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    figures::travelArea = {figures::saturate(std::int64_t{shown.left} - origin.x),
                           figures::saturate(std::int64_t{shown.top} - origin.y),
                           figures::saturate(std::int64_t{shown.right} - origin.x),
                           figures::saturate(std::int64_t{shown.bottom} - origin.y)};
}

void fitPreviewRow() {
    if (saver::mode == saver::Mode::preview) {
        saver::fitRowInto(figures::clientWidth, figures::clientHeight);
    }
}

bool fullScreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        result = TRUE;
        return true;
    case WM_MOUSEMOVE: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &at);
        if (saver::mouseMovedAway(at.x, at.y)) {
            end(window);
        }
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL: end(window); return true;
    case WM_ACTIVATEAPP:
        if (!wParam) {
            end(window);
        }
        return false;
    case WM_SYSCOMMAND:
        // No other screensaver starts over this one.
        return (wParam & 0xFFF0) == SC_SCREENSAVE;
    }
    return false;
}

} // namespace app
