// The settings file holds its names and outline section as Shift-JIS bytes on every system; the
// figure readers and the save check both walk those bytes a character at a time.
#pragma once

namespace settings {

// A Shift-JIS byte that opens a double-byte character.
constexpr bool isShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

} // namespace settings
