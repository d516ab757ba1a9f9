// The commands of the menu bar and of the system menu, and the check marks of the menu.
#include "app/app.h"
#include "dialog/dialog.h"
#include "figures/builder.h"
#include "resources/resource.h"
#include "settings/settings.h"

#include <array>

namespace app {

namespace {

struct MenuChoice {
    UINT item;
    settings::Value value;
};

constexpr std::array<MenuChoice, 10> viewChoices{{
    {IDM_VIEW_0, 0},
    {IDM_VIEW_10, 1},
    {IDM_VIEW_20, 2},
    {IDM_VIEW_30, 3},
    {IDM_VIEW_40, 4},
    {IDM_VIEW_50, 5},
    {IDM_VIEW_60, 6},
    {IDM_VIEW_70, 7},
    {IDM_VIEW_80, 8},
    {IDM_VIEW_90, 9},
}};

constexpr std::array<MenuChoice, 11> enkinChoices{{
    {IDM_ENKIN_0, 0},
    {IDM_ENKIN_5, 5},
    {IDM_ENKIN_10, 10},
    {IDM_ENKIN_15, 15},
    {IDM_ENKIN_20, 20},
    {IDM_ENKIN_25, 25},
    {IDM_ENKIN_30, 30},
    {IDM_ENKIN_35, 35},
    {IDM_ENKIN_40, 40},
    {IDM_ENKIN_45, 45},
    {IDM_ENKIN_50, 50},
}};

template <std::size_t N>
const MenuChoice* findItem(const std::array<MenuChoice, N>& choices, UINT item) {
    for (const MenuChoice& choice : choices) {
        if (choice.item == item) {
            return &choice;
        }
    }
    return nullptr;
}

// The item that stands for the setting's value; a value no item stands for keeps the item
// remembered last, which may belong to the other group, or none at all.
template <std::size_t N>
UINT rememberItem(const std::array<MenuChoice, N>& choices, settings::Value value) {
    for (const MenuChoice& choice : choices) {
        if (choice.value == value) {
            lastCheckedItem = static_cast<std::uint16_t>(choice.item);
        }
    }
    return lastCheckedItem;
}

// Item 0 stands for "nothing remembered yet" (and would name the separators).
void setCheck(UINT item, bool checked) {
    if (item == 0) {
        return;
    }
    CheckMenuItem(checkMenu, item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void startDrawing(HWND window) {
    if (!drawTimer) {
        drawTimer = SetTimer(window, drawTimerId, static_cast<UINT>(settings::TIMER), nullptr);
    }
}

void stopDrawing(HWND window) {
    if (drawTimer) {
        KillTimer(window, drawTimerId);
        drawTimer = 0;
    }
}

void refresh(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    rebuildFigures();
    if (drawTimer) {
        KillTimer(window, drawTimerId);
        drawTimer = SetTimer(window, drawTimerId, static_cast<UINT>(settings::TIMER), nullptr);
    }
}

// Modal, without an owner window: the main window keeps animating and repainting meanwhile, and
// the dialog tells it when it opens and closes and when the row must restart. A second
// dialog would let its own OK or CANCEL decide what becomes of the first one's edits, so while one
// is open the command only brings it to the front.
void settingsCommand(HWND window) {
    if (settingsDialog) {
        SetForegroundWindow(settingsDialog);
        return;
    }
    DialogBoxParamW(programInstance, dialogName, nullptr, dialog::settingsDialogProc,
                    reinterpret_cast<LPARAM>(window));
    refresh(window);
}

// Words added from the menu are written with their row at once; while the settings dialog is open
// its live edits decide the row, so the command brings it to the front instead.
void wordsCommand(HWND window) {
    if (settingsDialog) {
        SetForegroundWindow(settingsDialog);
        return;
    }
    dialog::openWordsDialog(window, false);
}

void toggle(HWND window, settings::Value& setting, UINT item) {
    setting ^= 1;
    setCheck(item, setting != 0);
    InvalidateRect(window, nullptr, TRUE);
}

template <std::size_t N>
void choose(HWND window, const std::array<MenuChoice, N>& choices, const MenuChoice& chosen,
            settings::Value& setting) {
    setCheck(rememberItem(choices, setting), false);
    setting = chosen.value;
    setCheck(chosen.item, true);
    lastCheckedItem = static_cast<std::uint16_t>(chosen.item);
    refresh(window);
}

void showMenu(HWND window) {
    if (menuShown == 1) {
        return;
    }
    // The menu the window had is replaced, not destroyed.
    HMENU menu = LoadMenuW(programInstance, menuName);
    SetMenu(window, menu);
    checkMenu = menu;
    backdrop.frameOffset = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYBORDER);
    RECT frame;
    GetWindowRect(window, &frame);
    menuShown = 1;
    backdrop.menuOffset = frame.bottom - frameHeight - figures::clientHeight - frame.top;
}

} // namespace

bool menuCommand(HWND window, WPARAM id) {
    switch (id) {
    case IDM_SETTINGS: settingsCommand(window); return true;
    case IDM_WORDS: wordsCommand(window); return true;
    case IDM_START: startDrawing(window); return true;
    case IDM_STOP: stopDrawing(window); return true;
    case IDM_EXIT: SendMessageW(window, WM_CLOSE, 0, 0); return true;
    case IDM_BACKGROUND: toggle(window, settings::BKMODE, IDM_BACKGROUND); return true;
    case IDM_AFTERIMAGE: toggle(window, settings::ZANZOU, IDM_AFTERIMAGE); return true;
    case IDM_ROTATION: toggle(window, settings::KAITEN, IDM_ROTATION); return true;
    }
    UINT item = static_cast<UINT>(id);
    if (id != item) {
        return false;
    }
    if (const MenuChoice* chosen = findItem(viewChoices, item)) {
        choose(window, viewChoices, *chosen, settings::VIEW);
        return true;
    }
    if (const MenuChoice* chosen = findItem(enkinChoices, item)) {
        choose(window, enkinChoices, *chosen, settings::ENKIN);
        return true;
    }
    return false;
}

bool systemCommand(HWND window, WPARAM code) {
    switch (code) {
    case IDS_SYS_SHOWMENU: showMenu(window); return true;
    case IDS_SYS_START: startDrawing(window); return true;
    case IDS_SYS_STOP: stopDrawing(window); return true;
    case IDS_SYS_SETTINGS: settingsCommand(window); return true;
    }
    return false;
}

// The popups of the menu bar by their position there (resources/menu.rc), which is how
// WM_INITMENUPOPUP names them: the bar position in the low half and the system-menu flag (0 for
// the bar) in the high half, compared as a whole.
enum class BarPopup : LPARAM { drawing = 0, switches = 2, view = 3, perspective = 4 };

void menuPopupOpening(LPARAM popup) {
    switch (static_cast<BarPopup>(popup)) {
    case BarPopup::switches:
        setCheck(IDM_BACKGROUND, settings::BKMODE != 0);
        setCheck(IDM_AFTERIMAGE, settings::ZANZOU != 0);
        setCheck(IDM_ROTATION, settings::KAITEN != 0);
        break;
    case BarPopup::view: setCheck(rememberItem(viewChoices, settings::VIEW), true); break;
    case BarPopup::perspective: setCheck(rememberItem(enkinChoices, settings::ENKIN), true); break;
    case BarPopup::drawing: break;
    }
}

} // namespace app
