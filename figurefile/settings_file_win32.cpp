#include "figurefile/settings_file.h"

#include <windows.h>

namespace figurefile {

namespace {

// How long a write waits for another holder of the file to let go.
constexpr int holdAttempts = 50;
constexpr DWORD holdPause = 100; // milliseconds

FileResult readOpened(HANDLE file, IniText& text) {
    text.length = 0;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        return FileResult::failed;
    }
    if (size.QuadPart > maxFileBytes) {
        return FileResult::tooLarge;
    }
    DWORD read = 0;
    if (!ReadFile(file, text.bytes.data(), static_cast<DWORD>(size.QuadPart), &read, nullptr) ||
        read != size.QuadPart) {
        return FileResult::failed;
    }
    text.length = static_cast<int>(read);
    return FileResult::done;
}

bool isBusy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool writeAll(const wchar_t* path, const IniText& text) {
    HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, text.bytes.data(), static_cast<DWORD>(text.length), &written, nullptr) &&
        written == static_cast<DWORD>(text.length) && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

// The edited copy's name: the file's own with ".new" added.
bool copyPath(const wchar_t* path, wchar_t (&copy)[MAX_PATH + 8]) {
    const int length = lstrlenW(path);
    if (length + 5 > MAX_PATH + 7) {
        return false;
    }
    lstrcpyW(copy, path);
    lstrcpyW(copy + length, L".new");
    return true;
}

// The copy takes the file's place in one rename, so the file is never seen half written. Under
// Wine no call replaces a file that is held open (ReplaceFileW deletes it first, leaving a moment
// with no file at all, in which another writer would start a file of its own), so the hold ends
// just before the rename.
bool putInPlace(const wchar_t* path, const wchar_t* copy, HeldFile& held) {
    const bool existed = held.handle != nullptr;
    release(held);
    return MoveFileExW(copy, path,
                       existed ? MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH
                               : MOVEFILE_WRITE_THROUGH);
}

} // namespace

FileResult readSettingsFile(const wchar_t* path, IniText& text) {
    text.length = 0;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_SHARING_VIOLATION;
    for (int attempt = 1; attempt <= holdAttempts && isBusy(error); ++attempt) {
        file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (isBusy(error)) {
            Sleep(holdPause);
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        return error == ERROR_FILE_NOT_FOUND ? FileResult::missing
               : isBusy(error)               ? FileResult::busy
                                             : FileResult::failed;
    }
    const FileResult result = readOpened(file, text);
    CloseHandle(file);
    return result;
}

bool mayWrite(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || isBusy(error);
    }
    CloseHandle(file);
    return true;
}

FileResult holdAndRead(const wchar_t* path, bool missingIsEmpty, HeldFile& held, IniText& text) {
    held.handle = nullptr;
    text.length = 0;
    for (int attempt = 1; attempt <= holdAttempts; ++attempt) {
        HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            held.handle = file;
            const FileResult result = readOpened(file, text);
            if (result != FileResult::done) {
                release(held);
            }
            return result;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return missingIsEmpty ? FileResult::done : FileResult::missing;
        }
        if (!isBusy(error)) {
            return FileResult::failed;
        }
        Sleep(holdPause);
    }
    return FileResult::busy;
}

FileResult replaceAndRelease(const wchar_t* path, HeldFile& held, const IniText& text) {
    wchar_t copy[MAX_PATH + 8];
    if (!copyPath(path, copy)) {
        release(held);
        return FileResult::failed;
    }
    if (!writeAll(copy, text)) {
        DeleteFileW(copy);
        release(held);
        return FileResult::failed;
    }
    const bool existed = held.handle != nullptr;
    const bool placed = putInPlace(path, copy, held);
    const DWORD error = GetLastError();
    release(held);
    if (!placed) {
        DeleteFileW(copy);
        // A file that appeared meanwhile where there was none is someone else's: not replaced.
        // One that another process opened in the moment before the rename is busy: the caller
        // reads it again, with whatever that process wrote.
        if (!existed && error == ERROR_ALREADY_EXISTS) {
            return FileResult::changed;
        }
        return isBusy(error) || error == ERROR_ACCESS_DENIED ? FileResult::raced
                                                             : FileResult::failed;
    }
    return FileResult::done;
}

void release(HeldFile& held) {
    if (held.handle != nullptr) {
        CloseHandle(static_cast<HANDLE>(held.handle));
        held.handle = nullptr;
    }
}

} // namespace figurefile
