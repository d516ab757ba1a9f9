#include "dialog/words_work.h"

#include "figurefile/compose.h"
#include "figurefile/utf8.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace dialog::words {

namespace {

// Text pieces appended to a note, cut at its end.
template <std::size_t N> void append(wchar_t (&text)[N], const wchar_t* piece) {
    std::size_t at = std::wcslen(text);
    for (; *piece != L'\0' && at + 1 < N; ++piece) {
        text[at++] = *piece;
    }
    text[at] = L'\0';
}

// 「あ」(U+3042), or U+XXXX alone for a control character or a lone surrogate: a character the
// dialog's font may lack is still named.
void namedWithCode(char32_t c, wchar_t (&text)[24]) {
    wchar_t units[3];
    figurefile::utf16Units(c, units);
    wchar_t code[12] = L"U+";
    constexpr wchar_t digits[] = L"0123456789ABCDEF";
    int n = 2;
    for (int shift = c > 0xFFFFF ? 20 : c > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4) {
        code[n++] = digits[(c >> shift) & 0xF];
    }
    code[n] = L'\0';
    text[0] = L'\0';
    if (c >= 0x20 && !isLoneSurrogate(c) && c != 0x7F) {
        append(text, L"「");
        append(text, units);
        append(text, L"」(");
        append(text, code);
        append(text, L")");
    } else {
        append(text, code);
    }
}

// The index of the character among the work's distinct ones, or 0.
int distinctIndex(const figurefile::AddWork& work, char32_t c) {
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (work.distinct.at[i] == c) {
            return i;
        }
    }
    return 0;
}

bool madeUnmade(const Made* made) {
    return made && made->outcome != figurefile::FitOutcome::fitted;
}

enum class Listing : std::uint8_t { lacking, unreadable, unmakeable, lossy, stored };

bool listedAs(const Cell& cell, Listing listing) {
    using figurefile::FitOutcome;
    const bool unmade = cell.mark == Mark::unmade;
    switch (listing) {
    case Listing::lacking: return unmade && cell.outcome == FitOutcome::missing;
    case Listing::unreadable:
        return unmade &&
               (cell.outcome == FitOutcome::mismatch || cell.outcome == FitOutcome::unreadable);
    case Listing::unmakeable:
        return unmade && (cell.outcome == FitOutcome::empty || cell.outcome == FitOutcome::tooLong);
    case Listing::lossy: return cell.mark == Mark::lossy;
    case Listing::stored: return cell.mark == Mark::stored;
    }
    return false;
}

// The characters of one listing, each once. Those left out are named with their code, and so is
// a character beyond U+FFFF, which the dialog's font is likely to lack: coded names stand apart.
void appendListing(Result& result, const wchar_t* heading, Listing listing) {
    const bool leftOut = listing != Listing::lossy && listing != Listing::stored;
    bool any = false, codedBefore = false;
    for (int s = 1; s <= result.count; ++s) {
        const Cell& cell = result.cell[s];
        bool earlier = false;
        for (int t = 1; t < s && !earlier; ++t) {
            earlier = result.cell[t].character == cell.character;
        }
        if (earlier || !listedAs(cell, listing)) {
            continue;
        }
        const bool coded = leftOut || cell.character > 0xFFFF;
        if (!any) {
            append(result.note, result.note[0] ? L"\n" : L"");
            append(result.note, heading);
        } else if (coded || codedBefore) {
            append(result.note, L"、");
        }
        any = true;
        codedBefore = coded;
        wchar_t shown[24];
        if (coded) {
            namedWithCode(cell.character, shown);
        } else {
            wchar_t units[3];
            figurefile::utf16Units(cell.character, units);
            std::memcpy(shown, units, sizeof units);
        }
        append(result.note, shown);
    }
}

} // namespace

void forgetMade(MadeCache& cache) {
    cache.count = 0;
}

const Made* findMade(MadeCache& cache, char32_t c) {
    for (int i = 1; i <= cache.count; ++i) {
        if (cache.entry[i].character == c) {
            cache.entry[i].used = ++cache.clock;
            return &cache.entry[i];
        }
    }
    return nullptr;
}

Made& madeEntry(MadeCache& cache, char32_t c) {
    int chosen = 0;
    for (int i = 1; i <= cache.count && chosen == 0; ++i) {
        chosen = cache.entry[i].character == c ? i : 0;
    }
    if (chosen == 0 && cache.count < madeCapacity) {
        chosen = ++cache.count;
    }
    for (int i = 1; chosen == 0 && i <= cache.count; ++i) {
        chosen = i;
        for (int j = i + 1; j <= cache.count; ++j) {
            chosen = cache.entry[j].used < cache.entry[chosen].used ? j : chosen;
        }
    }
    Made& made = cache.entry[chosen];
    made = Made{};
    made.character = c;
    made.used = ++cache.clock;
    return made;
}

