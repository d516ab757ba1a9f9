// The controls of the settings dialog: the slot grid's ids by row, the colour buttons by code,
// and the helpers that show settings in them.
#pragma once

#include <windows.h>

#include <array>

#include "resources/resource.h"
#include "dialog/dialog_rules.h"
#include "settings/settings.h"

namespace dialog {

struct SlotRow {
    int button;
    int list;
    int check;
    int bar;
    int value;
};

// The grid's ids follow no pattern; every id is found through this table. Row 0 is empty.
constexpr std::array<SlotRow, settings::slotCount + 1> slotRows{{
    {},
    {IDC_SLOT1_BUTTON, IDC_SLOT1_LIST, IDC_SLOT1_CHECK, IDC_SLOT1_BAR, IDC_SLOT1_VALUE},
    {IDC_SLOT2_BUTTON, IDC_SLOT2_LIST, IDC_SLOT2_CHECK, IDC_SLOT2_BAR, IDC_SLOT2_VALUE},
    {IDC_SLOT3_BUTTON, IDC_SLOT3_LIST, IDC_SLOT3_CHECK, IDC_SLOT3_BAR, IDC_SLOT3_VALUE},
    {IDC_SLOT4_BUTTON, IDC_SLOT4_LIST, IDC_SLOT4_CHECK, IDC_SLOT4_BAR, IDC_SLOT4_VALUE},
    {IDC_SLOT5_BUTTON, IDC_SLOT5_LIST, IDC_SLOT5_CHECK, IDC_SLOT5_BAR, IDC_SLOT5_VALUE},
    {IDC_SLOT6_BUTTON, IDC_SLOT6_LIST, IDC_SLOT6_CHECK, IDC_SLOT6_BAR, IDC_SLOT6_VALUE},
    {IDC_SLOT7_BUTTON, IDC_SLOT7_LIST, IDC_SLOT7_CHECK, IDC_SLOT7_BAR, IDC_SLOT7_VALUE},
    {IDC_SLOT8_BUTTON, IDC_SLOT8_LIST, IDC_SLOT8_CHECK, IDC_SLOT8_BAR, IDC_SLOT8_VALUE},
    {IDC_SLOT9_BUTTON, IDC_SLOT9_LIST, IDC_SLOT9_CHECK, IDC_SLOT9_BAR, IDC_SLOT9_VALUE},
    {IDC_SLOT10_BUTTON, IDC_SLOT10_LIST, IDC_SLOT10_CHECK, IDC_SLOT10_BAR, IDC_SLOT10_VALUE},
    {IDC_SLOT11_BUTTON, IDC_SLOT11_LIST, IDC_SLOT11_CHECK, IDC_SLOT11_BAR, IDC_SLOT11_VALUE},
    {IDC_SLOT12_BUTTON, IDC_SLOT12_LIST, IDC_SLOT12_CHECK, IDC_SLOT12_BAR, IDC_SLOT12_VALUE},
    {IDC_SLOT13_BUTTON, IDC_SLOT13_LIST, IDC_SLOT13_CHECK, IDC_SLOT13_BAR, IDC_SLOT13_VALUE},
    {IDC_SLOT14_BUTTON, IDC_SLOT14_LIST, IDC_SLOT14_CHECK, IDC_SLOT14_BAR, IDC_SLOT14_VALUE},
    {IDC_SLOT15_BUTTON, IDC_SLOT15_LIST, IDC_SLOT15_CHECK, IDC_SLOT15_BAR, IDC_SLOT15_VALUE},
    {IDC_SLOT16_BUTTON, IDC_SLOT16_LIST, IDC_SLOT16_CHECK, IDC_SLOT16_BAR, IDC_SLOT16_VALUE},
    {IDC_SLOT17_BUTTON, IDC_SLOT17_LIST, IDC_SLOT17_CHECK, IDC_SLOT17_BAR, IDC_SLOT17_VALUE},
    {IDC_SLOT18_BUTTON, IDC_SLOT18_LIST, IDC_SLOT18_CHECK, IDC_SLOT18_BAR, IDC_SLOT18_VALUE},
    {IDC_SLOT19_BUTTON, IDC_SLOT19_LIST, IDC_SLOT19_CHECK, IDC_SLOT19_BAR, IDC_SLOT19_VALUE},
    {IDC_SLOT20_BUTTON, IDC_SLOT20_LIST, IDC_SLOT20_CHECK, IDC_SLOT20_BAR, IDC_SLOT20_VALUE},
    {IDC_SLOT21_BUTTON, IDC_SLOT21_LIST, IDC_SLOT21_CHECK, IDC_SLOT21_BAR, IDC_SLOT21_VALUE},
    {IDC_SLOT22_BUTTON, IDC_SLOT22_LIST, IDC_SLOT22_CHECK, IDC_SLOT22_BAR, IDC_SLOT22_VALUE},
    {IDC_SLOT23_BUTTON, IDC_SLOT23_LIST, IDC_SLOT23_CHECK, IDC_SLOT23_BAR, IDC_SLOT23_VALUE},
    {IDC_SLOT24_BUTTON, IDC_SLOT24_LIST, IDC_SLOT24_CHECK, IDC_SLOT24_BAR, IDC_SLOT24_VALUE},
    {IDC_SLOT25_BUTTON, IDC_SLOT25_LIST, IDC_SLOT25_CHECK, IDC_SLOT25_BAR, IDC_SLOT25_VALUE},
    {IDC_SLOT26_BUTTON, IDC_SLOT26_LIST, IDC_SLOT26_CHECK, IDC_SLOT26_BAR, IDC_SLOT26_VALUE},
}};

// Colour button of each colour code (settings::ColourCode); entry 0 is empty.
constexpr std::array<int, settings::colourCodeCount + 1> colourButtons{
    0,
    IDC_COLOUR_RED,
    IDC_COLOUR_GREEN,
    IDC_COLOUR_BLUE,
    IDC_COLOUR_WHITE,
    IDC_COLOUR_YELLOW,
    IDC_COLOUR_MAGENTA,
    IDC_COLOUR_CYAN,
    IDC_COLOUR_BLACK,
};

// The columns of the slot grid, one control of each in every row.
enum class GridColumn { button, list, check, bar, value };

// The row (1..26) of a grid control in the given column, or 0.
constexpr int rowOf(int id, GridColumn column) {
    for (int k = 1; k <= settings::slotCount; ++k) {
        const SlotRow& row = slotRows[k];
        const int rowId = column == GridColumn::button  ? row.button
                          : column == GridColumn::list  ? row.list
                          : column == GridColumn::check ? row.check
                          : column == GridColumn::bar   ? row.bar
                                                        : row.value;
        if (rowId == id) {
            return k;
        }
    }
    return 0;
}

// The colour code of a colour button, or 0.
constexpr int colourOf(int id) {
    for (int code = 1; code <= settings::colourCodeCount; ++code) {
        if (colourButtons[code] == id) {
            return code;
        }
    }
    return 0;
}

// A scroll bar: its setting, where the setting is shown, and how it moves.
struct Bar {
    settings::Value* setting;
    int valueDisplay;
    BarRange range;
};

constexpr BarRange depthRange{0, 30, 1, 5};
constexpr BarRange stepRange{0, 20, 1, 5};
constexpr BarRange angleRange{0, 359, 1, 1};
constexpr BarRange sizeRange{1, 50, 1, 5};
constexpr BarRange timerRange{10, 300, 1, 5};

// The bar of a control id; setting is null for an id that is no bar.
Bar barOf(int id);

void showNumber(HWND dialogWindow, int id, settings::Value value);
void placeThumb(HWND dialogWindow, int barId, settings::Value value);
void showColour(HWND dialogWindow, settings::Value code);
void showFigure(HWND dialogWindow, int slot, int item);
void enableControl(HWND dialogWindow, int id, bool enabled);
void setCheck(HWND dialogWindow, int id, bool checked);
// Sends one of the dialog's messages to the window it was opened for, if any.
void tellOwner(HWND dialogWindow, UINT message);

// Reactions.
void openDialog(HWND dialogWindow, LPARAM owner);
void onCommand(HWND dialogWindow, int id);
void onScroll(HWND dialogWindow, HWND bar, int request, int thumbPosition);

} // namespace dialog
