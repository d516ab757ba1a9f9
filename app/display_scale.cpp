// Display scaling: which DPI the row is built for, and the window's place in the settings file
// in 96-DPI units. The DPI functions of newer systems are looked up at run time; without them the
// screen's logical DPI serves.
#include "app/app.h"
#include "figures/bounds.h"
#include "figures/scale.h"
#include "settings/settings.h"

namespace app {

namespace {

using DpiForWindowProc = UINT(WINAPI*)(HWND);
using DpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Proc> Proc entryPoint(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

std::int32_t screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return figures::heldDpi(dpi);
}

std::int32_t windowDpi(HWND window) {
    static const auto forWindow =
        entryPoint<DpiForWindowProc>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    const UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi ? figures::heldDpi(dpi) : screenDpi();
}

// The effective DPI of a monitor (the one Windows scales windows by), or 0 when unknown.
std::int32_t monitorDpi(HMONITOR monitor) {
    static const auto forMonitor =
        entryPoint<DpiForMonitorProc>(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
    constexpr int effectiveDpi = 0;
    UINT x = 0, y = 0;
    if (!forMonitor || !monitor || forMonitor(monitor, effectiveDpi, &x, &y) != S_OK) {
        return 0;
    }
    return figures::heldDpi(x);
}

// The full-screen run spans every monitor and takes the scale of the primary one.
std::int32_t primaryDpi() {
    const std::int32_t dpi = monitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
    return dpi ? dpi : screenDpi();
}

} // namespace

void measureDpi(HWND window) {
    figures::dpi = saver::mode == saver::Mode::fullScreen ? primaryDpi() : windowDpi(window);
}

void storeWindowPlace(HWND window, const RECT& frame) {
    const std::int32_t dpi = windowDpi(window);
    settings::SCREEN_T = figures::saturate(figures::fromDpi(frame.top, dpi));
    settings::SCREEN_L = figures::saturate(figures::fromDpi(frame.left, dpi));
    settings::SCREEN_H =
        figures::saturate(figures::fromDpi(std::int64_t{frame.bottom} - frame.top, dpi));
    settings::SCREEN_W =
        figures::saturate(figures::fromDpi(std::int64_t{frame.right} - frame.left, dpi));
}

// The stored place in pixels of the monitor it falls on (the window's own DPI decides which).
StoredPlace storedPlace(HWND window) {
    auto atDpi = [](std::int32_t dpi) {
        return StoredPlace{
            figures::toDpi(settings::SCREEN_L, dpi), figures::toDpi(settings::SCREEN_T, dpi),
            figures::toDpi(settings::SCREEN_W, dpi), figures::toDpi(settings::SCREEN_H, dpi)};
    };
    const std::int32_t own = windowDpi(window);
    const StoredPlace first = atDpi(own);
    const RECT area{figures::saturate(first.left), figures::saturate(first.top),
                    figures::saturate(first.left + first.width),
                    figures::saturate(first.top + first.height)};
    const std::int32_t there = monitorDpi(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
    return there && there != own ? atDpi(there) : first;
}

// Moved to a monitor of another scale: the window takes the size the system suggests and the row
// is rebuilt for the new scale at once, before another frame is drawn. The start-up places the
// window at its monitor's scale itself, and the full-screen run keeps covering every monitor.
void dpiChanged(HWND window, LPARAM suggested) {
    if (!settings::startupDone || saver::mode != saver::Mode::program) {
        return;
    }
    const RECT* place = reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, place->left, place->top, place->right - place->left,
                 place->bottom - place->top, SWP_NOZORDER | SWP_NOACTIVATE);
    measureClientArea(window);
    rebuildFigures();
}

} // namespace app
