// What the settings store reports, told to the user: each kind once per run, in a box owned by
// the window the user works in (the settings dialog after "OK"); at exit the main window is
// already hidden and the box stands alone.
#include "app/app.h"
#include "settings/storage_report.h"

#include <cwchar>
#include <iterator>

namespace app {

namespace {

constexpr wchar_t caption[] = L"KESTA";
constexpr wchar_t editsStay[] = L"変更した設定はこのまま使えますが、終了すると元に戻ります。";

HWND warningOwner() {
    HWND active = GetActiveWindow();
    return active && IsWindowVisible(active) ? active : nullptr;
}

void tell(const wchar_t* text) {
    MessageBoxW(warningOwner(), text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void tellDamage(const wchar_t* path, const settings::BackupReport& backup) {
    const wchar_t* found =
        backup.damage == settings::SaveDamage::byteOrderMark
            ? L"設定ファイルの先頭にバイト順マーク（BOM）があります。このまま保存すると、"
              L"図形の名前が壊れます。"
            : L"設定ファイルの図形の行（[MOJI ZAHYO]）に、Shift-JIS として正しくないバイトが"
              L"あります。このまま保存すると、その図形の行が壊れます。";
    wchar_t text[4 * MAX_PATH];
    if (backup.result == settings::BackupResult::copied) {
        std::swprintf(text, std::size(text),
                      L"%ls\n\n保存の前に、元のファイルの控えを作りました:\n%ls", found,
                      backup.copyPath);
    } else {
        std::swprintf(text, std::size(text),
                      L"%ls\n\n控えを作れなかったので、このファイルには保存しません:\n%ls\n\n%ls",
                      found, path, editsStay);
    }
    tell(text);
}

void tellWriteFailure(const wchar_t* path) {
    wchar_t text[3 * MAX_PATH];
    std::swprintf(text, std::size(text), L"設定ファイルに書き込めませんでした。\n%ls\n\n%ls", path,
                  editsStay);
    tell(text);
}

void tellUnreadable(const wchar_t* path) {
    wchar_t text[3 * MAX_PATH];
    std::swprintf(text, std::size(text),
                  L"設定ファイルを読めませんでした（ほかのプログラムが開いているようです）。\n%ls"
                  L"\n\n今回は既定の設定で動き、このファイルには何も書き込みません。"
                  L"そのプログラムを閉じてから、もう一度起動してください。",
                  path);
    tell(text);
}

} // namespace

void tellStorageReport(const settings::StorageReport& report) {
    static bool damageTold, failureTold;
    // The screensaver's own windows never write, and nobody reads a box behind them.
    if (saver::mode == saver::Mode::fullScreen || saver::mode == saver::Mode::preview) {
        return;
    }
    switch (report.event) {
    case settings::StorageEvent::damagedFile:
        if (!damageTold && report.backup) {
            damageTold = true;
            // Without a copy no write goes through; this box says so already.
            failureTold = report.backup->result != settings::BackupResult::copied;
            tellDamage(report.path, *report.backup);
        }
        break;
    case settings::StorageEvent::writeFailed:
        if (!failureTold) {
            failureTold = true;
            tellWriteFailure(report.path);
        }
        break;
    case settings::StorageEvent::placeUnreadable:
        // The user now knows nothing of this run is saved; the failed writes need no second box.
        failureTold = true;
        tellUnreadable(report.path);
        break;
    }
}

} // namespace app
