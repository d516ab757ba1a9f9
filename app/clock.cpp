// The clock: while TOKEI is on, the row shows the time of the system clock in the chosen form.
// Every timer tick reads the clock (so nothing drifts, and a change of the system time or time
// zone shows at the next tick); when the shown second or minute changes, only the slots whose
// character changed take their new figure, and the row keeps its place, travel and angles.
#include "app/app.h"
#include "figurefile/figure_list.h"
#include "figures/bounds.h"
#include "figures/builder.h"
#include "figures/clock_form.h"
#include "figures/figures.h"
#include "settings/settings.h"

#include <array>
#include <cstring>
#include <string_view>

namespace app {

namespace {

// The form of the row, taken at every build.
figures::clock::FormText form;
// The time the row shows, to see when the next tick must change it.
SYSTEMTIME shown;

// Every figure the form can show read once: the digits and whatever a morning and an afternoon
// time show besides.
void keepFormFigures() {
    std::array<std::int32_t, figures::maxKeptFigures> numbers{};
    int count = 0;
    auto add = [&](char32_t c) {
        const std::int32_t figure = clockFigure(c);
        for (int i = 0; i < count; ++i) {
            if (numbers[static_cast<std::size_t>(i)] == figure) {
                return;
            }
        }
        if (figure != 0 && count < figures::maxKeptFigures) {
            numbers[static_cast<std::size_t>(count++)] = figure;
        }
    };
    for (char32_t digit = U'0'; digit <= U'9'; ++digit) {
        add(digit);
    }
    for (WORD hour : {0, 12}) {
        figures::clock::Row row{};
        SYSTEMTIME time{};
        time.wHour = hour;
        clockText(time, row);
        for (int k = 1; k <= row.length; ++k) {
            add(row.cell[k]);
        }
    }
    figures::keepFigures(numbers.data(), count);
}

bool sameShownTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

} // namespace

void clockText(const SYSTEMTIME& time, figures::clock::Row& row) {
    figures::clock::writeTime({time.wHour, time.wMinute, time.wSecond}, form, row);
}

SYSTEMTIME systemLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

std::int32_t clockFigure(char32_t character) {
    if (character == 0) {
        return 0;
    }
    char bytes[8];
    int length = 0;
    if (character <= 0xFFFF) {
        const wchar_t text = static_cast<wchar_t>(character);
        BOOL lost = FALSE;
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &text, 1, bytes, sizeof bytes,
                                          nullptr, &lost);
        length = n > 0 && !lost ? n : 0;
    }
    char name[figurefile::maxNameBytes + 1];
    figurefile::figureName(character, std::string_view(bytes, static_cast<std::size_t>(length)),
                           name);
    for (int n = 0; n < figures::figureNameCount; ++n) {
        if (std::strcmp(figures::figureNames[n], name) == 0) {
            return n + 1;
        }
    }
    return 0;
}

void setClockRow() {
    figures::clockRow = {};
    figures::clockRow.on = settings::TOKEI != 0;
    if (!figures::clockRow.on) {
        figures::keepFigures(nullptr, 0);
        return;
    }
    // The file's figure list may have grown since the last build (the words dialog adds to it).
    figures::loadFigureNames();
    figures::clock::takeForm(figures::clock::formOf(settings::TOKEIFORM), form);
    keepFormFigures();
    shown = readClock();
    figures::clock::Row row{};
    clockText(shown, row);
    figures::clockRow.length = row.length;
    for (int k = 1; k <= row.length; ++k) {
        figures::clockRow.figure[k] = clockFigure(row.cell[k]);
    }
}

void tickClock() {
    if (!figures::clockRow.on) {
        return;
    }
    const SYSTEMTIME now = readClock();
    if (sameShownTime(now, shown)) {
        return;
    }
    shown = now;
    figures::clock::Row row{};
    clockText(now, row);
    // A form whose designators differ in length changes the row's length: the row is laid out
    // again from the middle.
    if (row.length != figures::clockRow.length) {
        rebuildFigures();
        return;
    }
    for (int k = 1; k <= row.length; ++k) {
        const std::int32_t figure = clockFigure(row.cell[k]);
        if (figure != figures::clockRow.figure[k]) {
            figures::clockRow.figure[k] = figure;
            figures::swapSlotFigure(k);
        }
    }
}

} // namespace app
