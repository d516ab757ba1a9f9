// The backup before the first write of a run.
#include "settings/save_protection.h"

#include "resources/resource.h"
#include "settings/backup.h"
#include "settings/profile.h"
#include "settings/storage_report.h"

namespace settings {

namespace {

bool firstWriteChecked;
WriteGate gateOfRun = WriteGate::open;

} // namespace

WriteGate protectBeforeFirstWrite(const wchar_t* path) {
    if (firstWriteChecked) {
        return gateOfRun;
    }
    char outlineSection[26];
    profile::loadString(IDS_OUTLINESECTION, outlineSection, sizeof outlineSection);
    BackupReport backup{};
    const bool mayWrite = keepCopyIfDamaged(path, outlineSection, backup);
    if (backup.result == BackupResult::unreadable) {
        return WriteGate::wait;
    }
    firstWriteChecked = true;
    gateOfRun = mayWrite ? WriteGate::open : WriteGate::closed;
    if (backup.result != BackupResult::sound) {
        reportToUser({StorageEvent::damagedFile, path, &backup});
    }
    return gateOfRun;
}

} // namespace settings
