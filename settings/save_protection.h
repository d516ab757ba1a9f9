// What the Windows layer does around the writes to the settings file: the backup copy before the
// first write of a run of a file that the write would damage (backup.h), reported once.
#pragma once

#include <cstdint>

namespace settings {

enum class WriteGate : std::uint8_t {
    open,   // write
    wait,   // another writer holds the file: the check could not read it yet
    closed, // damage found and no copy could be made: no write of this run may touch the file
};

// Before the first write of the run: when the file would be damaged, copies it (backup.h) and
// reports what was found and where the copy is. Later calls give the first answer again.
WriteGate protectBeforeFirstWrite(const wchar_t* path);

} // namespace settings
