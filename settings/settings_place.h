// Where the settings file lives: the Windows directory's kestasv.ini when it can be written,
// otherwise a per-user copy under %APPDATA%\KESTA. Shared by the program and its helper tools.
#pragma once

namespace settings {

// Decides the place once; call before settingsFilePath.
void chooseSettingsFile();

// The full path of the settings file (UTF-16).
const wchar_t* settingsFilePath();

} // namespace settings
