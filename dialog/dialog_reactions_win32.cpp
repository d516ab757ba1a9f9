// How the settings dialog reacts to its controls: every click, list choice and scroll changes the
// live settings at once; "OK" stores them and "CANCEL" drops them.
#include "dialog/controls.h"
#include "dialog/dialog.h"
#include "figures/figures.h"

namespace dialog {

namespace {

constexpr const wchar_t* warningCaption = L"KESTA";

const wchar_t* warningText(Warning warning) {
    return warning == Warning::chooseOne ? L"最低１つは選択して下さい"
                                         : L"途中に空白は指定出来ません";
}

// A switch stored as 0 or 1 turns over; any other stored value counts as on and turns off, so
// the setting always follows the check mark, which shows every non-zero value as checked.
void flip(settings::Value& value) {
    value = value == 0 ? 1 : 0;
}

void closeDialog(HWND dialogWindow, bool save) {
    if (save) {
        settings::HABA = userDepth;
        settings::OPTIONC = userColours;
        settings::writeDialogSettings();
    }
    tellOwner(dialogWindow, closingMessage);
    EndDialog(dialogWindow, save ? 1 : 0);
}

void chooseFigure(HWND dialogWindow, int slot) {
    const auto selected = static_cast<int>(
        SendDlgItemMessageW(dialogWindow, slotRows[slot].list, CB_GETCURSEL, 0, 0));
    applyFigureChoice(slot, selected, figures::figureNameCount, [&](int item, Warning warning) {
        showFigure(dialogWindow, slot, item);
        MessageBoxW(dialogWindow, warningText(warning), warningCaption, MB_OK | MB_ICONEXCLAMATION);
    });
    if (slot == 1) {
        return;
    }
    showNumber(dialogWindow, IDC_OPTIONN, settings::OPTIONN);
    enableControl(dialogWindow, slotRows[slot].button, settings::COLORS != 0);
}

void chooseColourSlot(HWND dialogWindow, int slot) {
    colourSlot = slot;
    showColour(dialogWindow, userColours[slot]);
}

void chooseColour(int code) {
    if (settings::COLORS != 0) {
        userColours[colourSlot] = code;
        settings::OPTIONC[colourSlot] = code;
    } else {
        settings::COLOR = code;
    }
}

// Switching individual colours on brings back the user's own codes (a build may have replaced
// them by COLOR) and shows slot 1's.
void switchIndividualColours(HWND dialogWindow) {
    flip(settings::COLORS);
    for (int k = 1; k <= settings::slotCount; ++k) {
        setCheck(dialogWindow, slotRows[k].button, false);
    }
    for (int k = 1; k <= settings::slotCount; ++k) {
        if (k == 1 || settings::OPTIONN >= k) {
            enableControl(dialogWindow, slotRows[k].button, settings::COLORS != 0);
        }
    }
    if (settings::COLORS != 0) {
        settings::OPTIONC = userColours;
        settings::COLOR = userColours[1];
        setCheck(dialogWindow, slotRows[1].button, true);
        colourSlot = 1;
    }
    showColour(dialogWindow, settings::COLOR);
}

// The row restarts in the chosen mode at once, as a paint restarts it (without reading the
// file), so that the frames behind the dialog move as the dialog shows.
void chooseMode(HWND dialogWindow, settings::MotionMode mode) {
    if (settings::motionMode() != mode) {
        settings::OPTIONP = static_cast<settings::Value>(mode);
        tellOwner(dialogWindow, modeChangedMessage);
    }
}

// Switching automatic depth off brings back the user's depth in place of the builder's 3.
void switchAutomaticDepth(HWND dialogWindow) {
    flip(settings::HABAJIDO);
    if (settings::HABAJIDO == 0) {
        settings::HABA = userDepth;
    }
    enableControl(dialogWindow, IDC_HABA_BAR, settings::HABAJIDO == 0);
}

void switchSizeCoupling(HWND dialogWindow) {
    flip(settings::SIZES);
    enableControl(dialogWindow, IDC_SIZEY_BAR, settings::SIZES == 0);
    if (settings::SIZES != 0) {
        settings::SIZEY = settings::SIZE;
        showNumber(dialogWindow, IDC_SIZEY_VALUE, settings::SIZEY);
    } else {
        placeThumb(dialogWindow, IDC_SIZEY_BAR, settings::SIZEY);
    }
}

BarMove barMove(int request) {
    switch (request) {
    case SB_LINELEFT: return BarMove::lineLeft;
    case SB_LINERIGHT: return BarMove::lineRight;
    case SB_PAGELEFT: return BarMove::pageLeft;
    case SB_PAGERIGHT: return BarMove::pageRight;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return BarMove::thumb;
    default: return BarMove::none;
    }
}

} // namespace

Bar barOf(int id) {
    switch (id) {
    case IDC_HABA_BAR: return {&userDepth, IDC_HABA_VALUE, depthRange};
    case IDC_SIZEIDO_BAR: return {&settings::SIZEIDO, IDC_SIZEIDO_VALUE, stepRange};
    case IDC_STEPRAG_BAR: return {&settings::STEPRAG, IDC_STEPRAG_VALUE, angleRange};
    case IDC_SIZE_BAR: return {&settings::SIZE, IDC_SIZE_VALUE, sizeRange};
    case IDC_SIZEY_BAR: return {&settings::SIZEY, IDC_SIZEY_VALUE, sizeRange};
    case IDC_TIMER_BAR: return {&settings::TIMER, IDC_TIMER_VALUE, timerRange};
    default: break;
    }
    const int slot = rowOf(id, GridColumn::bar);
    if (slot == 0) {
        return {nullptr, 0, {}};
    }
    return {&settings::STEPRAGS[slot], slotRows[slot].value, angleRange};
}

void onScroll(HWND dialogWindow, HWND barWindow, int request, int thumbPosition) {
    const int id = GetDlgCtrlID(barWindow);
    const Bar bar = barOf(id);
    if (!bar.setting) {
        return;
    }
    settings::Value& value = *bar.setting;
    value = movedBarValue(value, barMove(request), thumbPosition, bar.range);
    showNumber(dialogWindow, bar.valueDisplay, value);
    placeThumb(dialogWindow, id, value);
    if (id == IDC_HABA_BAR) {
        settings::HABA = userDepth;
    }
    if (id == IDC_SIZE_BAR && settings::SIZES != 0) {
        settings::SIZEY = settings::SIZE;
        showNumber(dialogWindow, IDC_SIZEY_VALUE, settings::SIZEY);
    }
}

void onCommand(HWND dialogWindow, int id) {
    switch (id) {
    case IDOK: closeDialog(dialogWindow, true); return;
    case IDCANCEL: closeDialog(dialogWindow, false); return;
    case IDC_MODE_MOVE: chooseMode(dialogWindow, settings::MotionMode::travelling); return;
    case IDC_MODE_CENTRE: chooseMode(dialogWindow, settings::MotionMode::centred); return;
    case IDC_HABAJIDO: switchAutomaticDepth(dialogWindow); return;
    case IDC_SIZES: switchSizeCoupling(dialogWindow); return;
    case IDC_COLORS: switchIndividualColours(dialogWindow); return;
    case IDC_WORDS: openWordsDialog(dialogWindow, true); return;
    default: break;
    }
    if (const int code = colourOf(id)) {
        chooseColour(code);
    } else if (const int slot = rowOf(id, GridColumn::button)) {
        chooseColourSlot(dialogWindow, slot);
    } else if (const int slot = rowOf(id, GridColumn::check)) {
        flip(settings::ZKAITEN[slot]);
    } else if (const int slot = rowOf(id, GridColumn::list)) {
        chooseFigure(dialogWindow, slot);
    }
}

} // namespace dialog
