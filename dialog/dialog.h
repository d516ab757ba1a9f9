// The settings dialog.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace dialog {

// What the dialog tells the window given as DialogBoxParamW's parameter (none when it is 0), sent
// so that the window has acted before the dialog goes on. Each carries the dialog's window as
// lParam: it has opened, it is closing, and the row has been restarted in another mode and
// should be rebuilt from the live settings.
constexpr UINT openedMessage = WM_APP + 1;
constexpr UINT closingMessage = WM_APP + 2;
constexpr UINT modeChangedMessage = WM_APP + 3;

// What the words dialog tells the window that opened it, sent before it closes after OK (lParam:
// the words dialog): figures were added to the settings file, the figure list is read again, and
// when the row is to spell the text OPTIONN and OPTIONA hold it in memory.
constexpr UINT wordsAddedMessage = WM_APP + 4;

// Opens the words dialog, owned by opener and telling it. With spellInMemory the row's keys stay
// out of the file (the settings dialog keeps them as its live edits); otherwise OK writes them
// too. Only one words dialog is open at a time: another opening brings it to the front.
INT_PTR openWordsDialog(HWND opener, bool spellInMemory);

// The slot whose colour code the colour buttons set while individual colours are on. Kept from
// one opening to the next.
inline int colourSlot = 1;

// The depth and the per-slot colour codes as the user set them. Figure builds at paints while the
// dialog is open put 3 into HABA (automatic depth) and COLOR into the codes of the slots in use
// (individual colours off), in memory only; "OK" stores these copies instead, so a repaint never
// decides what is saved.
inline settings::Value userDepth;
inline settings::PerSlot userColours{};

// A dialog taller than its monitor's work area takes the work area's height and scrolls its
// controls (called as it opens); scrollMessage handles the scrolling's messages, true when one
// needs nothing more.
void fitDialogToMonitor(HWND dialogWindow);
bool scrollMessage(HWND dialogWindow, UINT message, WPARAM wParam);

INT_PTR CALLBACK settingsDialogProc(HWND dialogWindow, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace dialog
