// Long sequences of requests through the words dialog worker's platform-free part, as a user who
// keeps typing, pasting and changing the font would send them: the table of made figures stays
// within its bounds, the latest text always finds its own figures, every cell and note stays
// within its record, and the text handed to the importer is always one it accepts. Each request
// is a flag byte (font changed, OK pressed), a length byte and that many UTF-16 units.
#include "dialog/words_work.h"
#include "settings/settings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

using namespace dialog::words;

figurefile::SectionNames names;
MadeCache cache;
figurefile::AddWork work;
figurefile::IniText text;
figurefile::Characters characters;
Result result;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A file with a few figures listed, so that some characters show as stored.
void loadFile() {
    static const char file[] = "[MOJI ZAHYO]\r\nZAHYO1=A,1\r\nZAHYO2=U+3042,1\r\n";
    text.length = static_cast<int>(sizeof file - 1);
    std::memcpy(text.bytes.data(), file, sizeof file - 1);
}

// What a fit gave, picked by the character so that a run meets every outcome.
figurefile::FitOutcome outcomeOf(char32_t c) {
    return static_cast<figurefile::FitOutcome>(c % 6);
}

void answer(const wchar_t* typed, bool write) {
    result = Result{};
    textCharacters(typed, characters);
    wchar_t refusal[refusalUnits];
    if (!startText(characters, names, write, work, refusal)) {
        check(std::wcslen(refusal) < refusalUnits);
        return;
    }
    for (int i = 1; i <= work.distinct.count; ++i) {
        figurefile::figureName(work.distinct.at[i], "", work.name[i]);
    }
    if (figurefile::planKeys(text, work) != figurefile::Refusal::none) {
        return;
    }
    result.toFit = countToFit(work, cache);
    fillCells(work, characters, cache, result);
    for (int i = 1; i <= work.distinct.count; ++i) {
        const char32_t c = work.distinct.at[i];
        if (work.existing[i] == 0 && !findMade(cache, c)) {
            Made& made = madeEntry(cache, c);
            made.outcome = outcomeOf(c);
            made.lossy = c % 7 == 0;
            std::snprintf(made.value, sizeof made.value, "X,1");
            ++result.fittedSoFar;
            fillCells(work, characters, cache, result);
        }
    }
    check(cache.count >= 0 && cache.count <= madeCapacity);
    check(result.fittedSoFar == result.toFit);
    for (int i = 1; i <= work.distinct.count; ++i) {
        check(work.existing[i] != 0 || findMade(cache, work.distinct.at[i]) != nullptr);
    }
    check(result.count >= 0 && result.count <= figures::maxSlots);
    for (int s = 1; s <= result.count; ++s) {
        check(result.cell[s].mark != Mark::pending);
    }
    check(std::wcslen(result.note) < noteUnits);
    if (write) {
        // As the run leaves the unmade out and the held write plans it on the same file: every
        // new figure is there to write.
        static figurefile::AddWork made;
        figurefile::Characters unmade{};
        for (int i = 1; i <= work.distinct.count; ++i) {
            const Made* fitted = findMade(cache, work.distinct.at[i]);
            work.fitted[i] = fitted && fitted->outcome == figurefile::FitOutcome::fitted;
            if (fitted && !work.fitted[i]) {
                unmade.at[++unmade.count] = work.distinct.at[i];
            }
        }
        made = work;
        if (figurefile::workWithout(made, unmade, true, work) != figurefile::Refusal::none) {
            return;
        }
        for (int i = 1; i <= work.distinct.count; ++i) {
            figurefile::figureName(work.distinct.at[i], "", work.name[i]);
        }
        check(figurefile::planKeys(text, work) == figurefile::Refusal::none);
        check(figurefile::checkFitted(work) == figurefile::Refusal::none);
        spelledKeys(work, result);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool ready = false;
    if (!ready) {
        settings::loadSettingNames();
        names = figurefile::programSectionNames();
        loadFile();
        ready = true;
    }
    forgetMade(cache);
    std::size_t at = 0;
    while (at + 2 <= size) {
        const std::uint8_t flags = data[at];
        const std::size_t units =
            std::min<std::size_t>(data[at + 1] % (maxTextUnits + 1), (size - at - 2) / 2);
        at += 2;
        wchar_t typed[maxTextUnits + 1];
        for (std::size_t k = 0; k < units; ++k, at += 2) {
            typed[k] = static_cast<wchar_t>(data[at] | data[at + 1] << 8);
        }
        typed[units] = L'\0';
        if (flags & 1) {
            forgetMade(cache);
        }
        answer(typed, (flags & 2) != 0);
    }
    return 0;
}
