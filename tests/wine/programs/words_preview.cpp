// Opens the words dialog on its own, with the settings file of the prefix and the UTF-8 text of
// the file named by the environment variable KESTA_WORDS typed into it, for looking at it
// (screenshots) and for driving it by hand.
#include <windows.h>

#include "dialog/dialog.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

wchar_t typed[128];

DWORD WINAPI typeText(void*) {
    HWND words = nullptr;
    for (int wait = 0; wait < 100 && !(words && IsWindowVisible(words)); ++wait) {
        Sleep(50);
        words = FindWindowW(L"#32770", L"文字から図形を作る");
    }
    SendDlgItemMessageW(words, IDC_WORDS_TEXT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    return 0;
}

} // namespace

int main() {
    settings::loadSettingNames();
    settings::readSettings();
    wchar_t path[MAX_PATH];
    char bytes[512];
    DWORD length = 0;
    HANDLE file =
        GetEnvironmentVariableW(L"KESTA_WORDS", path, MAX_PATH) > 0
            ? CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
            : INVALID_HANDLE_VALUE;
    if (file != INVALID_HANDLE_VALUE && ReadFile(file, bytes, sizeof bytes, &length, nullptr)) {
        typed[MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(length), typed, 127)] = 0;
        CloseHandle(file);
        CloseHandle(CreateThread(nullptr, 0, typeText, nullptr, 0, nullptr));
    }
    return static_cast<int>(dialog::openWordsDialog(nullptr, false));
}
