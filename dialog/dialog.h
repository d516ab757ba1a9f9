// The settings dialog.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace dialog {

// The settings dialog while it is open, else null. There is only ever one: the main window stays
// enabled, and its settings commands bring the open one to the front. While it is open a paint of
// the main window rebuilds the figures without reading the settings file, so the dialog's edits
// survive it.
inline HWND openWindow;

// The slot whose colour code the colour buttons set while individual colours are on. Kept from
// one opening to the next.
inline int colourSlot = 1;

// The depth and the per-slot colour codes as the user set them. Figure builds at paints while the
// dialog is open put 3 into HABA (automatic depth) and COLOR into the codes of the slots in use
// (individual colours off), in memory only; "OK" stores these copies instead, so a repaint never
// decides what is saved.
inline settings::Value userDepth;
inline settings::PerSlot userColours{};

INT_PTR CALLBACK settingsDialogProc(HWND dialogWindow, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace dialog
