// The words dialog worker's platform-free part: the typed text as characters (pairs joined,
// decomposed marks composed, a lone surrogate kept as the unmakeable code it is), the figures
// already fitted with the current font (a bounded table: the oldest unused entry makes room),
// the text the add stages are asked to plan, and the preview's cells and note.
#pragma once

#include "figurefile/add_stages.h"
#include "figurefile/figure_plan.h"
#include "figures/format.h"

#include <array>
#include <cstdint>

namespace dialog::words {

// The edit control holds at most this many UTF-16 units.
constexpr int maxTextUnits = 64;
constexpr int noteUnits = 512;
constexpr int refusalUnits = 1024;

// stored: the file has the figure already, and it is used as it is.
enum class Mark : std::uint8_t { pending, sound, stored, lossy, unmade };

struct Cell {
    char32_t character;
    Mark mark;
    figurefile::FitOutcome outcome;       // with unmade
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
    wchar_t note[noteUnits];       // the characters marked, by name
    wchar_t refusal[refusalUnits]; // why OK wrote nothing
    wchar_t notice[refusalUnits];  // what a finished OK has to tell (the backup copy)
    int spelledCount;
    std::array<int, figures::maxSlots + 1> spelledKeys; // figure list items (ZAHYO numbers)
};

// A character fitted with the current font.
struct Made {
    char32_t character;
    figurefile::FitOutcome outcome;
    bool lossy;
    std::uint64_t used; // the cache's clock when last looked up
    char value[figures::figureValueSize];
};

// Four times the distinct characters a text can hold: a text's own figures are always the
// latest used, so making room never drops one of them.
constexpr int madeCapacity = 4 * maxTextUnits;

struct MadeCache {
    int count;
    std::uint64_t clock;
    std::array<Made, madeCapacity + 1> entry;
};

// A new font makes every figure made so far useless.
void forgetMade(MadeCache& cache);
// The character's figure made with the current font, or null.
const Made* findMade(MadeCache& cache, char32_t c);
// The entry to fill with the character's figure: its own, a free one, or the least recently used.
Made& madeEntry(MadeCache& cache, char32_t c);

// An unpaired surrogate of the text, which no font can draw.
constexpr bool isLoneSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The characters of the typed units, composed.
void textCharacters(const wchar_t* units, figurefile::Characters& characters);

// The characters to import: without lone surrogates (composed once already, so leaving
// one out never joins its neighbours). The characters that turn out unmakeable are left out by
// the run before its write.
void importedCharacters(const figurefile::Characters& characters, figurefile::Characters& imported);

// Starts adding the text's figures (no file involved yet): false with the refusal's text
// (empty for a blank text not being written).
bool startText(const figurefile::Characters& characters, const figurefile::SectionNames& names,
               bool write, figurefile::AddWork& work, wchar_t (&refusal)[refusalUnits]);

// The characters of the planned work that have no figure yet.
int countToFit(const figurefile::AddWork& work, MadeCache& cache);

// The cells in the order of the text (a figure in the file shows as it is there) and the note
// naming the marked characters, each once.
void fillCells(const figurefile::AddWork& work, const figurefile::Characters& characters,
               MadeCache& cache, Result& result);

// The figure list items the spelled row uses after a write.
void spelledKeys(const figurefile::AddWork& work, Result& result);

} // namespace dialog::words
