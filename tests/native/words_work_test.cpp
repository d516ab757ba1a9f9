// The words dialog worker's platform-free part: the table of made figures stays within its
// bounds however many characters a dialog sees, a lone surrogate is left out the same way in the
// preview and at OK, decomposed marks join their letter, and the note names each character once,
// codes apart, a failed reading apart from a character the font lacks.
#include "dialog/words_work.h"
#include "figurefile/compose.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace dialog::words;
using figurefile::FitOutcome;

struct Words : ::testing::Test {
    void SetUp() override {
        settings::loadSettingNames();
        names = figurefile::programSectionNames();
    }

    // Plans the typed text on an empty file and "fits" every new character with the outcome
    // given for it (fitted by default).
    void answer(const std::wstring& typed, FitOutcome (*outcome)(char32_t) = nullptr) {
        textCharacters(typed.c_str(), characters);
        wchar_t refusal[refusalUnits];
        ASSERT_TRUE(startText(characters, names, false, *work, refusal));
        for (int i = 1; i <= work->distinct.count; ++i) {
            figurefile::figureName(work->distinct.at[i], "", work->name[i]);
        }
        text->length = 0;
        ASSERT_EQ(figurefile::planKeys(*text, *work), figurefile::Refusal::none);
        for (int i = 1; i <= work->distinct.count; ++i) {
            const char32_t c = work->distinct.at[i];
            if (!findMade(*cache, c)) {
                Made& made = madeEntry(*cache, c);
                made.outcome = outcome ? outcome(c) : FitOutcome::fitted;
                std::snprintf(made.value, sizeof made.value, "U%X,1", static_cast<unsigned>(c));
            }
        }
        fillCells(*work, characters, *cache, *result);
    }

    std::wstring note() const { return result->note; }

    figurefile::Characters characters;
    figurefile::SectionNames names;
    std::unique_ptr<MadeCache> cache = std::make_unique<MadeCache>();
    std::unique_ptr<figurefile::AddWork> work = std::make_unique<figurefile::AddWork>();
    std::unique_ptr<figurefile::IniText> text = std::make_unique<figurefile::IniText>();
    std::unique_ptr<Result> result = std::make_unique<Result>();
};

// Twelve words of 26 different kanji each, typed into one dialog: 312 characters, more than the
// table holds; every word's own figures are still there when it is shown.
TEST_F(Words, TheMadeFiguresStayWithinTheirTableAndTheLatestWordKeepsItsOwn) {
    for (int word = 0; word < 12; ++word) {
        std::wstring typed;
        for (int k = 0; k < 26; ++k) {
            typed += static_cast<wchar_t>(0x4E00 + word * 26 + k);
        }
        answer(typed);
        ASSERT_LE(cache->count, madeCapacity);
        ASSERT_EQ(result->count, 26);
        for (int s = 1; s <= result->count; ++s) {
            EXPECT_EQ(result->cell[s].mark, Mark::sound) << word << " " << s;
            char expected[16];
            std::snprintf(expected, sizeof expected, "U%X,1",
                          static_cast<unsigned>(result->cell[s].character));
            EXPECT_STREQ(result->cell[s].value, expected);
        }
        EXPECT_EQ(note(), L"");
    }
    EXPECT_EQ(cache->count, madeCapacity);
    forgetMade(*cache);
    EXPECT_EQ(findMade(*cache, 0x4E00), nullptr);
}

// A pasted text cut inside a pair, or a lone surrogate anywhere: never handed to the importer
// (whose UTF-8 would read it as U+FFFD), crossed out and named by its code.
TEST_F(Words, ALoneSurrogateIsLeftOutAlikeInThePreviewAndAtOk) {
    const std::wstring typed = std::wstring(L"A") + wchar_t(0xD800) + L"B" + wchar_t(0xDC00);
    textCharacters(typed.c_str(), characters);
    figurefile::Characters imported;
    importedCharacters(characters, imported);
    ASSERT_EQ(imported.count, 2);
    EXPECT_EQ(imported.at[2], U'B');
    answer(typed);
    ASSERT_EQ(result->count, 4);
    EXPECT_EQ(result->cell[2].mark, Mark::unmade);
    EXPECT_EQ(result->cell[4].mark, Mark::unmade);
    EXPECT_EQ(note(), L"この書体にない文字(除きます): U+D800、U+DC00");
    EXPECT_EQ(work->distinct.count, 2);
}

