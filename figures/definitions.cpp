// The outline readers: the figure list of the settings dialog and the outlines of the slots in
// use, both from the outline section of the settings file. A value is one line of comma-separated
// fields: name, point count, six header numbers, thirteen contour ranges, then the points.
#include "figures/figures.h"

#include "figures/numbers.h"
#include "settings/profile.h"
#include "settings/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace figures {

namespace {

constexpr std::uint32_t figureValueSize = 512;
constexpr std::uint32_t nameValueSize = 255;

// The builder starts its search for a contour's rightmost point from this x and y.
constexpr std::int32_t rightmostSearchStart = -9999;

// Fields as strtok on "," takes them: a run of commas is one separator, leading commas are
// skipped, and a missing field comes back empty.
struct Fields {
    const char* next;
    const char* end;
};

std::string_view nextField(Fields& fields) {
    while (fields.next < fields.end && *fields.next == ',') {
        ++fields.next;
    }
    const char* begin = fields.next;
    while (fields.next < fields.end && *fields.next != ',') {
        ++fields.next;
    }
    return {begin, static_cast<std::size_t>(fields.next - begin)};
}

// The value is a C string: a zero byte ends it like the end of the line.
void readFigureValue(std::uint32_t figureNumber, char* buffer, std::uint32_t size) {
    char key[16];
    std::snprintf(key, sizeof key, "ZAHYO%u", static_cast<unsigned>(figureNumber));
    profile::readString(settings::outlineSectionName, key, settings::outlineEndMarker, buffer, size,
                        settings::settingsFileName);
}

char upperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A missing key reads as the end marker, and a name equal to it in any case ends the list.
bool isEndMarker(std::string_view name) {
    std::string_view marker = settings::outlineEndMarker;
    return std::equal(name.begin(), name.end(), marker.begin(), marker.end(),
                      [](char a, char b) { return upperCase(a) == upperCase(b); });
}

bool isShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// At most figureNameSize - 1 bytes, never half of a double-byte character.
void copyName(std::string_view name, char* entry) {
    std::size_t length = 0;
    while (length < name.size()) {
        std::size_t width = isShiftJisLead(static_cast<unsigned char>(name[length])) ? 2 : 1;
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

// A figure is kept only when every walk of the builder and the renderer over it stays inside
// the tables and meets every point once: 1..45 points, 1..13 contours whose ranges (first <=
// last) together cover the points 1..N exactly once, so every point has one contour and one
// successor and the face's point list fits; and every contour has a point that beats the
// builder's starting value in its search for the rightmost point.
bool isWellFormed(int slot, std::int32_t points) {
    const std::int32_t contours = contourCount(slot);
    if (points < 1 || points > maxPoints || contours < 1 || contours > maxContours) {
        return false;
    }
    std::array<bool, maxPoints + 1> covered{};
    std::int32_t coveredCount = 0;
    for (int c = 1; c <= contours; ++c) {
        const std::int32_t first = contourStart[slot][c];
        const std::int32_t last = contourEnd[slot][c];
        if (first < 1 || first > last || last > points) {
            return false;
        }
        bool hasRightmost = false;
        for (std::int32_t k = first; k <= last; ++k) {
            if (covered[k]) {
                return false;
            }
            covered[k] = true;
            ++coveredCount;
            hasRightmost = hasRightmost || outlineX[slot][k] > rightmostSearchStart ||
                           (outlineX[slot][k] == rightmostSearchStart &&
                            outlineY[slot][k] > rightmostSearchStart);
        }
        if (!hasRightmost) {
            return false;
        }
    }
    return coveredCount == points;
}

// The slot's figure from the file, or an empty slot (all zero) when its key is missing, its
// name is the end marker, or the figure is not well formed. Missing fields read as 0.
void loadSlot(int slot) {
    clearSlot(slot);
    char value[figureValueSize];
    readFigureValue(static_cast<std::uint32_t>(settings::OPTIONA[slot]), value, sizeof value);
    Fields fields{value, value + std::strlen(value)};
    if (isEndMarker(nextField(fields))) {
        return;
    }
    const std::int32_t points = fieldValue(nextField(fields));
    for (auto& number : figureHeader[slot]) {
        number = fieldValue(nextField(fields));
    }
    for (int c = 1; c <= maxContours; ++c) {
        contourStart[slot][c] = fieldValue(nextField(fields));
        contourEnd[slot][c] = fieldValue(nextField(fields));
    }
    for (std::int32_t k = 1; k <= std::min(points, std::int32_t{maxPoints}); ++k) {
        outlineX[slot][k] = fieldValue(nextField(fields));
        outlineY[slot][k] = fieldValue(nextField(fields));
    }
    if (isWellFormed(slot, points)) {
        pointCount[slot] = points;
    } else {
        clearSlot(slot);
    }
}

} // namespace

void loadFigureNames() {
    figureNameCount = 0;
    while (figureNameCount < maxFigureNames) {
        char value[nameValueSize];
        readFigureValue(static_cast<std::uint32_t>(figureNameCount) + 1, value, sizeof value);
        Fields fields{value, value + std::strlen(value)};
        const std::string_view name = nextField(fields);
        if (isEndMarker(name)) {
            return;
        }
        copyName(name, figureNames[figureNameCount]);
        ++figureNameCount;
    }
}

void loadFigures() {
    const int slots = std::clamp(settings::OPTIONN, 0, maxSlots);
    for (int slot = 1; slot <= slots; ++slot) {
        loadSlot(slot);
    }
}

} // namespace figures
