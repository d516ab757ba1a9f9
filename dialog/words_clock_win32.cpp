// The words dialog's choice of the time instead of the typed text: the forms offered, the
// characters the preview shows (the time now) and those OK makes (every one the form can show),
// and the clock's keys, written at OK only when the choice or the form changed.
#include "dialog/words.h"
#include "figurefile/utf8.h"
#include "figures/clock_form.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace dialog::words {

namespace {

using figures::clock::Form;

// The time of day in the form, as the row will show it.
void rowAt(const SYSTEMTIME& time, Form form, figures::clock::Row& row) {
    figures::clock::FormText text;
    figures::clock::takeForm(form, text);
    figures::clock::writeTime({time.wHour, time.wMinute, time.wSecond}, text, row);
}

// The row's characters as text, blank cells left out, each character once when distinct.
void appendRow(const figures::clock::Row& row, bool distinct, wchar_t (&text)[maxTextUnits + 1]) {
    for (int k = 1; k <= row.length; ++k) {
        const char32_t c = row.cell[k];
        if (c == 0) {
            continue;
        }
        wchar_t units[3];
        figurefile::utf16Units(c, units);
        const bool present = distinct && wcsstr(text, units) != nullptr;
        if (!present && lstrlenW(text) + lstrlenW(units) <= maxTextUnits) {
            lstrcatW(text, units);
        }
    }
}

} // namespace

bool clockChosen(HWND dialogWindow) {
    return IsDlgButtonChecked(dialogWindow, IDC_WORDS_USE_CLOCK) == BST_CHECKED;
}

Form chosenForm(HWND dialogWindow) {
    const LRESULT item = SendDlgItemMessageW(dialogWindow, IDC_WORDS_FORM, CB_GETCURSEL, 0, 0);
    return figures::clock::formOf(item == CB_ERR ? 1 : static_cast<std::int32_t>(item) + 1);
}

void showChoice(HWND dialogWindow) {
    const bool clock = clockChosen(dialogWindow);
    EnableWindow(GetDlgItem(dialogWindow, IDC_WORDS_TEXT), !clock);
    EnableWindow(GetDlgItem(dialogWindow, IDC_WORDS_SPELL), !clock);
    EnableWindow(GetDlgItem(dialogWindow, IDC_WORDS_FORM), clock);
}

void setUpClockChoice(HWND dialogWindow) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t user[64] = L"";
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, user, 64);
    wchar_t own[96];
    wsprintfW(own, L"Windows の時刻の形式 (%s)", user);
    for (const wchar_t* item :
         {L"時:分:秒 (13:05:09)", L"時:分 (13:05)", static_cast<const wchar_t*>(own)}) {
        SendDlgItemMessageW(dialogWindow, IDC_WORDS_FORM, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(item));
    }
    const auto form = static_cast<WPARAM>(figures::clock::formOf(settings::TOKEIFORM)) - 1;
    SendDlgItemMessageW(dialogWindow, IDC_WORDS_FORM, CB_SETCURSEL, form, 0);
    CheckRadioButton(dialogWindow, IDC_WORDS_USE_TEXT, IDC_WORDS_USE_CLOCK,
                     settings::TOKEI != 0 ? IDC_WORDS_USE_CLOCK : IDC_WORDS_USE_TEXT);
    showChoice(dialogWindow);
}

void clockCharacters(HWND dialogWindow, bool every, wchar_t (&text)[maxTextUnits + 1]) {
    text[0] = L'\0';
    const Form form = chosenForm(dialogWindow);
    figures::clock::Row row{};
    if (!every) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        rowAt(now, form, row);
        appendRow(row, false, text);
        return;
    }
    // Every digit, and whatever else a morning and an afternoon time show.
    lstrcatW(text, L"0123456789");
    SYSTEMTIME time{};
    for (WORD hour : {0, 12}) {
        time.wHour = hour;
        rowAt(time, form, row);
        appendRow(row, true, text);
    }
}

void keepClockChoice(HWND dialogWindow) {
    const settings::Value on = clockChosen(dialogWindow) ? 1 : 0;
    const settings::Value form =
        on ? static_cast<settings::Value>(chosenForm(dialogWindow)) : settings::TOKEIFORM;
    if ((on != 0) != (settings::TOKEI != 0) || form != settings::TOKEIFORM) {
        settings::TOKEI = on;
        settings::TOKEIFORM = form;
        settings::writeClockSettings();
    }
}

} // namespace dialog::words
