#include "glyphs/cmap.h"

namespace glyphs {

namespace {

constexpr std::uint32_t groupBytes = 12;
constexpr std::uint32_t headerBytes = 16;

std::uint32_t bigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

bool isUnicodeFullRange(std::uint32_t platform, std::uint32_t encoding) {
    return platform == 0 || (platform == 3 && encoding == 10);
}

// The offset of the first Unicode subtable of format 12, or 0.
std::uint32_t findSubtable(TableRead read, const void* source) {
    unsigned char head[4];
    if (!read(source, 0, head, 4)) {
        return 0;
    }
    const std::uint32_t tables = bigEndian(head + 2, 2);
    for (std::uint32_t i = 0; i < tables; ++i) {
        unsigned char record[8];
        unsigned char format[2];
        if (!read(source, 4 + 8 * i, record, 8)) {
            return 0;
        }
        const std::uint32_t offset = bigEndian(record + 4, 4);
        if (isUnicodeFullRange(bigEndian(record, 2), bigEndian(record + 2, 2)) && offset != 0 &&
            read(source, offset, format, 2) && bigEndian(format, 2) == 12) {
            return offset;
        }
    }
    return 0;
}

} // namespace

std::uint32_t fullRangeGlyph(TableRead read, const void* source, char32_t character) {
    const std::uint32_t subtable = findSubtable(read, source);
    unsigned char header[headerBytes];
    if (subtable == 0 || !read(source, subtable, header, headerBytes)) {
        return 0;
    }
    // The groups are sorted by their first character and do not overlap.
    const std::uint32_t length = bigEndian(header + 4, 4);
    const std::uint32_t fitting = length < headerBytes ? 0 : (length - headerBytes) / groupBytes;
    std::uint32_t low = 0, high = bigEndian(header + 12, 4);
    high = high < fitting ? high : fitting;
    const auto wanted = static_cast<std::uint32_t>(character);
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const std::uint64_t at = std::uint64_t{subtable} + headerBytes + middle * groupBytes;
        unsigned char group[groupBytes];
        if (at > 0xFFFFFFFFu || !read(source, static_cast<std::uint32_t>(at), group, groupBytes)) {
            return 0;
        }
        const std::uint32_t first = bigEndian(group, 4), last = bigEndian(group + 4, 4);
        if (wanted < first) {
            high = middle;
        } else if (wanted > last) {
            low = middle + 1;
        } else {
            const std::uint64_t glyph = bigEndian(group + 8, 4) + std::uint64_t{wanted - first};
            return glyph <= 0xFFFFFFFFu ? static_cast<std::uint32_t>(glyph) : 0;
        }
    }
    return 0;
}

} // namespace glyphs
