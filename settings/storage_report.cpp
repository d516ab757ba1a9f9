// The hand-over of the settings store's reports to the shell.
#include "settings/storage_report.h"

namespace settings {

namespace {

StorageReporter storageReporter;

} // namespace

void setStorageReporter(StorageReporter reporter) {
    storageReporter = reporter;
}

void reportToUser(const StorageReport& report) {
    if (storageReporter) {
        storageReporter(report);
    }
}

} // namespace settings
