// The application shell's state: the instance, the main window's drawing resources, the menu
// state and the drawing timer. Everything lives for the whole run.
#pragma once

#include <windows.h>

#include <cstdint>

namespace app {

inline HINSTANCE programInstance;
inline HWND mainWindow;

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

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace app
