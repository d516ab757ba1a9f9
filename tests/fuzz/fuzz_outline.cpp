// Arbitrary settings-file text after "ZAHYO1=" in the outline section, with slot settings taken
// from the first two bytes, through both outline readers: the tables must stay inside their
// bounds and describe only figures that the builder and the renderer can walk, and every number
// field must read as strtod reads it.
#include "figures/figures.h"
#include "figures/numbers.h"
#include "tests/support/profile_memory.h"
#include "settings/settings.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace figures;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkSlot(int slot) {
    const int n = pointCount[slot];
    check(n >= 0 && n <= maxPoints);
    if (n == 0) {
        check(contourCount(slot) == 0 && contourStart[slot][1] == 0 && contourEnd[slot][1] == 0);
        return;
    }
    check(contourCount(slot) >= 1 && contourCount(slot) <= maxContours);
    int covered = 0;
    for (int c = 1; c <= contourCount(slot); ++c) {
        check(contourStart[slot][c] >= 1 && contourStart[slot][c] <= contourEnd[slot][c] &&
              contourEnd[slot][c] <= n);
        covered += contourEnd[slot][c] - contourStart[slot][c] + 1;
    }
    check(covered == n);
}

// Every comma-separated piece of the text, read both ways.
void checkFieldsAgainstStrtod(const std::string& text) {
    for (std::size_t begin = 0; begin <= text.size();) {
        std::size_t end = std::min(text.find_first_of(",\n\r", begin), text.size());
        std::string field = text.substr(begin, end - begin);
        check(fieldValue(field) == numbers::truncateToInt(std::strtod(field.c_str(), nullptr)));
        begin = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    profile::memory::reset();
    profile::memory::setFile("kestasv.ini", "[MOJI ZAHYO]\r\nZAHYO1=" + text);
    settings::loadSettingNames();
    settings::OPTIONN = static_cast<std::int8_t>(data[0]) % 32;
    for (int slot = 1; slot <= settings::slotCount; ++slot) {
        // Figures 0 to 3, and now and then one far beyond any key.
        settings::OPTIONA[slot] = (data[1] >> (slot % 8) & 1) ? -1 : (data[1] + slot) % 4;
    }
    const int loaded = std::max(0, std::min<int>(settings::OPTIONN, maxSlots));
    for (int slot = loaded + 1; slot <= maxSlots; ++slot) {
        pointCount[slot] = -7;
    }

    loadFigureNames();
    check(figureNameCount >= 0 && figureNameCount <= maxFigureNames);
    for (int k = 0; k < figureNameCount; ++k) {
        check(std::memchr(figureNames[k], 0, figureNameSize) != nullptr);
    }

    loadFigures();
    for (int slot = 1; slot <= maxSlots; ++slot) {
        if (slot <= loaded) {
            checkSlot(slot);
        } else {
            check(pointCount[slot] == -7);
        }
    }
    auto x = outlineX;
    auto header = figureHeader;
    loadFigures();
    check(outlineX == x && figureHeader == header);

    if (std::memchr(text.data(), 0, text.size()) == nullptr) {
        checkFieldsAgainstStrtod(text);
    }
    return 0;
}
