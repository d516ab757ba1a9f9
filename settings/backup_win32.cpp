// The copy of a settings file that a rewrite would damage, under the first free backup name.
#include "settings/backup.h"

#include "settings/other_writer_win32.h"

#include <windows.h>

#include <cwchar>

namespace settings {

namespace {

constexpr int lastBackupNumber = 99;

// What a rewrite would damage; sets heldElsewhere when another writer keeps the file from us.
SaveDamage damageOf(const wchar_t* path, const char* outlineSection, bool& heldElsewhere) {
    heldElsewhere = false;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        heldElsewhere = heldByAnother(GetLastError());
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

// The first free name of ".bak", ".bak2" ... that takes the copy; false when none did.
bool copyToFreeName(const wchar_t* path, wchar_t (&copyPath)[backupPathCapacity]) {
    for (int number = 1; number <= lastBackupNumber; ++number) {
        const int length =
            number == 1 ? std::swprintf(copyPath, backupPathCapacity, L"%ls.bak", path)
                        : std::swprintf(copyPath, backupPathCapacity, L"%ls.bak%d", path, number);
        if (length <= 0) {
            break;
        }
        // Whatever stands under a name (a file, a folder) belongs to someone: try the next.
        if (GetFileAttributesW(copyPath) != INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (CopyFileW(path, copyPath, TRUE)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    copyPath[0] = L'\0';
    return false;
}

} // namespace

bool keepCopyIfDamaged(const wchar_t* path, const char* outlineSection, BackupReport& report) {
    report = BackupReport{};
    bool heldElsewhere = false;
    report.damage = damageOf(path, outlineSection, heldElsewhere);
    if (heldElsewhere) {
        report.result = BackupResult::unreadable;
    } else if (report.damage == SaveDamage::none) {
        report.result = BackupResult::sound;
    } else {
        report.result =
            copyToFreeName(path, report.copyPath) ? BackupResult::copied : BackupResult::noCopy;
    }
    return report.result == BackupResult::sound || report.result == BackupResult::copied;
}

} // namespace settings
