// Opens the settings dialog on its own, from the settings file of the prefix, for looking at it
// (screenshots) and for driving it by hand.
#include <windows.h>

#include "dialog/dialog.h"

int main() {
    return static_cast<int>(DialogBoxParamW(GetModuleHandleW(nullptr), L"settingdialog", nullptr,
                                            dialog::settingsDialogProc, 0));
}
