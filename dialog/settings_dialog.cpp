// (stub: the settings dialog is being written)
#include "dialog/dialog.h"

namespace dialog {
INT_PTR CALLBACK settingsDialogProc(HWND dialogWindow, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialogWindow, LOWORD(wParam) == IDOK);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}
} // namespace dialog
