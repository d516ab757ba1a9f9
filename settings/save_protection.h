// What the Windows layer does around the writes to the settings file: a backup copy before the
// first write of a run of a file that the write would damage (save_check.h), and the warning
// when writes fail. Each tells the user once per run.
#pragma once

namespace settings {

// Before the first write of the run: when the file starts with a byte-order mark or its outline
// section holds bytes that are not valid Shift-JIS, copies it to "<path>.bak" (an existing
// backup is kept as it is) and says what was found and where the copy is. Later calls do
// nothing.
void protectBeforeFirstWrite(const wchar_t* path);

// A warning box naming the file, the first time only.
void warnWriteFailure(const wchar_t* path);

} // namespace settings
