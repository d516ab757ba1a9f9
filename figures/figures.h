// The figure tables: per-slot outlines as read from the settings file, rewritten in place by the
// builder, plus what the builder derives from them and what the projection fills every frame.
// Slots run 1..26, outline points 1..45, vertices 1..90, contours 1..13; entry 0 of every index
// is left empty.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace figures {

constexpr int maxSlots = 26;
constexpr int maxPoints = 45;
constexpr int maxVertices = 2 * maxPoints;
constexpr int maxContours = 13;
constexpr int maxOuterContours = 4;
constexpr int maxFigureNames = 99;
constexpr int figureNameSize = 27;

template <typename T, int N> using Table = std::array<std::array<T, N + 1>, maxSlots + 1>;
using SlotTable = std::array<std::int32_t, maxSlots + 1>;

// figureHeader[s][0] is spare, [1..4] the outerContourStart values, [5] the contourCount.
constexpr int headerSize = 6;
constexpr int contourCountField = 5;

// Outline tables, filled by loadFigures and rewritten by buildFigures.
inline SlotTable pointCount{};
inline std::array<std::array<std::int32_t, headerSize>, maxSlots + 1> figureHeader{};
inline Table<std::int32_t, maxContours> contourStart{};
inline Table<std::int32_t, maxContours> contourEnd{};
inline Table<std::int32_t, maxPoints> outlineX{};
inline Table<std::int32_t, maxPoints> outlineY{};

inline std::int32_t contourCount(int slot) {
    return figureHeader[slot][contourCountField];
}

// The figure list of the settings dialog.
inline char figureNames[maxFigureNames][figureNameSize];
inline int figureNameCount;

void loadFigureNames();
void loadFigures();
// One slot's outline, as loadFigures reads it for every slot in use.
void loadSlotFigure(int slot);
// Reads these figures now and keeps them, so that later loads of them read no file (the
// clock's swaps, many a minute); none kept (count 0) reads every figure from the file again.
constexpr int maxKeptFigures = 32;
void keepFigures(const std::int32_t* numbers, int count);

// While the clock is on the row shows these figures (keys ZAHYO<n>, 0 for a blank cell) in
// place of the stored word; OPTIONN and OPTIONA keep the word for the settings dialog and for
// when the clock goes off.
struct ClockRow {
    bool on;
    std::int32_t length;
    std::array<std::int32_t, maxSlots + 1> figure; // entry 0 left empty
};
inline ClockRow clockRow{};

// One number field of an outline as atof reads it in the C locale (blanks, sign, decimal or
// hexadecimal digits with fraction and exponent, inf and nan; no number reads as 0), truncated
// toward zero into 32 bits, saturating.
std::int32_t fieldValue(std::string_view field);

} // namespace figures
