// The private-profile functions and the string table of the running program.
#include "settings/profile.h"
#include "settings/profile_number.h"

#include <windows.h>

namespace profile {

// GetPrivateProfileIntA leaves a value above 2147483647 to the platform (Wine wraps it modulo
// 2^32, the documentation promises nothing), so the text is read and turned into a number the
// way Wine does it, on every platform.
std::uint32_t readInt(const char* section, const char* key, std::uint32_t defaultValue,
                      const char* fileName) {
    char text[integerTextSize];
    GetPrivateProfileStringA(section, key, "", text, sizeof text, fileName);
    if (text[0] == 0) {
        return defaultValue;
    }
    return integerValue(text);
}

std::uint32_t readString(const char* section, const char* key, const char* defaultValue,
                         char* buffer, std::uint32_t size, const char* fileName) {
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

void writeString(const char* section, const char* key, const char* value, const char* fileName) {
    WritePrivateProfileStringA(section, key, value, fileName);
}

void loadString(unsigned id, char* buffer, int size) {
    if (size > 0 && LoadStringA(GetModuleHandleW(nullptr), id, buffer, size) == 0) {
        buffer[0] = 0;
    }
}

} // namespace profile
