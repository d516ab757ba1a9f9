// The settings dialog.
#pragma once

#include <windows.h>

namespace dialog {

// Non-zero while the settings dialog is open. A paint of the main window then rebuilds the
// figures without reading the settings file, so the dialog's edits survive it.
inline int dialogOpen;

INT_PTR CALLBACK settingsDialogProc(HWND dialogWindow, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace dialog
