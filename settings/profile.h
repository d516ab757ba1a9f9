// The one seam between the settings store and the platform: the private-profile functions and
// the string table. The Windows build implements it with the real KERNEL and USER calls
// (profile_win32.cpp); native tests and fuzzing use an in-memory file
// (tests/support/profile_memory.cpp).
#pragma once

#include <cstdint>

namespace profile {

// GetPrivateProfileIntA semantics, except that a value above 2147483647 comes back as the same
// 32-bit pattern (so a negative setting written with "%u" survives a restart).
std::uint32_t readInt(const char* section, const char* key, std::uint32_t defaultValue,
                      const char* fileName);

// GetPrivateProfileStringA: copies at most size - 1 bytes and a terminating zero; the default
// when the key is missing. Returns the number of bytes copied.
std::uint32_t readString(const char* section, const char* key, const char* defaultValue,
                         char* buffer, std::uint32_t size, const char* fileName);

// WritePrivateProfileStringA: false when the file refused the write (another writer holding the
// file for a moment is waited for, a few seconds in all). A name without a
// directory part is the settings file of the run (settings_place.h).
bool writeString(const char* section, const char* key, const char* value, const char* fileName);

// Reports to the shell that writes to the file failed (it tells the user once per run).
void reportWriteFailure(const char* fileName);

// LoadStringA on the program's string table: at most size - 1 bytes and a terminating zero.
void loadString(unsigned id, char* buffer, int size);

} // namespace profile
