// Console output of kesta-figures (console_win32.cpp): UTF-16 text written with WriteConsoleW on
// a console, and as UTF-8 when the output is redirected to a file or pipe (as under Wine from a
// Unix terminal).
#pragma once

namespace importer {

void say(const wchar_t* format, ...);
void complain(const wchar_t* format, ...);

// Shift-JIS bytes (code page 932) as UTF-16, for names from the settings file.
void fromShiftJis(const char* bytes, int length, wchar_t* text, int size);

} // namespace importer
