// Arbitrary bytes as a font's character map: the reader for characters beyond the 16-bit range
// must stay within the table whatever its offsets, lengths and group counts claim. The first
// three bytes choose the character looked up.
#include "glyphs/cmap.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
};

bool readBytes(const void* source, std::uint32_t offset, unsigned char* bytes,
               std::uint32_t length) {
    const Bytes& table = *static_cast<const Bytes*>(source);
    if (offset > table.size || length > table.size - offset) {
        return false;
    }
    std::memcpy(bytes, table.data + offset, length);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const char32_t character =
        (char32_t{data[0]} << 16 | char32_t{data[1]} << 8 | data[2]) % 0x110000;
    const Bytes table{data + 3, size - 3};
    glyphs::fullRangeGlyph(readBytes, &table, character);
    return 0;
}
