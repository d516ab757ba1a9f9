// The outline format shared by the program and the figure importer: one value of the outline
// section read into a figure record exactly as the program reads it, and the rule that decides
// whether the program draws that figure.
#pragma once

#include "figures/figures.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace figures {

// The program reads at most this many bytes of a figure's value, terminator included.
constexpr int figureValueSize = 512;

// "ZAHYO<number>", the key of a figure's value.
void figureKey(std::uint32_t number, char (&key)[16]);

// Names in the settings file are Shift-JIS bytes on every system: the Windows code page that
// converts them, whatever the system's own ANSI code page.
constexpr unsigned shiftJisCodePage = 932;

// One figure as its value holds it; entry 0 of the contour and point tables is left empty.
struct FigureRecord {
    std::int32_t points;
    std::array<std::int32_t, headerSize> header;
    std::array<std::int32_t, maxContours + 1> start;
    std::array<std::int32_t, maxContours + 1> end;
    std::array<std::int32_t, maxPoints + 1> x;
    std::array<std::int32_t, maxPoints + 1> y;
};

// Reads the fields after the name into record (missing fields read as 0, points past 45 are not
// read) and returns the name field.
std::string_view readFigureValue(std::string_view value, FigureRecord& record);

// The value text of a figure, as readFigureValue reads it back: name, point count, header,
// contour ranges, points. Returns its length, or 0 when it would not fit in the bytes the program
// reads.
int formatFigureValue(std::string_view name, const FigureRecord& record,
                      char (&value)[figureValueSize]);

// The name field alone.
std::string_view figureValueName(std::string_view value);

// A name equal to the end marker in any letter case ends the figure list like a missing key.
bool isEndMarker(std::string_view name, std::string_view marker);

// The program draws a figure only when every walk of the builder and the renderer over it stays
// inside the tables and meets every point once.
bool isWellFormed(const FigureRecord& record);

} // namespace figures
