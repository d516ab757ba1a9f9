#include "figures/format.h"

#include "settings/ini_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace figures {

namespace {

// The builder starts its search for a contour's rightmost point from this x and y.
constexpr std::int32_t rightmostSearchStart = -9999;

// Fields as strtok on "," takes them: a run of commas is one separator, leading commas are
// skipped, and a missing field comes back empty. A zero byte ends the value like its end.
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

Fields fieldsOf(std::string_view value) {
    const char* zero = static_cast<const char*>(std::memchr(value.data(), '\0', value.size()));
    return {value.data(), zero ? zero : value.data() + value.size()};
}

} // namespace

void figureKey(std::uint32_t number, char (&key)[16]) {
    std::snprintf(key, sizeof key, "ZAHYO%u", static_cast<unsigned>(number));
}

std::string_view figureValueName(std::string_view value) {
    Fields fields = fieldsOf(value);
    return nextField(fields);
}

std::string_view readFigureValue(std::string_view value, FigureRecord& record) {
    record = {};
    Fields fields = fieldsOf(value);
    const std::string_view name = nextField(fields);
    record.points = fieldValue(nextField(fields));
    for (auto& number : record.header) {
        number = fieldValue(nextField(fields));
    }
    for (int c = 1; c <= maxContours; ++c) {
        record.start[c] = fieldValue(nextField(fields));
        record.end[c] = fieldValue(nextField(fields));
    }
    for (std::int32_t k = 1; k <= std::min(record.points, std::int32_t{maxPoints}); ++k) {
        record.x[k] = fieldValue(nextField(fields));
        record.y[k] = fieldValue(nextField(fields));
    }
    return name;
}

int formatFigureValue(std::string_view name, const FigureRecord& record,
                      char (&value)[figureValueSize]) {
    int length = std::snprintf(value, sizeof value, "%.*s,%d", static_cast<int>(name.size()),
                               name.data(), static_cast<int>(record.points));
    auto add = [&](std::int32_t number) {
        if (length >= 0 && length < static_cast<int>(sizeof value)) {
            length += std::snprintf(value + length, sizeof value - length, ",%d",
                                    static_cast<int>(number));
        }
    };
    for (std::int32_t h : record.header) {
        add(h);
    }
    for (int c = 1; c <= maxContours; ++c) {
        add(record.start[c]);
        add(record.end[c]);
    }
    for (int k = 1; k <= record.points && k <= maxPoints; ++k) {
        add(record.x[k]);
        add(record.y[k]);
    }
    return length > 0 && length < figureValueSize ? length : 0;
}

bool isEndMarker(std::string_view name, std::string_view marker) {
    return settings::ini::sameName(name, marker);
}

// 1..45 points, 1..13 contours whose ranges (first <= last) together cover the points 1..N
// exactly once, so every point has one contour and one successor and the face's point list
// fits; and every contour has a point that beats the builder's starting value in its search for
// the rightmost point.
bool isWellFormed(const FigureRecord& record) {
    const std::int32_t points = record.points;
    const std::int32_t contours = record.header[contourCountField];
    if (points < 1 || points > maxPoints || contours < 1 || contours > maxContours) {
        return false;
    }
    std::array<bool, maxPoints + 1> covered{};
    std::int32_t coveredCount = 0;
    for (int c = 1; c <= contours; ++c) {
        const std::int32_t first = record.start[c];
        const std::int32_t last = record.end[c];
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
            hasRightmost =
                hasRightmost || record.x[k] > rightmostSearchStart ||
                (record.x[k] == rightmostSearchStart && record.y[k] > rightmostSearchStart);
        }
        if (!hasRightmost) {
            return false;
        }
    }
    return coveredCount == points;
}

} // namespace figures
