// The backup before the first write and the write-failure warning.
#include "settings/save_protection.h"

#include "resources/resource.h"
#include "settings/profile.h"
#include "settings/save_check.h"
#include "settings/settings_place.h"

#include <windows.h>

#include <cwchar>

namespace settings {

namespace {

bool firstWriteChecked;
bool failureWarned;

constexpr wchar_t caption[] = L"KESTA";

// The box belongs to the window the user works in (the settings dialog after "OK"); at exit the
// main window is already hidden and the box stands alone.
HWND warningOwner() {
    HWND active = GetActiveWindow();
    return active && IsWindowVisible(active) ? active : nullptr;
}

void tell(const wchar_t* text) {
    MessageBoxW(warningOwner(), text, caption, MB_OK | MB_ICONEXCLAMATION);
}

SaveDamage damageOf(const wchar_t* path) {
    char outlineSection[26];
    profile::loadString(IDS_OUTLINESECTION, outlineSection, sizeof outlineSection);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return SaveDamage::none;
    }
    SaveCheck check = startSaveCheck(outlineSection);
    unsigned char piece[4096];
    DWORD count = 0;
    while (ReadFile(file, piece, sizeof piece, &count, nullptr) && count > 0) {
        checkBytes(check, piece, count);
    }
    CloseHandle(file);
    return saveDamage(check);
}

} // namespace

void protectBeforeFirstWrite(const wchar_t* path) {
    if (firstWriteChecked) {
        return;
    }
    firstWriteChecked = true;
    const SaveDamage damage = damageOf(path);
    if (damage == SaveDamage::none) {
        return;
    }
    wchar_t backup[MAX_PATH];
    const bool named = std::swprintf(backup, MAX_PATH, L"%ls.bak", path) > 0;
    // An existing backup may hold the file from before an earlier damaging save: keep it.
    const bool kept = named && GetFileAttributesW(backup) != INVALID_FILE_ATTRIBUTES;
    const bool copied = named && !kept && CopyFileW(path, backup, TRUE);
    const wchar_t* found =
        damage == SaveDamage::byteOrderMark
            ? L"設定ファイルの先頭にバイト順マーク（BOM）があります。このまま保存すると、"
              L"図形の名前が壊れます。"
            : L"設定ファイルの図形の行（[MOJI ZAHYO]）に、Shift-JIS として正しくないバイトが"
              L"あります。このまま保存すると、その図形の行が壊れます。";
    const wchar_t* where = copied ? L"保存の前に、元のファイルの控えを作りました:"
                           : kept ? L"前に作った控えがあるので、そのまま残しています:"
                                  : L"控えを作れませんでした。元のファイル:";
    wchar_t text[3 * MAX_PATH];
    std::swprintf(text, sizeof text / sizeof text[0], L"%ls\n\n%ls\n%ls", found, where,
                  copied || kept ? backup : path);
    tell(text);
}

void warnWriteFailure(const wchar_t* path) {
    if (failureWarned) {
        return;
    }
    failureWarned = true;
    wchar_t text[3 * MAX_PATH];
    std::swprintf(text, sizeof text / sizeof text[0],
                  L"設定ファイルに書き込めませんでした。\n%ls\n\n"
                  L"変更した設定はこのまま使えますが、終了すると元に戻ります。",
                  path);
    tell(text);
}

} // namespace settings
