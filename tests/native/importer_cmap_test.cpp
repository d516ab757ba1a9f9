// The font's character map read for characters beyond the 16-bit range: the first Unicode
// subtable of format 12 is searched, group bounds are exact, and a damaged table gives no glyph
// and is never read beyond its end.
#include "glyphs/cmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace glyphs;

struct Table {
    std::vector<unsigned char> bytes;
    mutable bool readPastEnd = false;
};

bool readTable(const void* source, std::uint32_t offset, unsigned char* bytes,
               std::uint32_t length) {
    const Table& table = *static_cast<const Table*>(source);
    if (offset > table.bytes.size() || length > table.bytes.size() - offset) {
        table.readPastEnd = true;
        return false;
    }
    std::memcpy(bytes, table.bytes.data() + offset, length);
    return true;
}

void put(std::vector<unsigned char>& bytes, std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

struct Group {
    std::uint32_t first, last, glyph;
};

// Subtables in order: a platform/encoding pair and, for format 12, its groups; format 4 stands
// for any other subtable (only its format is read).
struct Subtable {
    std::uint32_t platform, encoding, format;
    std::vector<Group> groups;
};

Table tableOf(const std::vector<Subtable>& subtables) {
    Table table;
    std::vector<unsigned char>& b = table.bytes;
    put(b, 0, 2);
    put(b, static_cast<std::uint32_t>(subtables.size()), 2);
    std::uint32_t offset = 4 + 8 * static_cast<std::uint32_t>(subtables.size());
    for (const Subtable& s : subtables) {
        put(b, s.platform, 2);
        put(b, s.encoding, 2);
        put(b, offset, 4);
        offset += s.format == 12 ? 16 + 12 * static_cast<std::uint32_t>(s.groups.size()) : 4;
    }
    for (const Subtable& s : subtables) {
        put(b, s.format, 2);
        if (s.format != 12) {
            put(b, 0, 2);
            continue;
        }
        put(b, 0, 2);
        put(b, 16 + 12 * static_cast<std::uint32_t>(s.groups.size()), 4);
        put(b, 0, 4);
        put(b, static_cast<std::uint32_t>(s.groups.size()), 4);
        for (const Group& g : s.groups) {
            put(b, g.first, 4);
            put(b, g.last, 4);
            put(b, g.glyph, 4);
        }
    }
    return table;
}

std::uint32_t glyphOf(const Table& table, char32_t c) {
    return fullRangeGlyph(readTable, &table, c);
}

const std::vector<Group> groups{
    {0x41, 0x5A, 3}, {0x2000B, 0x2000B, 900}, {0x20BB0, 0x20BB9, 1000}, {0x29E3D, 0x29E3D, 77}};

TEST(ImporterCmap, FindsEveryGroupExactlyToItsBounds) {
    const Table table = tableOf({{3, 1, 4, {}}, {3, 10, 12, groups}});
    EXPECT_EQ(glyphOf(table, 0x2000B), 900u);
    EXPECT_EQ(glyphOf(table, 0x20BB0), 1000u);
    EXPECT_EQ(glyphOf(table, 0x20BB7), 1007u);
    EXPECT_EQ(glyphOf(table, 0x20BB9), 1009u);
    EXPECT_EQ(glyphOf(table, 0x29E3D), 77u);
    EXPECT_EQ(glyphOf(table, 0x41), 3u);
    EXPECT_EQ(glyphOf(table, 0x5A), 28u);
    for (char32_t absent : {0x40u, 0x5Bu, 0x2000Au, 0x2000Cu, 0x20BBAu, 0x29E3Eu, 0x10FFFFu}) {
        EXPECT_EQ(glyphOf(table, absent), 0u) << std::hex << static_cast<unsigned>(absent);
    }
    EXPECT_FALSE(table.readPastEnd);
}

TEST(ImporterCmap, TakesOnlyAUnicodeSubtableOfFormat12) {
    // A Macintosh subtable of format 12 is another encoding; the Unicode one after it is used.
    const Table mac = tableOf({{1, 0, 12, {{0x2000B, 0x2000B, 5}}}, {0, 4, 12, groups}});
    EXPECT_EQ(glyphOf(mac, 0x2000B), 900u);
    const Table bmpOnly = tableOf({{3, 1, 4, {}}, {0, 3, 4, {}}});
    EXPECT_EQ(glyphOf(bmpOnly, 0x2000B), 0u);
    EXPECT_FALSE(bmpOnly.readPastEnd);
}

TEST(ImporterCmap, DamagedTablesGiveNoGlyphAndAreNotReadPastTheirLength) {
    Table table = tableOf({{3, 10, 12, groups}});
    // More groups claimed than the subtable's length holds: only the groups it holds are read.
    const std::size_t countAt = 4 + 8 + 12;
    table.bytes[countAt] = 0x7F;
    EXPECT_EQ(glyphOf(table, 0x20BB7), 1007u);
    EXPECT_FALSE(table.readPastEnd);
    // Cut short: the groups past the end are not there.
    table.bytes.erase(table.bytes.end() - 12, table.bytes.end());
    EXPECT_EQ(glyphOf(table, 0x29E3D), 0u);
    // A glyph number that would run past 32 bits.
    const Table overflow = tableOf({{3, 10, 12, {{0x20000, 0x2FFFF, 0xFFFFFFF0}}}});
    EXPECT_EQ(glyphOf(overflow, 0x20010), 0u);
    EXPECT_EQ(glyphOf(overflow, 0x20001), 0xFFFFFFF1u);
    // An empty or truncated table.
    EXPECT_EQ(glyphOf(Table{}, 0x2000B), 0u);
    Table header = tableOf({{3, 10, 12, groups}});
    header.bytes.resize(10);
    EXPECT_EQ(glyphOf(header, 0x2000B), 0u);
}

} // namespace
