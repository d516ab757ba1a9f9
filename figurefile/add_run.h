// One run of adding a text's figures to the settings file, the sequence kesta-figures and the
// words dialog share (add_run_win32.cpp): the work planned on the file as it is, the new figures
// fitted (or taken from the caller, who made them before), the characters that could not be made
// left out, and the held write. kesta-figures runs it whole (addFigures); the dialog runs the
// first two stages for its preview and the rest when OK is pressed. Every outcome is told to the
// caller's hooks as it happens; nothing here prints or draws.
#pragma once

#include "figurefile/add_stages.h"

#include <cstdint>

namespace figurefile {

// A file named on the command line must exist; the program's own file may be new.
enum class MissingFile : std::uint8_t { readsEmpty, refused };

// The console opens the font it is told to use even when every figure is stored already, so
// that a face that is not there is said; the dialog opens one only to fit.
enum class FontOpening : std::uint8_t { first, whenNeeded };

struct AddRun {
    // The caller's, with work started (startCharacters) before the run.
    const wchar_t* path;
    MissingFile missing;
    Voice voice;
    FontOpening fontOpening;
    bool spell; // the work's spelling once the unmade characters are left out
    AddWork work;
    // The run's own.
    IniText file;
    AddWork made; // the work as fitted, before the characters not made were left out
    Characters unmade;
    WriteOutcome outcome;
};

// What a run says: every refusal and failure ends it; the backup copy's text comes before the
// write's outcome.
enum class Told : std::uint8_t { refusal, backupCopied, backupNotCopied };

// The caller's hooks; any but tell may be null.
struct AddHooks {
    void* caller;
    void (*tell)(void* caller, Told told, const wchar_t* text);
    // Asked before the first fit; false ends the run (having told why). closeFont follows the
    // fitting when it opened.
    bool (*openFont)(void* caller, const fitter::FontFrame*& frame);
    void (*closeFont)(void* caller);
    // The caller's own result for c, fitted before with the same font: its outcome and, when
    // fitted, its value. False: fit it now.
    bool (*known)(void* caller, char32_t c, FitOutcome& outcome,
                  char (&value)[figures::figureValueSize]);
    // Character i of work.distinct fitted now (made or not; a made one's value is in work.value),
    // or kept: the file has its figure and it is not replaced.
    void (*fitted)(void* caller, int i, const CharacterFit& fit);
    void (*kept)(void* caller, int i);
    // Asked before every fit and between its stages; true stops the run.
    bool (*stop)();
};

// The figure names, and the keys planned on the file as it is now.
bool planRun(AddRun& run, const AddHooks& hooks);
// Every character with a new value fitted or known; those not made listed in run.unmade. False
// when the font did not open or the run was stopped.
bool fitRun(AddRun& run, const AddHooks& hooks);
// The work started again without the unmade characters, spelled as run.spell says, holding the
// figures already fitted (the write plans its keys again on the file it holds).
bool leaveOutUnmade(AddRun& run, const AddHooks& hooks);
// The held write, with the backup copy when the file needs one.
bool writeRun(AddRun& run, const AddHooks& hooks);

// The stages in turn, with a refusal before the slow fitting when the file may not be written:
// true when the file was written. A run that left characters out and has
// nothing new to write nor a row to spell stops before the write, with nothing to tell.
bool addFigures(AddRun& run, const AddHooks& hooks);

} // namespace figurefile
