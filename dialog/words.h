// The words dialog's parts: its procedure (words_dialog_win32.cpp), the worker thread that
// plans, fits and writes off the dialog's thread (words_worker_win32.cpp) and the preview
// (words_preview_win32.cpp). The dialog asks by a request record and the worker answers in a
// result record, both guarded by one lock; the worker posts resultMessage (wParam: the request's
// number) whenever the result changed.
#pragma once

#include <windows.h>

#include "dialog/words_work.h"

namespace dialog::words {

constexpr UINT resultMessage = WM_APP + 20;

struct Request {
    unsigned number; // every request has a new one; older work is abandoned
    wchar_t text[maxTextUnits + 1];
    wchar_t face[LF_FACESIZE]; // empty: the default faces
    bool bold, italic;
    bool spell;          // the row is to spell the text
    bool spellInMemory;  // the spelling stays with the caller (the settings dialog's live edits)
    bool write;          // OK: add the figures to the settings file
    bool wholeOrNothing; // OK writes nothing when a character cannot be made (the clock's)
    bool quit;
    // The settings file and its sections, as the dialog's thread knows them.
    wchar_t path[MAX_PATH];
    bool writable;
    figurefile::SectionNames names;
};

// Starts the worker for the dialog window; stopWorker ends it (waiting for the character being
// fitted) and forgets its results.
void startWorker(HWND dialogWindow);
void stopWorker();

// Hands the worker a request (its number filled in and returned).
unsigned ask(Request& request);
// Takes back every request not yet begun writing; false when a write has begun.
bool withdraw();
// A copy of the latest result, taken under the lock.
void latestResult(Result& result);

// The choice of the time instead of the text (words_clock_win32.cpp): set up from the clock's
// settings, its controls enabled as chosen; the characters of the time now (every: all the form
// can show); the clock's keys kept at OK.
void setUpClockChoice(HWND dialogWindow);
void showChoice(HWND dialogWindow);
bool clockChosen(HWND dialogWindow);
void clockCharacters(HWND dialogWindow, bool every, wchar_t (&text)[maxTextUnits + 1]);
void keepClockChoice(HWND dialogWindow);

// Draws the result's cells into the preview control.
void drawPreview(const DRAWITEMSTRUCT& item, const Result& result);

} // namespace dialog::words
