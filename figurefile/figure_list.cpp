#include "figurefile/figure_list.h"

#include "settings/shift_jis.h"

#include <cstdio>

namespace figurefile {

void readFigureList(const IniText& text, std::string_view section, std::string_view endMarker,
                    FigureList& list) {
    list.count = 0;
    while (list.count < figures::maxFigureNames) {
        char key[16];
        figureKey(list.count + 1, key);
        std::string_view value;
        if (!iniValue(text, section, key, value) ||
            figures::isEndMarker(figures::figureValueName(value), endMarker)) {
            return;
        }
        list.value[++list.count] = value;
    }
}

int findFigure(const FigureList& list, std::string_view name) {
    for (int n = 1; n <= list.count; ++n) {
        if (figures::figureValueName(list.value[n]) == name) {
            return n;
        }
    }
    return 0;
}

void figureName(char32_t character, std::string_view shiftJis, char (&name)[maxNameBytes + 1]) {
    bool usable = false;
    if (shiftJis.size() == 1) {
        // Bytes that would end the name, read as a comment or quote, or vanish as a blank.
        auto byte = static_cast<unsigned char>(shiftJis[0]);
        usable = byte > 0x20 && byte != 0x7F &&
                 std::string_view(",;\"'=[").find(shiftJis[0]) == std::string_view::npos;
    } else if (shiftJis.size() == 2) {
        usable = settings::isShiftJisLead(static_cast<unsigned char>(shiftJis[0]));
    }
    if (usable) {
        std::snprintf(name, sizeof name, "%.*s", static_cast<int>(shiftJis.size()),
                      shiftJis.data());
    } else {
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
    }
}

} // namespace figurefile
