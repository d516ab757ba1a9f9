// The two commands of kesta-figures (commands_win32.cpp). Returns the exit status: 0 on success,
// 1 when the input was refused (nothing changed), 2 for a malformed command line.
#pragma once

namespace importer {

int runCommand(int count, const char* const* arguments);

} // namespace importer
