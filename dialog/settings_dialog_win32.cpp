// The settings dialog: its procedure, the opening, and the helpers that show settings in the
// controls.
#include <cstring>

#include "dialog/controls.h"
#include "dialog/dialog.h"
#include "figures/figures.h"
#include "figures/format.h"

namespace dialog {

void showNumber(HWND dialogWindow, int id, settings::Value value) {
    SetDlgItemInt(dialogWindow, id, static_cast<UINT>(value), FALSE);
}

void placeThumb(HWND dialogWindow, int barId, settings::Value value) {
    SetScrollPos(GetDlgItem(dialogWindow, barId), SB_CTL, value, TRUE);
}

void setCheck(HWND dialogWindow, int id, bool checked) {
    CheckDlgButton(dialogWindow, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void enableControl(HWND dialogWindow, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialogWindow, id), enabled);
}

// Checks the button of a colour code alone; a code that is none shows as red.
void showColour(HWND dialogWindow, settings::Value code) {
    const settings::Value shown = settings::isColourCode(code)
                                      ? code
                                      : static_cast<settings::Value>(settings::ColourCode::red);
    for (settings::Value c = 1; c <= settings::colourCodeCount; ++c) {
        setCheck(dialogWindow, colourButtons[c], c == shown);
    }
}

// Selects an item of a slot's figure list; an item beyond the list leaves it without selection.
void showFigure(HWND dialogWindow, int slot, int item) {
    HWND list = GetDlgItem(dialogWindow, slotRows[slot].list);
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    SendMessageW(list, CB_SETCURSEL, item >= 0 && item < count ? item : -1, 0);
}

void tellOwner(HWND dialogWindow, UINT message) {
    const auto owner = reinterpret_cast<HWND>(GetWindowLongPtrW(dialogWindow, DWLP_USER));
    if (owner) {
        SendMessageW(owner, message, 0, reinterpret_cast<LPARAM>(dialogWindow));
    }
}

namespace {

void setBar(HWND dialogWindow, int barId, const BarRange& range, settings::Value value) {
    SetScrollRange(GetDlgItem(dialogWindow, barId), SB_CTL, range.least, range.greatest, FALSE);
    placeThumb(dialogWindow, barId, value);
}

// Names in the settings file are Shift-JIS bytes, shown the same on any system code page.
void fillFigureLists(HWND dialogWindow) {
    for (int k = 1; k <= settings::slotCount; ++k) {
        HWND list = GetDlgItem(dialogWindow, slotRows[k].list);
        SendMessageW(list, CB_RESETCONTENT, 0, 0);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    }
    for (int i = 0; i < figures::figureNameCount && i < figures::maxFigureNames; ++i) {
        const char* name = figures::figureNames[i];
        wchar_t wide[figures::figureNameSize + 1];
        const int length =
            MultiByteToWideChar(figures::shiftJisCodePage, 0, name,
                                static_cast<int>(strnlen(name, figures::figureNameSize)), wide,
                                figures::figureNameSize);
        wide[length] = L'\0';
        for (int k = 1; k <= settings::slotCount; ++k) {
            SendDlgItemMessageW(dialogWindow, slotRows[k].list, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(wide));
        }
    }
}

void showSlots(HWND dialogWindow) {
    for (int k = 1; k <= settings::slotCount; ++k) {
        const SlotRow& row = slotRows[k];
        showFigure(dialogWindow, k, settings::OPTIONA[k]);
        setCheck(dialogWindow, row.check, settings::ZKAITEN[k] != 0);
        showNumber(dialogWindow, row.value, settings::STEPRAGS[k]);
        setBar(dialogWindow, row.bar, angleRange, settings::STEPRAGS[k]);
    }
    showNumber(dialogWindow, IDC_OPTIONN, settings::OPTIONN);
}

void showMotionAndSize(HWND dialogWindow) {
    setCheck(dialogWindow,
             settings::motionMode() == settings::MotionMode::travelling ? IDC_MODE_MOVE
                                                                        : IDC_MODE_CENTRE,
             true);
    setCheck(dialogWindow, IDC_HABAJIDO, settings::HABAJIDO != 0);
    showNumber(dialogWindow, IDC_HABA_VALUE, settings::HABA);
    setBar(dialogWindow, IDC_HABA_BAR, depthRange, settings::HABA);
    enableControl(dialogWindow, IDC_HABA_BAR, settings::HABAJIDO == 0);
    showNumber(dialogWindow, IDC_STEPRAG_VALUE, settings::STEPRAG);
    setBar(dialogWindow, IDC_STEPRAG_BAR, angleRange, settings::STEPRAG);
    setCheck(dialogWindow, IDC_SIZES, settings::SIZES != 0);
    showNumber(dialogWindow, IDC_SIZE_VALUE, settings::SIZE);
    setBar(dialogWindow, IDC_SIZE_BAR, sizeRange, settings::SIZE);
    showNumber(dialogWindow, IDC_SIZEY_VALUE, settings::SIZEY);
    setBar(dialogWindow, IDC_SIZEY_BAR, sizeRange, settings::SIZEY);
    enableControl(dialogWindow, IDC_SIZEY_BAR, settings::SIZES == 0);
    showNumber(dialogWindow, IDC_SIZEIDO_VALUE, settings::SIZEIDO);
    setBar(dialogWindow, IDC_SIZEIDO_BAR, stepRange, settings::SIZEIDO);
    showNumber(dialogWindow, IDC_TIMER_VALUE, settings::TIMER);
    setBar(dialogWindow, IDC_TIMER_BAR, timerRange, settings::TIMER);
}

void showColours(HWND dialogWindow) {
    setCheck(dialogWindow, IDC_COLORS, settings::COLORS != 0);
    if (settings::COLORS != 0) {
        settings::COLOR = settings::OPTIONC[1];
        setCheck(dialogWindow, slotRows[1].button, true);
        colourSlot = 1;
    } else {
        for (int k = 1; k <= settings::slotCount; ++k) {
            enableControl(dialogWindow, slotRows[k].button, false);
        }
    }
    showColour(dialogWindow, settings::COLOR);
}

// New figures are in the file and the row may spell them: the lists and the slots show the live
// settings, and the row behind the dialog is rebuilt from them.
void showAddedWords(HWND dialogWindow) {
    fillFigureLists(dialogWindow);
    showSlots(dialogWindow);
    for (int k = 2; k <= settings::OPTIONN && k <= settings::slotCount; ++k) {
        enableControl(dialogWindow, slotRows[k].button, settings::COLORS != 0);
    }
    tellOwner(dialogWindow, modeChangedMessage);
}

} // namespace

// Every opening starts from the settings file and the current figure list. The window to tell is
// kept with the dialog.
void openDialog(HWND dialogWindow, LPARAM owner) {
    SetWindowLongPtrW(dialogWindow, DWLP_USER, owner);
    settings::loadSettingNames();
    settings::readSettings();
    figures::loadFigureNames();
    userDepth = settings::HABA;
    userColours = settings::OPTIONC;
    tellOwner(dialogWindow, openedMessage);
    fillFigureLists(dialogWindow);
    showSlots(dialogWindow);
    showMotionAndSize(dialogWindow);
    showColours(dialogWindow);
}

INT_PTR CALLBACK settingsDialogProc(HWND dialogWindow, UINT message, WPARAM wParam, LPARAM lParam) {
    if (scrollMessage(dialogWindow, message, wParam)) {
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        openDialog(dialogWindow, lParam);
        fitDialogToMonitor(dialogWindow);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        // A figure list's rule runs when its selection changes, not at its focus and drop-down
        // notifications.
        if (rowOf(id, GridColumn::list) == 0 || HIWORD(wParam) == CBN_SELCHANGE) {
            onCommand(dialogWindow, id);
        }
        return id == IDOK || id == IDCANCEL;
    }
    case wordsAddedMessage: showAddedWords(dialogWindow); return TRUE;
    case WM_HSCROLL:
        onScroll(dialogWindow, reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    default: return FALSE;
    }
}

} // namespace dialog
