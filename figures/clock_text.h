// The characters of the row while it shows the time: a time and a time picture (the letters of
// the Windows time format, h hh H HH m mm s ss t tt, text in single quotes taken as it stands)
// give one character per slot cell. Platform-free; the program takes the picture of the user's
// Windows time settings from the system, or one of its own fixed forms.
#pragma once

#include "figures/figures.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace figures::clock {

// The forms the words dialog offers, as stored in the settings file; any other stored value
// reads as the first.
enum class Form : std::int32_t { hoursMinutesSeconds = 1, hoursMinutes = 2, userSettings = 3 };
Form formOf(std::int32_t stored);

// The pictures of the program's own forms: two digits everywhere, so the row keeps its length
// all day.
constexpr std::u16string_view fixedPicture(Form form) {
    return form == Form::hoursMinutes ? u"HH:mm" : u"HH:mm:ss";
}

struct Time {
    std::int32_t hour, minute, second; // any values; held to a day's clock (hour modulo 24 ...)
};

// One character a cell, 0 for a blank cell (a blank of the text, or the room kept before an
// hour of one digit, so that the row neither grows nor shifts when the hour gains its second
// digit). Cells beyond the 26 slots are left out.
struct Row {
    int length;
    std::array<char32_t, maxSlots + 1> cell; // entry 0 left empty
};

struct Designators {
    std::u16string_view morning, afternoon; // 午前 / 午後, AM / PM
};

void writeTime(const Time& time, std::u16string_view picture, const Designators& designators,
               Row& row);

} // namespace figures::clock
