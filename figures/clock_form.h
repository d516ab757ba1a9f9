// The form of the clock's row as the system gives it: the picture and the morning and afternoon
// designators of the user's Windows time settings, or the program's own picture. Shared by the
// program's clock and the words dialog's preview.
#pragma once

#include "figures/clock_text.h"

namespace figures::clock {

struct FormText {
    char16_t picture[80];
    char16_t morning[16];
    char16_t afternoon[16];
};

void takeForm(Form form, FormText& text);

// The row's characters for a time of day in that form.
void writeTime(const Time& time, const FormText& form, Row& row);

} // namespace figures::clock
