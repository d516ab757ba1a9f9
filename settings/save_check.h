// What in a settings file the platform's profile functions would damage on their next save,
// which rewrites the whole file: a byte-order mark makes them read the file as Unicode (every
// Shift-JIS figure name comes back as replacement characters), and a byte of the outline section
// that is not valid Shift-JIS swallows what follows it (a lead byte takes the comma after it as
// its second byte, shifting every field of that figure). The file is fed in pieces of any size.
#pragma once

#include "settings/ini_lines.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace settings {

enum class SaveDamage : std::uint8_t { none, byteOrderMark, invalidOutlineBytes };

struct SaveCheck {
    const char* outlineSection; // the outline section's name, compared without case
    std::uint64_t bytesSeen;
    std::array<unsigned char, 3> firstBytes;
    enum class Line : std::uint8_t { start, header, body } line;
    ini::HeaderMatch header; // the header line's bytes after "["
    bool inOutline;
    bool leadPending; // the previous byte opened a double-byte character
    bool invalid;
};

SaveCheck startSaveCheck(const char* outlineSection);
void checkBytes(SaveCheck& check, const unsigned char* bytes, std::size_t count);
SaveDamage saveDamage(const SaveCheck& check);

} // namespace settings
