// The copy kept of a settings file before a rewrite that would damage it (save_check.h). The
// program makes it before its first write of a run; every other writer of the file (the figure
// importer) makes it the same way before it rewrites such a file, so the user finds the copies
// under the same names whoever wrote.
#pragma once

#include "settings/save_check.h"

#include <cstdint>

namespace settings {

enum class BackupResult : std::uint8_t {
    sound,      // nothing a rewrite would damage, or no file at all: no copy needed
    copied,     // damage found, and the file was copied to copyPath
    noCopy,     // damage found, and no copy could be made: leave the file as it is
    unreadable, // the file is held by another writer just now: nothing is known, try again
};

// A path of up to MAX_PATH (260) characters and the longest suffix (".bak99").
inline constexpr int backupPathCapacity = 268;

struct BackupReport {
    SaveDamage damage; // what a rewrite would damage
    BackupResult result;
    wchar_t copyPath[backupPathCapacity]; // the copy's full path when copied, else empty
};

// Reads the file at path (its outline section named outlineSection, compared without case).
// When a rewrite would damage it, copies it byte for byte to the first of "<path>.bak",
// "<path>.bak2" ... "<path>.bak99" that does not exist yet; an existing file of those names is
// never replaced. Returns true when the file may be rewritten now (result sound or copied).
bool keepCopyIfDamaged(const wchar_t* path, const char* outlineSection, BackupReport& report);

} // namespace settings
