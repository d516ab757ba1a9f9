#include "figures/clock_text.h"

namespace figures::clock {

namespace {

// A day's clock from any 32-bit values: the remainder taken toward minus infinity.
std::int32_t held(std::int32_t value, std::int32_t period) {
    const std::int64_t rest = std::int64_t{value} % period;
    return static_cast<std::int32_t>(rest < 0 ? rest + period : rest);
}

void put(Row& row, char32_t character) {
    if (row.length < maxSlots) {
        row.cell[static_cast<std::size_t>(++row.length)] = character;
    }
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\u3000' || c == U'\t';
}

// UTF-16 text, pairs joined; a lone surrogate stands as it is (no figure is named by it).
void putText(Row& row, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        put(row, isBlank(c) ? 0 : c);
    }
}

// A number with two digits, or with one and the room for a second before it.
void putNumber(Row& row, std::int32_t value, bool twoDigits) {
    if (value < 10) {
        put(row, twoDigits ? U'0' : 0);
    } else {
        put(row, static_cast<char32_t>(U'0' + value / 10));
    }
    put(row, static_cast<char32_t>(U'0' + value % 10));
}

// The first character of a designator, a surrogate pair whole.
std::u16string_view firstOf(std::u16string_view text) {
    if (text.empty()) {
        return text;
    }
    const bool pair = text.size() >= 2 && text[0] >= 0xD800 && text[0] < 0xDC00;
    return text.substr(0, pair ? 2 : 1);
}

// Text in quotes from `from` on, up to the closing quote; two quotes stand for one. Returns the
// place after the closing quote.
std::size_t putQuoted(Row& row, std::u16string_view picture, std::size_t from) {
    std::size_t i = from;
    while (i < picture.size()) {
        if (picture[i] != u'\'') {
            ++i;
            continue;
        }
        putText(row, picture.substr(from, i - from));
        if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
            put(row, U'\'');
            from = i += 2;
            continue;
        }
        return i + 1;
    }
    putText(row, picture.substr(from));
    return i;
}

} // namespace

Form formOf(std::int32_t stored) {
    switch (stored) {
    case 2: return Form::hoursMinutes;
    case 3: return Form::userSettings;
    default: return Form::hoursMinutesSeconds;
    }
}

void writeTime(const Time& time, std::u16string_view picture, const Designators& designators,
               Row& row) {
    row = {};
    const std::int32_t hour = held(time.hour, 24);
    const std::int32_t minute = held(time.minute, 60);
    const std::int32_t second = held(time.second, 60);
    const std::int32_t hour12 = hour % 12 == 0 ? 12 : hour % 12;
    const std::u16string_view designator = hour < 12 ? designators.morning : designators.afternoon;

    std::size_t i = 0;
    while (i < picture.size()) {
        const char16_t letter = picture[i];
        if (letter == u'\'') {
            i = putQuoted(row, picture, i + 1);
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == letter) {
            ++run;
        }
        if (letter >= 0xD800 && letter < 0xDC00) {
            run = i + 1 < picture.size() ? 2 : 1; // a pair is one character
        }
        const bool two = run >= 2;
        switch (letter) {
        case u'h': putNumber(row, hour12, two); break;
        case u'H': putNumber(row, hour, two); break;
        case u'm': putNumber(row, minute, two); break;
        case u's': putNumber(row, second, two); break;
        case u't': putText(row, two ? designator : firstOf(designator)); break;
        default: putText(row, picture.substr(i, run)); break;
        }
        i += run;
    }
}

} // namespace figures::clock
