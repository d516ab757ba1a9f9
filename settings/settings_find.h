// The settings file a run of the program would use, found without changing anything: no folder
// made, nothing copied, no file probed by creating it. For commands that only read.
#pragma once

#include <cstddef>

namespace settings {

// The Windows directory's "kestasv.ini" when it exists and can be written; else the per-user
// file when it exists; else the Windows directory's file (which may not exist). False, with
// path empty, when no path fits in capacity wide characters.
bool findSettingsFileReadOnly(wchar_t* path, std::size_t capacity);

} // namespace settings
