// The Windows stages of adding a text's figures, shared by kesta-figures and the program's words
// dialog (add_stages_win32.cpp): the font chosen by name or by default, one character fitted
// into its figure value with what went wrong or was lost, and the held edit of the settings file
// with the backup copy and the retries. Nothing here prints; every outcome has a Japanese text.
// The glyph reader behind them keeps one font open: one thread at a time may fit.
#pragma once

#include "figurefile/figure_plan.h"
#include "figurefile/settings_file.h"
#include "fitter/fit.h"
#include "glyphs/glyph_reader.h"
#include "settings/backup.h"

namespace figurefile {

// The fitter's work records and the glyph reader's one open font belong to the process: a thread
// that fits while another may holds the fitter from opening the font until it is closed, and any
// other thread waits in holdFitter meanwhile.
void holdFitter();
void releaseFitter();

// The figure names of the work's characters (after startWork).
void nameCharacters(AddWork& work);

// Faces tried in turn when none is named.
constexpr const wchar_t* defaultFaces[] = {L"Noto Sans CJK JP", L"Yu Gothic", L"MS Gothic"};

// Opens the named face, or with an empty name the first default face installed (opened receives
// it); notInstalled with an empty name means none of the defaults is there.
glyphs::FontFault openFaceOrDefault(const wchar_t* face, bool bold, bool italic,
                                    fitter::FontFrame& frame, wchar_t (&opened)[32]);
void noDefaultFaceText(wchar_t (&text)[256], Voice voice = Voice::console);
// Why the named face did not open (notInstalled: chosen is the face GDI put in its place).
void fontFaultText(glyphs::FontFault fault, const wchar_t* face, const wchar_t* chosen,
                   wchar_t (&text)[256]);

// The character as text for messages: 「あ」(U+3042), or U+XXXX when it is not printable.
void characterText(char32_t c, wchar_t (&text)[16]);

// stopped: the caller's stop test said so between the reading and the fit.
enum class FitOutcome : std::uint8_t {
    fitted,
    missing,
    empty,
    unreadable,
    mismatch,
    tooLong,
    stopped
};

struct CharacterFit {
    FitOutcome outcome;
    double readOverlap; // with mismatch
    int points, contours;
    fitter::FitReport report; // with fitted
};

// Reads the character from the open font and fits it into value under name; a caller whose
// work may be abandoned meanwhile gives a stop test, asked between the stages.
CharacterFit fitCharacter(char32_t c, const fitter::FontFrame& frame,
                          const char (&name)[maxNameBytes + 1],
                          char (&value)[figures::figureValueSize], bool (*stop)() = nullptr);

// Why a character could not be fitted (a fitted one gives an empty text).
void fitFailureText(char32_t c, const CharacterFit& fit, wchar_t (&text)[256]);
// The fitted figure's points, contours and overlap; the notes on lost contours and a rough
// shape (empty when there is nothing to note).
void fitSummaryText(char32_t c, const CharacterFit& fit, wchar_t (&text)[256]);
void droppedContoursText(const CharacterFit& fit, wchar_t (&text)[256]);
void roughShapeText(const CharacterFit& fit, wchar_t (&text)[256]);

// Contours lost or a rough shape: the figure differs from the glyph where anyone sees it.
inline bool fitLosesPieces(const CharacterFit& fit) {
    return fit.outcome == FitOutcome::fitted &&
           (fit.report.droppedContours > 0 || fit.report.fitted < fitter::roughOverlap);
}

struct WriteOutcome {
    settings::BackupReport backup;
    bool mayRewrite; // false: stopped at the backup, nothing written
    FileResult result;
};

// Keeps the backup copy when the file needs one, then plans the work's keys again on the file
// held as it is now, edits and replaces it, retrying while another process races the rename.
// A refusal on the latest text is left in work.refusal (the file unchanged).
void writeWork(const wchar_t* path, bool missingIsEmpty, AddWork& work, IniText& text,
               WriteOutcome& outcome);

// The texts of a backup copy made or not made (empty when there is nothing to say).
void backupText(const settings::BackupReport& report, const wchar_t* path, wchar_t (&text)[512]);
// Why a read (or, with writing, a write) of the file was not done; empty when it was.
void fileResultText(FileResult result, bool writing, const wchar_t* path, wchar_t (&text)[512]);

} // namespace figurefile
