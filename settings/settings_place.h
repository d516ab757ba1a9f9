// Where the settings file of the run lives. Start-up decides it once: a per-user "kestasv.ini" in
// a "KESTA" folder of the roaming application-data folder once that exists (it holds the user's
// latest settings, whatever became of the Windows directory since); else the Windows directory's
// "kestasv.ini" wherever that can be written (where older versions keep theirs); else a new
// per-user file. A file that does not exist yet starts as a copy of the user's own file in the
// Windows directory, or where there is none, of the sample "kestasv.ini" beside the program.
// Every read and write of the run uses the full path chosen.
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
    // The Windows directory's file could be read (after waiting a moment for another program).
    bool windowsFileReadable;
};

// Made with named fields ({.perUser = true}); the fields not named are false.
struct PlaceChoice {
    bool perUser = false;
    // The chosen file is missing and starts as a copy of one of these (at most one is set): the
    // Windows directory's file for a per-user file, the sample beside the program for either.
    bool copyFromWindows = false;
    bool copyFromBeside = false;
    // The user's own file in the Windows directory cannot be read now: the run uses that path,
    // changes no file, and the user is told.
    bool windowsFileUnreadable = false;
};

PlaceChoice choosePlace(const PlaceFacts& facts);

// folder, one backslash and name into path (capacity wide characters, terminator included);
// false, with path empty, when it does not fit.
bool joinPath(wchar_t* path, std::size_t capacity, const wchar_t* folder, const wchar_t* name);

// Decides the place once (later calls do nothing) and makes the first copy when the chosen file
// is missing; an unreadable file is reported (storage_report.h). Runs first thing at start-up.
void chooseSettingsFile();

// False when start-up could not read the user's file: no write of the run may touch it.
bool settingsFileWritable();

// The full path chosen; before the choice, the Windows directory's file.
const wchar_t* settingsFilePath();

// The settings file a run of the program would use, found without changing anything (no folder
// made, nothing copied, no file probed by creating it), for commands that only read: the per-user
// file when it exists, else the Windows directory's file (which may not exist). False, with path
// empty, when no path fits in capacity wide characters.
bool findSettingsFileReadOnly(wchar_t* path, std::size_t capacity);

} // namespace settings
