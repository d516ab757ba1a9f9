// Reads of the settings file and the one short write that adds figures (settings_file_win32.cpp).
// A write holds the file against every other opener from the read it edits until the edited
// copy, written beside it first, is complete; the copy then takes the file's place in one rename.
// Another writer's change is not lost (it either came before the read or waits for the hold),
// and a write that fails part-way leaves the old file whole.
#pragma once

#include "figurefile/ini_text.h"

#include <cstdint>

namespace figurefile {

enum class FileResult : std::uint8_t {
    done,
    missing,
    failed,
    tooLarge,
    busy,    // another process held the file all the while
    changed, // a file appeared where there was none
    raced,   // another process opened the file at the moment of the rename
};

// A look at the file without holding it (list, and the plan before the slow fitting).
FileResult readSettingsFile(const wchar_t* path, IniText& text);

// False when the file exists and this process may not write it (busy is no reason: the write
// waits its turn).
bool mayWrite(const wchar_t* path);

struct HeldFile {
    void* handle; // null when the file did not exist
};

// Opens the file for this process alone, waiting a few seconds while another holds it, and reads
// it; a missing file reads as empty when missingIsEmpty.
FileResult holdAndRead(const wchar_t* path, bool missingIsEmpty, HeldFile& held, IniText& text);

// Puts text in the file's place and lets it go; on failure the file is as it was. After raced,
// read it again (with whatever that process wrote) and retry.
FileResult replaceAndRelease(const wchar_t* path, HeldFile& held, const IniText& text);

void release(HeldFile& held);

} // namespace figurefile
