#include "figures/clock_form.h"

#include <windows.h>

#include <cstring>

namespace figures::clock {

namespace {

std::u16string_view textOf(const char16_t* text) {
    std::size_t n = 0;
    while (text[n] != u'\0') {
        ++n;
    }
    return {text, n};
}

// The locale's text, or "" when it has none (or a longer one than fits).
template <int N> void localeText(LCTYPE item, char16_t (&text)[N]) {
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, reinterpret_cast<wchar_t*>(text), N) == 0) {
        text[0] = u'\0';
    }
}

} // namespace

void takeForm(Form form, FormText& text) {
    text = {};
    if (form == Form::userSettings) {
        localeText(LOCALE_STIMEFORMAT, text.picture);
    }
    if (text.picture[0] == u'\0') {
        const std::u16string_view own =
            fixedPicture(form == Form::hoursMinutes ? form : Form::hoursMinutesSeconds);
        std::memcpy(text.picture, own.data(), own.size() * sizeof(char16_t));
    }
    localeText(LOCALE_S1159, text.morning);
    localeText(LOCALE_S2359, text.afternoon);
}

void writeTime(const Time& time, const FormText& form, Row& row) {
    writeTime(time, textOf(form.picture), {textOf(form.morning), textOf(form.afternoon)}, row);
}

} // namespace figures::clock
