// The private-profile functions and the string table of the running program.
//
// The settings file's path may hold characters outside the ANSI code page (a user name in the
// per-user folder), so the W profile functions take the path as UTF-16. Section, key and value
// texts cross the seam as the A functions pass them: converted with the ANSI code page both ways,
// which is what the A functions do inside, so the Shift-JIS bytes of the file come back as they
// are.
#include "settings/profile.h"

#include "settings/other_writer_win32.h"
#include "settings/profile_number.h"
#include "settings/save_protection.h"
#include "settings/settings_place.h"
#include "settings/storage_report.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace profile {

namespace {

// Longest section, key, default or value text taken through the seam, terminator included.
constexpr int textCapacity = 1024;

// A read or write that gave up waiting, and when: the ones right behind it (the rest of the same
// group of keys) give up at once instead of waiting again each.
bool gaveUp;
DWORD gaveUpAt;

// Whether a read or write starting now may wait for another writer. A file that start-up found
// held for good is not waited for at all.
bool mayWait() {
    return settings::settingsFileWritable() && !(gaveUp && GetTickCount() - gaveUpAt < 1000);
}

// After an attempt: true to try again after a pause; otherwise the waiting is over, and
// remembered as given up when the file was still held.
bool tryAgain(bool held, bool wait, DWORD started) {
    if (held && wait && GetTickCount() - started < settings::waitForOtherWriter) {
        Sleep(settings::otherWriterPause);
        return true;
    }
    gaveUp = held;
    gaveUpAt = GetTickCount();
    return false;
}

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
        lstrcpynW(path, wide, std::size(path));
        return;
    }
    wchar_t folder[MAX_PATH];
    lstrcpynW(folder, settings::settingsFilePath(), std::size(folder));
    if (wchar_t* separator = wcsrchr(folder, L'\\')) {
        *separator = L'\0';
    }
    if (!settings::joinPath(path, std::size(path), folder, wide)) {
        lstrcpynW(path, wide, std::size(path));
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
    // A file held by another writer reads as if the key were missing: wait for it as writes do.
    const DWORD started = GetTickCount();
    const bool wait = mayWait();
    DWORD length = 0;
    do {
        SetLastError(ERROR_SUCCESS);
        length = GetPrivateProfileStringW(wideSection, wideKey, wideDefault, value,
                                          std::min<DWORD>(size, textCapacity), path);
    } while (tryAgain(settings::heldByAnother(GetLastError()), wait, started));
    return narrowInto(value, static_cast<int>(length), buffer, size);
}

namespace {

// After a failed write: whether the file is held by another writer rather than refusing us.
bool heldByAnotherWriter(const wchar_t* path, DWORD writeError) {
    if (settings::heldByAnother(writeError)) {
        return true;
    }
    HANDLE file =
        CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return settings::heldByAnother(GetLastError());
    }
    CloseHandle(file);
    return false;
}

enum class WriteTry : std::uint8_t { stored, busy, refused };

WriteTry tryWrite(const wchar_t* path, const wchar_t* section, const wchar_t* key,
                  const wchar_t* value) {
    if (!settings::settingsFileWritable()) {
        return WriteTry::refused;
    }
    switch (settings::protectBeforeFirstWrite(path)) {
    case settings::WriteGate::wait: return WriteTry::busy;
    case settings::WriteGate::closed: return WriteTry::refused;
    case settings::WriteGate::open: break;
    }
    if (WritePrivateProfileStringW(section, key, value, path)) {
        return WriteTry::stored;
    }
    return heldByAnotherWriter(path, GetLastError()) ? WriteTry::busy : WriteTry::refused;
}

} // namespace

bool writeString(const char* section, const char* key, const char* value, const char* fileName) {
    wchar_t path[MAX_PATH];
    profilePath(fileName, path);
    wchar_t wideSection[textCapacity], wideKey[textCapacity], wideValue[textCapacity];
    widen(section, wideSection);
    widen(key, wideKey);
    widen(value, wideValue);
    const DWORD started = GetTickCount();
    const bool wait = mayWait();
    WriteTry result = WriteTry::refused;
    do {
        result = tryWrite(path, wideSection, wideKey, wideValue);
    } while (tryAgain(result == WriteTry::busy, wait, started));
    return result == WriteTry::stored;
}

void reportWriteFailure(const char* fileName) {
    wchar_t path[MAX_PATH];
    profilePath(fileName, path);
    settings::reportToUser({settings::StorageEvent::writeFailed, path, nullptr});
}

void loadString(unsigned id, char* buffer, int size) {
    if (size > 0 && LoadStringA(GetModuleHandleW(nullptr), id, buffer, size) == 0) {
        buffer[0] = 0;
    }
}

} // namespace profile