void textCharacters(const wchar_t* units, figurefile::Characters& characters) {
    characters.count = 0;
    for (int i = 0; units[i] != L'\0' && characters.count < figurefile::maxTextCharacters; ++i) {
        char32_t c = static_cast<char16_t>(units[i]);
        const auto next = static_cast<char16_t>(units[i + 1]);
        if (c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        }
        characters.at[++characters.count] = c;
    }
    figurefile::composeCharacters(characters);
}

void importedCharacters(const figurefile::Characters& characters,
                        figurefile::Characters& imported) {
    imported.count = 0;
    for (int i = 1; i <= characters.count; ++i) {
        const char32_t c = characters.at[i];
        if (!isLoneSurrogate(c)) {
            imported.at[++imported.count] = c;
        }
    }
}

bool startText(const figurefile::Characters& characters, const figurefile::SectionNames& names,
               bool write, figurefile::AddWork& work, wchar_t (&refusal)[refusalUnits]) {
    figurefile::Characters imported;
    importedCharacters(characters, imported);
    refusal[0] = L'\0';
    // At most a row of characters at once, spelled or not.
    if (figurefile::startCharacters(imported, names, false, false, work) !=
        figurefile::Refusal::none) {
        // A blank text is refused only when OK is pressed.
        if (work.refusal != figurefile::Refusal::noCharacters || write) {
            wchar_t text[512];
            figurefile::refusalText(work, text, figurefile::Voice::dialog);
            append(refusal, text);
        }
        return false;
    }
    if (work.spelled.count > figures::maxSlots) {
        std::swprintf(refusal, refusalUnits,
                      L"一度に作れるのは %d 文字までです(空白を除いて %d 文字)。",
                      figures::maxSlots, work.spelled.count);
        return false;
    }
    return true;
}

int countToFit(const figurefile::AddWork& work, MadeCache& cache) {
    int count = 0;
    for (int i = 1; i <= work.distinct.count; ++i) {
        count += work.existing[i] == 0 && !findMade(cache, work.distinct.at[i]) ? 1 : 0;
    }
    return count;
}

void fillCells(const figurefile::AddWork& work, const figurefile::Characters& characters,
               MadeCache& cache, Result& result) {
    figurefile::Characters spelled;
    figurefile::spelledCharacters(characters, spelled);
    result.count = std::min(spelled.count, figures::maxSlots);
    for (int s = 1; s <= result.count; ++s) {
        Cell& cell = result.cell[s];
        cell.character = spelled.at[s];
        cell.value[0] = '\0';
        cell.outcome = figurefile::FitOutcome::fitted;
        const int i = distinctIndex(work, cell.character);
        const Made* made = i != 0 ? findMade(cache, cell.character) : nullptr;
        if (i == 0) {
            // Not in the planned text: a lone surrogate, or left out as unmade.
            const Made* known = findMade(cache, cell.character);
            cell.mark =
                isLoneSurrogate(cell.character) || madeUnmade(known) ? Mark::unmade : Mark::pending;
            cell.outcome = known ? known->outcome : figurefile::FitOutcome::missing;
        } else if (work.existing[i] != 0) {
            const std::string_view stored = work.list.value[work.existing[i]];
            const std::size_t length = std::min<std::size_t>(stored.size(), sizeof cell.value - 1);
            std::memcpy(cell.value, stored.data(), length);
            cell.value[length] = '\0';
            cell.mark = Mark::stored;
        } else if (!made) {
            cell.mark = Mark::pending;
        } else if (made->outcome != figurefile::FitOutcome::fitted) {
            cell.mark = Mark::unmade;
            cell.outcome = made->outcome;
        } else {
            std::memcpy(cell.value, made->value, sizeof cell.value);
            cell.mark = made->lossy ? Mark::lossy : Mark::sound;
        }
    }
    result.note[0] = L'\0';
    appendListing(result, L"この書体にない文字(除きます): ", Listing::lacking);
    appendListing(result, L"字形を確かに読み取れなかった文字(除きます): ", Listing::unreadable);
    appendListing(result, L"図形にできない文字(除きます): ", Listing::unmakeable);
    appendListing(result, L"形が一部欠ける文字: ", Listing::lossy);
    appendListing(result, L"設定ファイルにある図形を使う文字: ", Listing::stored);
}

void spelledKeys(const figurefile::AddWork& work, Result& result) {
    result.spelledCount = std::min(work.spelled.count, figures::maxSlots);
    for (int s = 1; s <= result.spelledCount; ++s) {
        result.spelledKeys[s] = work.keyOf[distinctIndex(work, work.spelled.at[s])];
    }
}

} // namespace dialog::words
