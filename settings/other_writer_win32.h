// Another program (the figure importer) holding the settings file for a short read-edit-write:
// how it shows, and how long the program waits for it.
#pragma once

#include <windows.h>

namespace settings {

// A read, write or start-up probe that meets the other writer waits this long in all before it
// counts as failed, trying again after every pause.
constexpr DWORD waitForOtherWriter = 3000;
constexpr DWORD otherWriterPause = 50;

// The error of an open, read or write that another process's share mode or lock refused.
inline bool heldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

} // namespace settings
