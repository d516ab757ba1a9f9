// The in-memory settings files and string table behind profile.h in native tests and fuzzing.
// Files are byte strings named case-insensitively; the string table starts as the program's own
// (read from resources/strings.rc).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace profile::memory {

// No files, and the program's own string table.
void reset();

void setFile(std::string_view name, std::string_view contents);
std::optional<std::string> file(std::string_view name); // nullopt when there is no such file

void setString(unsigned id, std::string_view text);

// While set, writes to the file fail and leave it as it is.
void refuseWrites(std::string_view name, bool refuse);
// How many times reportWriteFailure ran since the last reset.
int writeFailureReports();

} // namespace profile::memory
