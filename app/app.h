// The application shell's state: the instance, the main window's drawing resources, the menu
// state and the drawing timer. Everything lives for the whole run.
#pragma once

#include <windows.h>

#include "figures/clock_text.h"
#include "render/backdrop_win32.h"
#include "saver/saver.h"
#include "settings/storage_report.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace app {

inline HINSTANCE programInstance;
inline HWND mainWindow;
inline constexpr wchar_t className[] = L"KESTA";
inline constexpr wchar_t windowTitle[] = L"KESTA x64";
inline constexpr wchar_t menuName[] = L"tavilormenu";
inline constexpr wchar_t dialogName[] = L"settingdialog";

// Desktop image taken once at window creation, the background source of paints and frames, with
// its vertical corrections, set by the show-menu command.
inline render::Backdrop backdrop;

inline std::int32_t captionHeight;
inline std::int32_t frameWidth;
inline std::int32_t frameHeight;

// The settings dialog while it is open, else null, as the dialog tells it. There is only ever one:
// the main window stays enabled, and its settings commands bring the open one to the front. While
// it is open a paint rebuilds the figures without reading the settings file, so the dialog's
// edits survive it.
inline HWND settingsDialog;

inline UINT_PTR drawTimer;
constexpr UINT_PTR drawTimerId = 100;

inline HMENU checkMenu;
inline std::int32_t menuShown;
inline std::uint16_t lastCheckedItem;

// The optional 3-D controls library.
using Ctl3dProc = BOOL(WINAPI*)(HINSTANCE);
inline std::int32_t ctl3dWanted = 1;
inline std::int32_t ctl3dRegistered;
inline HMODULE ctl3dLibrary;
inline Ctl3dProc ctl3dRegisterProc;
inline Ctl3dProc ctl3dUnregisterProc;
inline Ctl3dProc ctl3dAutoSubclassProc;

// The entry procedure's work: returns the exit code.
int runProgram(HINSTANCE instance, HINSTANCE previousInstance, PCWSTR arguments, int showState);
int messageLoop();
void registerMainClass();
void appendSystemMenuItems(HWND window);
void startCtl3d();
void stopCtl3d();

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The DPI of the window (measureDpi), then readSettings (unless the settings dialog is open),
// loadFigures, buildFigures.
void rebuildFigures();
void measureClientArea(HWND window);

// The clock (app/clock.cpp). The time comes through readClock, the local time of the system
// clock unless a test sets another.
using ClockReader = SYSTEMTIME (*)();
SYSTEMTIME systemLocalTime();
inline ClockReader readClock = systemLocalTime;
// At every build, after the settings are read: whether the row shows the time and which figures
// (looked up by name in the file's figure list; 0 for a character the file lacks).
void setClockRow();
// At every timer tick before the frame: the slots whose character changed take their figure.
void tickClock();
// The row's characters for a time in the form taken at the last build.
void clockText(const SYSTEMTIME& time, figures::clock::Row& row);
// The file's figure for a character, by the name the importer gives it; 0 when there is none.
std::int32_t clockFigure(char32_t character);

// Display scaling (app/display_scale.cpp): the DPI the row is built for, the window's place
// kept in the settings file in 96-DPI units, and the move to a monitor of another scale.
struct StoredPlace {
    std::int64_t left, top, width, height;
};
void measureDpi(HWND window);
void storeWindowPlace(HWND window, const RECT& frame);
StoredPlace storedPlace(HWND window);
void dpiChanged(HWND window, LPARAM suggested);

// The screensaver's ways in (app/saver_windows.cpp): what the arguments ask for (a handle that
// names no window is refused), and the full-screen, preview, settings and refusal runs.
saver::StartRequest readStartRequest(PCWSTR arguments);
int runScreensaver(const saver::StartRequest& request);
// What the main window procedure does differently in the screensaver's windows.
void copyDesktopBehind(HWND window);
void followWindow(HWND window);
bool keepsDrawing(HWND window);
void fitPreviewRow();
void measureTravelArea(HWND window);
bool fullScreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The monitors' areas in screen coordinates, the whole of each or the part left to windows (the
// work area); returns how many, at most saver::maxMonitors.
using MonitorList = std::array<figures::Area, saver::maxMonitors>;
enum class MonitorPart { whole, work };
std::size_t listMonitors(MonitorList& monitors, MonitorPart part);

// Tells the user what the settings store reports (app/storage_notices.cpp).
void tellStorageReport(const settings::StorageReport& report);

// Menu and system-menu commands; each returns false for an identifier it does not handle.
bool menuCommand(HWND window, WPARAM id);
bool systemCommand(HWND window, WPARAM code);
void menuPopupOpening(LPARAM popup);

} // namespace app
