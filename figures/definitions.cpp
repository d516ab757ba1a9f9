// The outline readers: the figure list of the settings dialog and the outlines of the slots in
// use, both from the outline section of the settings file. A value is one line of comma-separated
// fields: name, point count, six header numbers, thirteen contour ranges, then the points.
#include "figures/figures.h"

#include "figures/bounds.h"

#include "figures/format.h"
#include "figures/numbers.h"
#include "settings/profile.h"
#include "settings/settings.h"
#include "settings/shift_jis.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace figures {

namespace {

constexpr std::uint32_t nameValueSize = 255;

// The value is a C string: a zero byte ends it like the end of the line.
void readFigureLine(std::uint32_t figureNumber, char* buffer, std::uint32_t size) {
    char key[16];
    figureKey(figureNumber, key);
    profile::readString(settings::outlineSectionName, key, settings::outlineEndMarker, buffer, size,
                        settings::settingsFileName);
}

// At most figureNameSize - 1 bytes, never half of a double-byte character.
void copyName(std::string_view name, char* entry) {
    std::size_t length = 0;
    while (length < name.size()) {
        std::size_t width =
            settings::isShiftJisLead(static_cast<unsigned char>(name[length])) ? 2 : 1;
        if (length + width > static_cast<std::size_t>(figureNameSize - 1)) {
            break;
        }
        length += width;
    }
    length = std::min(length, name.size());
    std::fill(entry, entry + figureNameSize, '\0');
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length), entry);
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// from_chars leaves a value out of the double range unset, where strtod gives infinity for an
// overflow and 0 for an underflow; which it is follows from the weight of the first non-zero
// digit and the exponent.
double outOfRangeValue(const char* begin, const char* end, bool hex) {
    const char mark = hex ? 'p' : 'e';
    long weight = 0; // in digits, of the first non-zero digit
    bool point = false;
    bool found = false;
    const char* p = begin;
    for (; p < end && (*p | 0x20) != mark; ++p) {
        if (*p == '.') {
            point = true;
        } else if (found) {
            weight += point ? 0 : 1;
        } else if (*p != '0') {
            found = true;
            weight = point ? weight - 1 : 0;
        } else {
            weight -= point ? 1 : 0;
        }
    }
    long exponent = 0;
    bool negativeExponent = false;
    if (p < end) {
        ++p;
        negativeExponent = *p == '-';
        p += (*p == '-' || *p == '+') ? 1 : 0;
        for (; p < end && exponent < 1000000; ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
    }
    long scale = weight * (hex ? 4 : 1) + (negativeExponent ? -exponent : exponent);
    return found && scale >= 0 ? HUGE_VAL : 0.0;
}

} // namespace

std::int32_t fieldValue(std::string_view field) {
    const char* p = field.data();
    const char* end = p + field.size();
    while (p < end && isBlank(*p)) {
        ++p;
    }
    bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) {
        ++p;
    }
    double value = 0.0;
    // from_chars would take a second sign; strtod reads no number there.
    if (p < end && *p != '-' && *p != '+') {
        bool hex = end - p >= 3 && p[0] == '0' && (p[1] | 0x20) == 'x' &&
                   (isHexDigit(p[2]) || (p[2] == '.' && end - p >= 4 && isHexDigit(p[3])));
        const char* digits = hex ? p + 2 : p;
        auto result = hex ? std::from_chars(digits, end, value, std::chars_format::hex)
                          : std::from_chars(digits, end, value);
        if (result.ec == std::errc::result_out_of_range) {
            value = outOfRangeValue(digits, result.ptr, hex);
        } else if (result.ec != std::errc()) {
            value = 0.0;
        }
    }
    return numbers::truncateToInt(negative ? -value : value);
}

namespace {

void clearSlot(int slot) {
    pointCount[slot] = 0;
    figureHeader[slot] = {};
    contourStart[slot] = {};
    contourEnd[slot] = {};
    outlineX[slot] = {};
    outlineY[slot] = {};
}

} // namespace

namespace {

// Figures read once for the swaps of a running row (the clock's), so that a swap reads no file.
struct KeptFigure {
    std::int32_t number;
    bool drawable; // false: the key is missing, ends the list or is not well formed
    FigureRecord record;
};
std::array<KeptFigure, maxKeptFigures + 1> keptFigures{};
int keptCount;

// The figure from the file: false when it draws nothing.
bool readFigure(std::int32_t number, FigureRecord& record) {
    char value[figureValueSize];
    readFigureLine(static_cast<std::uint32_t>(number), value, sizeof value);
    return !isEndMarker(readFigureValue(value, record), settings::outlineEndMarker) &&
           isWellFormed(record);
}

const KeptFigure* keptFigure(std::int32_t number) {
    for (int i = 1; i <= keptCount; ++i) {
        if (keptFigures[static_cast<std::size_t>(i)].number == number) {
            return &keptFigures[static_cast<std::size_t>(i)];
        }
    }
    return nullptr;
}

} // namespace

void keepFigures(const std::int32_t* numbers, int count) {
    keptCount = 0;
    for (int i = 0; i < count && keptCount < maxKeptFigures; ++i) {
        KeptFigure& kept = keptFigures[static_cast<std::size_t>(++keptCount)];
        kept.number = numbers[i];
        kept.drawable = readFigure(numbers[i], kept.record);
    }
}

// The slot's figure from the file (or as kept), or an empty slot (all zero) when its key is
// missing, its name is the end marker, or the figure is not well formed. Missing fields read
// as 0.
void loadSlotFigure(int slot) {
    clearSlot(slot);
    const std::int32_t number = figureOfSlot(slot);
    const KeptFigure* kept = keptFigure(number);
    if (kept && !kept->drawable) {
        return;
    }
    static FigureRecord read;
    const FigureRecord* record = kept ? &kept->record : &read;
    if (!kept && !readFigure(number, read)) {
        return;
    }
    pointCount[slot] = record->points;
    figureHeader[slot] = record->header;
    contourStart[slot] = record->start;
    contourEnd[slot] = record->end;
    outlineX[slot] = record->x;
    outlineY[slot] = record->y;
}

void loadFigureNames() {
    figureNameCount = 0;
    while (figureNameCount < maxFigureNames) {
        char value[nameValueSize];
        readFigureLine(static_cast<std::uint32_t>(figureNameCount) + 1, value, sizeof value);
        const std::string_view name = figureValueName(value);
        if (isEndMarker(name, settings::outlineEndMarker)) {
            return;
        }
        copyName(name, figureNames[figureNameCount]);
        ++figureNameCount;
    }
}

void loadFigures() {
    const int slots = slotsInUse();
    for (int slot = 1; slot <= slots; ++slot) {
        loadSlotFigure(slot);
    }
}

} // namespace figures