TEST_F(Words, DecomposedMarksJoinTheirLetterOrKana) {
    struct Case {
        std::wstring typed, composed;
    };
    const Case cases[] = {
        {L"a\u0301", L"\u00e1"},       // á
        {L"\u304b\u3099", L"\u304c"},  // が
        {L"\u30cf\u309a", L"\u30d1"},  // パ
        {L"A\u0302\u0301", L"\u1ea4"}, // Ấ: two marks in turn
        {L"c\u0327e\u0308n\u0303", L"\u00e7\u00eb\u00f1"},
        {L"\u0301a", L"\u0301a"},           // a mark before any letter stays
        {L"x\u0301", L"x\u0301"},           // no composed form
        {L"\u3042\u3099", L"\u3042\u3099"}, // あ has no dakuten form
    };
    for (const Case& c : cases) {
        textCharacters(c.typed.c_str(), characters);
        std::wstring got;
        for (int i = 1; i <= characters.count; ++i) {
            got += static_cast<wchar_t>(characters.at[i]);
        }
        EXPECT_EQ(got, c.composed) << c.composed.size();
    }
}

TEST_F(Words, TheNoteNamesEachCharacterOnceCodesApartAndAFailedReadingApart) {
    // 𩸽 as the text box holds it, a surrogate pair (wchar_t is wider natively).
    answer(L"\xD867\xDE3D\xD867\xDE3D\u3042\u0001\u0007\u0e01\u9b31\u9b31", [](char32_t c) {
        return c == 0x9B31                   ? FitOutcome::mismatch
               : c == 0x3042 || c == 0x29E3D ? FitOutcome::fitted
                                             : FitOutcome::missing;
    });
    EXPECT_EQ(note(), L"この書体にない文字(除きます): U+0001、U+0007、「\u0e01」(U+0E01)\n"
                      L"字形を確かに読み取れなかった文字(除きます): 「\u9b31」(U+9B31)");
    cache->entry[1].lossy = true; // 𩸽 rough
    fillCells(*work, characters, *cache, *result);
    EXPECT_EQ(note().substr(note().rfind(L'\n') + 1),
              L"形が一部欠ける文字: 「\xD867\xDE3D」(U+29E3D)");
}

// Left out at OK: the work for the write holds only what could be made, with its figures.
TEST_F(Words, TheWriteTakesTheFittedFiguresAndLeavesOutTheUnmade) {
    const auto unmadeThai = [](char32_t c) {
        return c == 0x0E01 ? FitOutcome::missing : FitOutcome::fitted;
    };
    // The run's fitting: each new character's figure from the dialog's table, the unmade listed.
    const auto leaveOut = [&] {
        figurefile::Characters unmade{};
        for (int i = 1; i <= work->distinct.count; ++i) {
            const Made* made = findMade(*cache, work->distinct.at[i]);
            work->fitted[i] = made->outcome == FitOutcome::fitted;
            std::memcpy(work->value[i], made->value, sizeof made->value);
            if (!work->fitted[i]) {
                unmade.at[++unmade.count] = work->distinct.at[i];
            }
        }
        const auto made = std::make_unique<figurefile::AddWork>(*work);
        return figurefile::workWithout(*made, unmade, true, *work);
    };
    answer(L"a b\u0e01a", unmadeThai);
    EXPECT_EQ(countToFit(*work, *cache), 0);
    ASSERT_EQ(leaveOut(), figurefile::Refusal::none);
    ASSERT_EQ(work->distinct.count, 2);
    EXPECT_TRUE(work->fitted[1] && work->fitted[2]);
    EXPECT_STREQ(work->value[2], "U62,1");
    // A mark after a character left out stays apart: joined, it would need a figure not fitted.
    answer(L"A\u0e01\u0301", unmadeThai);
    ASSERT_EQ(leaveOut(), figurefile::Refusal::none);
    ASSERT_EQ(work->distinct.count, 2);
    EXPECT_TRUE(work->fitted[1] && work->fitted[2]);
    wchar_t refusal[refusalUnits];
    textCharacters(L"\u3000 ", characters);
    EXPECT_FALSE(startText(characters, names, false, *work, refusal));
    EXPECT_STREQ(refusal, L"") << "a blank text is refused only at OK";
    EXPECT_FALSE(startText(characters, names, true, *work, refusal));
    EXPECT_NE(refusal[0], L'\0');
    // Nothing left once the unmade are out: refused at OK.
    answer(L"\u0e01", unmadeThai);
    EXPECT_EQ(leaveOut(), figurefile::Refusal::noCharacters);
}

} // namespace
