// The main window procedure: the start-up, paint and shut-down sequences, and the hand-off of
// every timer tick to the frame composer.
#include "app/app.h"
#include "dialog/dialog.h"
#include "figures/bounds.h"
#include "figures/builder.h"
#include "figures/figures.h"
#include "render/frame.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace app {

namespace {

// Where the window opens when the stored place cannot be reached (96-DPI units).
constexpr RECT defaultPlace{0, 0, 640, 480};

// The desktop as it lies behind the window before the window is shown, taken once.
void copyDesktop() {
    const SIZE screen = render::screenSize();
    figures::clientWidth = screen.cx;
    figures::clientHeight = screen.cy;
    captionHeight = GetSystemMetrics(SM_CYCAPTION);
    frameWidth = GetSystemMetrics(SM_CXFRAME);
    frameHeight = GetSystemMetrics(SM_CYFRAME);
    // The horizontal frame width serves for both offsets.
    const int left = frameWidth;
    const int top = frameWidth + captionHeight;
    backdrop.picture =
        render::takeDesktop({0, 0, screen.cx, screen.cy},
                            {left, top, left + screen.cx, top + screen.cy}, render::Taking::asIs);
}

// Whether the caption of a window at this place can be taken hold of with the mouse: a piece of
// its bare strip (past the icon, before the buttons) at least as wide as the caption is high,
// and half as high, on a monitor's work area. A window too narrow for that strip offers the
// whole caption instead.
bool captionOnScreen(std::int64_t left, std::int64_t top, std::int64_t width) {
    if (width <= 0) {
        return false;
    }
    const std::int64_t captionTop = top + frameHeight;
    const std::int64_t stripLeft = left + frameWidth;
    const std::int64_t stripRight = left + width - frameWidth;
    std::int64_t gripLeft = stripLeft + GetSystemMetrics(SM_CXSMICON);
    std::int64_t gripRight = stripRight - 3 * std::int64_t{GetSystemMetrics(SM_CXSIZE)};
    if (gripRight - gripLeft < captionHeight) {
        gripLeft = stripLeft;
        gripRight = stripRight;
    }
    const figures::Area grip{figures::saturate(gripLeft), figures::saturate(captionTop),
                             figures::saturate(gripRight),
                             figures::saturate(captionTop + captionHeight)};
    MonitorList monitors{};
    const std::size_t count = listMonitors(monitors, MonitorPart::work);
    const std::int64_t leastWidth = std::min<std::int64_t>(captionHeight, gripRight - gripLeft);
    return saver::grabbable(grip, monitors.data(), count, figures::saturate(leastWidth),
                            (captionHeight + 1) / 2);
}

void moveTo(HWND window, const StoredPlace& place) {
    MoveWindow(window, figures::saturate(place.left), figures::saturate(place.top),
               figures::saturate(place.width), figures::saturate(place.height), FALSE);
}

// The stored place, unless it leaves the window out of the user's reach: no part of the caption
// on any screen, or no client area to draw in. Then the default place, which exit stores.
void placeWindow(HWND window) {
    const StoredPlace stored = storedPlace(window);
    if (captionOnScreen(stored.left, stored.top, stored.width)) {
        moveTo(window, stored);
        RECT placed{};
        GetWindowRect(window, &placed);
        measureClientArea(window);
        if (captionOnScreen(placed.left, placed.top, std::int64_t{placed.right} - placed.left) &&
            figures::clientWidth > 0 && figures::clientHeight > 0) {
            return;
        }
    }
    settings::SCREEN_L = defaultPlace.left;
    settings::SCREEN_T = defaultPlace.top;
    settings::SCREEN_W = defaultPlace.right - defaultPlace.left;
    settings::SCREEN_H = defaultPlace.bottom - defaultPlace.top;
    moveTo(window, storedPlace(window));
    measureClientArea(window);
}

void onCreate(HWND window) {
    mainWindow = window;
    settings::loadSettingNames();
    settings::readSettings();
    setClockRow();
    figures::loadFigures();
    // The screensaver's windows are created where they stay.
    if (saver::mode == saver::Mode::program) {
        copyDesktop();
        placeWindow(window);
    } else {
        copyDesktopBehind(window);
        measureClientArea(window);
        measureTravelArea(window);
    }
    measureDpi(window);
    fitPreviewRow();
    figures::buildFigures();
    settings::startupDone = 1;
    figures::seedRandom(GetTickCount() & 0xFFFF);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    HDC dc = GetDC(window);
    RECT frame;
    GetWindowRect(window, &frame);
    storeWindowPlace(window, frame);
    // The whole client area, wherever the window stands: left of or above the primary monitor
    // its screen corner would give a size too small or below zero.
    RECT client{};
    GetClientRect(window, &client);
    if (settings::BKMODE == 1) {
        render::paintBlack(dc, client.right, client.bottom);
    } else {
        render::copyBackdrop(dc, client.right, client.bottom, backdrop, frame.left, frame.top);
    }
    ReleaseDC(window, dc);
    measureClientArea(window);
    rebuildFigures();
    EndPaint(window, &paint);
}

void onDestroy(HWND window) {
    // The screensaver leaves the settings file alone.
    if (saver::mode == saver::Mode::program) {
        settings::writeViewSettings();
        settings::writeWindowGeometry();
    }
    render::releaseBackdrop(backdrop);
    if (drawTimer) {
        KillTimer(window, drawTimerId);
    }
    PostQuitMessage(0);
}

} // namespace

void measureClientArea(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    figures::clientWidth = client.right - client.left;
    figures::clientHeight = client.bottom - client.top;
}

void rebuildFigures() {
    measureDpi(mainWindow);
    // While the settings dialog is open its edits live only in memory; a paint must keep them.
    if (!settingsDialog) {
        settings::readSettings();
    }
    setClockRow();
    figures::loadFigures();
    fitPreviewRow();
    figures::buildFigures();
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (saver::mode == saver::Mode::fullScreen &&
        fullScreenMessage(window, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_CREATE: onCreate(window); return 0;
    case WM_PAINT:
        followWindow(window);
        onPaint(window);
        return 0;
    case WM_ERASEBKGND: return 0;
    case WM_MOVE: InvalidateRect(window, nullptr, TRUE); return 0;
    case WM_TIMER:
        if (keepsDrawing(window)) {
            tickClock();
            render::composeFrame(window, backdrop);
        }
        return 0;
    case WM_COMMAND:
        if (menuCommand(window, wParam)) {
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if (systemCommand(window, wParam)) {
            return 0;
        }
        break;
    case WM_INITMENUPOPUP: menuPopupOpening(lParam); return 0;
    case dialog::openedMessage: settingsDialog = reinterpret_cast<HWND>(lParam); return 0;
    case dialog::closingMessage: settingsDialog = nullptr; return 0;
    case dialog::modeChangedMessage: rebuildFigures(); return 0;
    case dialog::wordsAddedMessage:
        InvalidateRect(window, nullptr, TRUE);
        rebuildFigures();
        return 0;
    case WM_DPICHANGED: dpiChanged(window, lParam); return 0;
    case WM_DESTROY: onDestroy(window); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace app
