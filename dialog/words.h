// The words dialog's parts: its procedure (words_dialog_win32.cpp), the worker thread that
// plans, fits and writes off the dialog's thread (words_worker_win32.cpp) and the preview
// (words_preview_win32.cpp). The dialog asks by a request record and the worker answers in a
// result record, both guarded by one lock; the worker posts resultMessage (wParam: the request's
// number) whenever the result changed.
#pragma once

#include <windows.h>

#include "figures/format.h"

#include <array>
#include <cstdint>

namespace dialog::words {

constexpr UINT resultMessage = WM_APP + 20;

// The edit control holds at most this many UTF-16 units.
constexpr int maxTextUnits = 64;

struct Request {
    unsigned number; // every request has a new one; older work is abandoned
    wchar_t text[maxTextUnits + 1];
    wchar_t face[LF_FACESIZE]; // empty: the default faces
    bool bold, italic;
    bool spell;         // the row is to spell the text
    bool spellInMemory; // the spelling stays with the caller (the settings dialog's live edits)
    bool write;         // OK: add the figures to the settings file
    bool quit;
};

// stored: the file has the figure already, and it is used as it is.
enum class Mark : std::uint8_t { pending, sound, stored, lossy, unmade };

struct Cell {
    char32_t character;
    Mark mark;
    char value[figures::figureValueSize]; // the figure as it is or will be stored
};

struct Result {
    unsigned number; // of the request answered
    bool finished;   // every cell is made (or known to be unmade)
    bool writing;    // the worker has begun to write: the request can no longer be taken back
    bool written;    // OK's work is done and the file changed
    int toFit, fittedSoFar;
    int count; // cells, in the order of the text, blanks left out
    std::array<Cell, figures::maxSlots + 1> cell;
    wchar_t note[512];     // the characters marked, by name
    wchar_t refusal[1024]; // why OK wrote nothing, or what it had to say
    int spelledCount;
    std::array<int, figures::maxSlots + 1> spelledKeys; // figure list items (ZAHYO numbers)
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

// Draws the result's cells into the preview control.
void drawPreview(const DRAWITEMSTRUCT& item, const Result& result);

} // namespace dialog::words
