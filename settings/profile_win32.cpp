// The private-profile functions and the string table of the running program.
//
// The settings file's path may hold characters outside the ANSI code page (a user name in the
// per-user folder), so the W profile functions take the path as UTF-16. Section, key and value
// texts cross the seam as the A functions pass them: converted with the ANSI code page both ways,
// which is what the A functions do inside, so the Shift-JIS bytes of the file come back as they
// are.
#include "settings/profile.h"
#include "settings/profile_number.h"
#include "settings/save_protection.h"
#include "settings/settings_place.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace profile {

namespace {

// Longest section, key, default or value text taken through the seam, terminator included.
constexpr int textCapacity = 1024;

void widen(const char* text, wchar_t (&wide)[textCapacity]) {
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, textCapacity) == 0) {
        wide[0] = L'\0';
    }
}

// A name without a directory part lives where the settings file of the run lives.
void profilePath(const char* fileName, wchar_t (&path)[MAX_PATH]) {
    wchar_t wide[textCapacity];
    widen(fileName, wide);
    if (std::strpbrk(fileName, "\\/:") != nullptr) {
        lstrcpynW(path, wide, MAX_PATH);
        return;
    }
    wchar_t folder[MAX_PATH];
    lstrcpynW(folder, settings::settingsFilePath(), MAX_PATH);
    if (wchar_t* separator = wcsrchr(folder, L'\\')) {
        *separator = L'\0';
    }
    if (!settings::joinPath(path, MAX_PATH, folder, wide)) {
        lstrcpynW(path, wide, MAX_PATH);
    }
}

// At most size - 1 bytes and a terminating zero, never half of a double-byte character.
std::uint32_t narrowInto(const wchar_t* wide, int length, char* buffer, std::uint32_t size) {
    char text[2 * textCapacity];
    int count = WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text, nullptr, nullptr);
    const auto room = static_cast<int>(size - 1);
    if (count > room) {
        int fit = 0;
        while (fit < room) {
            const int width = IsDBCSLeadByte(static_cast<BYTE>(text[fit])) ? 2 : 1;
            if (fit + width > room) {
                break;
            }
            fit += width;
        }
        count = fit;
    }
    std::memcpy(buffer, text, static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

} // namespace

// GetPrivateProfileIntA leaves a value above 2147483647 to the platform (Wine wraps it modulo
// 2^32, the documentation promises nothing), so the text is read and turned into a number the
// way Wine does it, on every platform.
std::uint32_t readInt(const char* section, const char* key, std::uint32_t defaultValue,
                      const char* fileName) {
    char text[integerTextSize];
    if (readString(section, key, "", text, sizeof text, fileName) == 0) {
        return defaultValue;
    }
    return integerValue(text);
}

std::uint32_t readString(const char* section, const char* key, const char* defaultValue,
                         char* buffer, std::uint32_t size, const char* fileName) {
    if (size == 0) {
        return 0;
    }
    wchar_t path[MAX_PATH];
    profilePath(fileName, path);
    wchar_t wideSection[textCapacity], wideKey[textCapacity], wideDefault[textCapacity];
    widen(section, wideSection);
    widen(key, wideKey);
    widen(defaultValue, wideDefault);
    wchar_t value[textCapacity];
    const DWORD length = GetPrivateProfileStringW(wideSection, wideKey, wideDefault, value,
                                                  std::min<DWORD>(size, textCapacity), path);
    return narrowInto(value, static_cast<int>(length), buffer, size);
}

bool writeString(const char* section, const char* key, const char* value, const char* fileName) {
    wchar_t path[MAX_PATH];
    profilePath(fileName, path);
    settings::protectBeforeFirstWrite(path);
    wchar_t wideSection[textCapacity], wideKey[textCapacity], wideValue[textCapacity];
    widen(section, wideSection);
    widen(key, wideKey);
    widen(value, wideValue);
    return WritePrivateProfileStringW(wideSection, wideKey, wideValue, path) != FALSE;
}

void reportWriteFailure(const char* fileName) {
    wchar_t path[MAX_PATH];
    profilePath(fileName, path);
    settings::warnWriteFailure(path);
}

void loadString(unsigned id, char* buffer, int size) {
    if (size > 0 && LoadStringA(GetModuleHandleW(nullptr), id, buffer, size) == 0) {
        buffer[0] = 0;
    }
}

} // namespace profile
