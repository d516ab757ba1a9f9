// The application shell's state: the instance, the main window's drawing resources, the menu
// state and the drawing timer. Everything lives for the whole run.
#pragma once

#include <windows.h>

#include <cstdint>

namespace app {

inline HINSTANCE programInstance;
inline HWND mainWindow;
inline constexpr wchar_t className[] = L"KESTA";
inline constexpr wchar_t windowTitle[] = L"KESTA x64";
inline constexpr wchar_t menuName[] = L"tavilormenu";
inline constexpr wchar_t dialogName[] = L"settingdialog";

// Desktop image taken once at window creation; the background source of paints and frames.
inline HDC screenDC;
inline HBITMAP desktopBitmap;
inline HDC desktopCopy;

inline std::int32_t captionHeight;
inline std::int32_t frameWidth;
inline std::int32_t frameHeight;

// Vertical corrections used with the desktop copy, set by the show-menu command.
inline std::int32_t menuOffset;
inline std::int32_t frameOffset;

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
int runProgram(HINSTANCE instance, HINSTANCE previousInstance, int showState);
void registerMainClass();
void appendSystemMenuItems(HWND window);
void startCtl3d();
void stopCtl3d();

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// readSettings (unless the settings dialog is open), loadFigures, buildFigures.
void rebuildFigures();

// Menu and system-menu commands; each returns false for an identifier it does not handle.
bool menuCommand(HWND window, WPARAM id);
bool systemCommand(HWND window, WPARAM code);
void menuPopupOpening(LPARAM popup);

} // namespace app
