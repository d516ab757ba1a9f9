// Where the settings file of the run lives. Start-up decides it once: the Windows directory's
// "kestasv.ini" wherever that can be written, as it always was; otherwise a per-user
// "kestasv.ini" in a "KESTA" folder of the roaming application-data folder, started as a copy of
// the Windows directory's file or of the one beside the program. Every read and write of the run
// uses the full path chosen.
#pragma once

#include <cstddef>
#include <cstdint>

namespace settings {

// What start-up finds where the Windows directory's settings file would be.
enum class WindowsFile : std::uint8_t {
    writable,      // the file is there and opens for writing
    creatable,     // no file, and the directory takes a new one
    refused,       // something stands there that cannot be written
    absentRefused, // no file, and the directory takes none
};

struct PlaceFacts {
    WindowsFile windowsFile;
    bool windowsFileIsFile; // a regular file stands there (something to copy from)
    bool userFolderReady;
    bool userFileExists;
    bool besideFileExists; // "kestasv.ini" beside the program
};

struct PlaceChoice {
    bool perUser;
    // A missing per-user file starts as a copy of the first of these that can be copied.
    bool copyFromWindows;
    bool copyFromBeside;
};

PlaceChoice choosePlace(const PlaceFacts& facts);

// folder, one backslash and name into path (capacity wide characters, terminator included);
// false, with path empty, when it does not fit.
bool joinPath(wchar_t* path, std::size_t capacity, const wchar_t* folder, const wchar_t* name);

// Decides the place once (later calls do nothing) without changing anything in the Windows
// directory. Runs first thing at start-up.
void chooseSettingsFile();

// The full path chosen; before the choice, the Windows directory's file.
const wchar_t* settingsFilePath();

} // namespace settings
