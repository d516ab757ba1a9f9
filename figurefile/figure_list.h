// The figure list of the settings file's outline section, as the program lists it (keys ZAHYO1,
// ZAHYO2, ... up to the first missing key or end-marker name), and the text of a figure's value.
#pragma once

#include "figurefile/ini_text.h"
#include "figures/format.h"

#include <array>
#include <string_view>

namespace figurefile {

struct FigureList {
    int count;                                                       // keys 1..count are listed
    std::array<std::string_view, figures::maxFigureNames + 1> value; // entry 0 left empty
};

void readFigureList(const IniText& text, std::string_view section, std::string_view endMarker,
                    FigureList& list);

// The key number listing a figure of this name, or 0.
int findFigure(const FigureList& list, std::string_view name);

// "ZAHYO<number>", as the program names the keys.
using figures::figureKey;

constexpr int maxValueChars = figures::figureValueSize - 1;
using figures::formatFigureValue;

// The name of a figure for a character: its Shift-JIS bytes when it has a form there that the
// file can hold as a name, otherwise "U+XXXX".
constexpr int maxNameBytes = figures::figureNameSize - 4;
void figureName(char32_t character, std::string_view shiftJis, char (&name)[maxNameBytes + 1]);

} // namespace figurefile
