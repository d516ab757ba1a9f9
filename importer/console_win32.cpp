#include "importer/console.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

namespace importer {

namespace {

void write(DWORD which, const wchar_t* format, va_list arguments) {
    wchar_t text[2048];
    std::vswprintf(text, sizeof text / sizeof text[0], format, arguments);
    HANDLE handle = GetStdHandle(which);
    DWORD mode, written;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text, lstrlenW(text), &written, nullptr);
        return;
    }
    char bytes[3 * 2048];
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (length > 1) {
        WriteFile(handle, bytes, static_cast<DWORD>(length - 1), &written, nullptr);
    }
}

} // namespace

void say(const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    write(STD_OUTPUT_HANDLE, format, arguments);
    va_end(arguments);
}

void complain(const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    write(STD_ERROR_HANDLE, format, arguments);
    va_end(arguments);
}

void fromShiftJis(const char* bytes, int length, wchar_t* text, int size) {
    int n = length > 0 ? MultiByteToWideChar(932, 0, bytes, length, text, size - 1) : 0;
    text[n > 0 ? n : 0] = L'\0';
}

} // namespace importer
