// Adding the figures of a text to the settings file, in stages shared by the console importer
// and any other caller: start (the text's characters), plan (which key each new figure takes,
// on the file as read), fit (the caller's: a value per new figure), edit (the file's bytes).
// Every refusal leaves the file as it was and has a Japanese message.
//
// Keys: a figure takes the first key the program's list would reach that has no line at all
// (a gap), then the next such keys, walking over listed figures; so every added figure is in the
// list. Existing lines are never touched, except a figure's own line with "replace" and the
// spelling keys with "spell". A key the list stops at (the end marker, or a line without "=")
// is never passed: that refuses.
#pragma once

#include "figurefile/figure_list.h"
#include "figurefile/ini_text.h"
#include "figurefile/utf8.h"
#include "figures/format.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace figurefile {

enum class Refusal : std::uint8_t {
    none,
    utf16File,       // the file is UTF-16 (it starts with that byte-order mark)
    utf8File,        // the file starts with UTF-8's byte-order mark
    badText,         // malformed UTF-8 or too many characters
    noCharacters,    // blanks only
    tooManySpelled,  // more than the row's slots with "spell"
    endMarker,       // the list ends at stopKey with the end marker before a free key
    keyWithoutValue, // the list ends at stopKey, a line without "="
    listFull,        // the keys would run past the list's limit
    fileTooLarge,
    changedMeanwhile, // the file changed so that a figure not fitted is now needed
};

// The settings file's names for the figures' section and the list's end marker, as the caller
// read them (the words dialog's worker takes them from the dialog's thread).
struct SectionNames {
    char outline[32];
    char endMarker[16];
};

// The names the program read from its resources.
SectionNames programSectionNames();

struct AddWork {
    SectionNames names;
    bool spell, replace;
    Characters text;
    Characters distinct; // the characters to import, each once
    Characters spelled;  // the row to spell, blanks removed
    std::array<char[maxNameBytes + 1], maxTextCharacters + 1> name; // per distinct character
    std::array<int, maxTextCharacters + 1> existing;  // the key listing that name, or 0
    std::array<int, maxTextCharacters + 1> keyOf;     // where its figure is or goes
    std::array<bool, maxTextCharacters + 1> newValue; // a value is to be written for it
    std::array<bool, maxTextCharacters + 1> fitted;   // value holds its figure
    std::array<char[figures::figureValueSize], maxTextCharacters + 1> value;
    FigureList list;
    Refusal refusal;
    int stopKey;    // with endMarker and keyWithoutValue
    int newFigures; // with listFull
};

// The characters of the text, composed, in the program's sections; the figure names are the
// caller's to fill in (figureName).
Refusal startWork(std::string_view utf8, bool spell, bool replace, AddWork& work);
// The same on characters already decoded and composed, in the sections named.
Refusal startCharacters(const Characters& text, const SectionNames& names, bool spell, bool replace,
                        AddWork& work);

// The work of made started again on its text without the characters left out (the text was
// composed once already, so leaving one out never joins its neighbours), spelled as asked and
// holding the figures made fitted; its names and keys are the caller's to plan again.
Refusal workWithout(const AddWork& made, const Characters& leftOut, bool spell, AddWork& work);

// The stages read and write the file as Shift-JIS bytes. The profile functions read a file
// with a byte-order mark as Unicode, so bytes added to one would be garbage to them: such a file
// is refused as it is.
Refusal encodingRefusal(const IniText& text);

// Decides keys on the file's text as it is now (refusing a file with a byte-order mark); the
// list's values point into text.
Refusal planKeys(const IniText& text, AddWork& work);

// After planKeys on the file's latest text: refuses when a new value is needed that was not
// fitted (another writer removed a figure meanwhile).
Refusal checkFitted(AddWork& work);

// Writes the new values and, with spell, OPTIONN and OPTIONA1.. into text; fileTooLarge (text
// unchanged in what was not yet written) when it would outgrow maxFileBytes.
Refusal editSettings(IniText& text, AddWork& work);

// Who tells the user: the console tool speaks of itself and its options, a dialog of neither.
enum class Voice : std::uint8_t { console, dialog };

// The refusal as a Japanese sentence for the user.
void refusalText(const AddWork& work, wchar_t (&text)[512], Voice voice = Voice::console);

} // namespace figurefile
