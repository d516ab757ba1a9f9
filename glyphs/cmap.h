// A font's own character map ('cmap' table) for characters beyond the 16-bit range, which GDI's
// GetGlyphIndicesW cannot take: the glyph index from the first Unicode subtable of format 12
// (segmented coverage; platform 3 encoding 10, or platform 0). The table is read piece by piece
// through the caller, so any size of table is found without holding it.
#pragma once

#include <cstdint>

namespace glyphs {

// Copies length bytes of the table from offset; false when they are not all there.
using TableRead = bool (*)(const void* source, std::uint32_t offset, unsigned char* bytes,
                           std::uint32_t length);

// The glyph index of the character, or 0 when the map has none (or the table is damaged).
std::uint32_t fullRangeGlyph(TableRead read, const void* source, char32_t character);

} // namespace glyphs
