// What the settings store has to tell the user: it reports, and the application shell, which
// knows the windows, says it. Without a reporter set (tests, the importer) reports go nowhere.
#pragma once

#include "settings/backup.h"

#include <cstdint>

namespace settings {

enum class StorageEvent : std::uint8_t {
    damagedFile,    // before the first write of a run: backup says what was found and kept
    writeFailed,    // the file refused a write (after waiting for other writers)
    placeUnreadable // at start-up: the user's own settings file could not be read to copy it
};

struct StorageReport {
    StorageEvent event;
    const wchar_t* path;        // the settings file concerned
    const BackupReport* backup; // damagedFile only
};

using StorageReporter = void (*)(const StorageReport& report);

// The shell sets its reporter first thing at start-up; every report reaches it at the moment
// it happens.
void setStorageReporter(StorageReporter reporter);
void reportToUser(const StorageReport& report);

} // namespace settings
