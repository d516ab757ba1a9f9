// Where the importer puts new figures and what it refuses: every added figure lands in the
// program's list without touching a line the user has (gaps filled first, the end marker and
// what it hides kept), added lines end like the file's own, and files it cannot read as
// Shift-JIS are left alone. Also the one section and key reader the importer, the save check and
// the in-memory profile share, on the cases checked against the platform.
#include "figurefile/figure_plan.h"
#include "settings/ini_lines.h"
#include "settings/profile.h"
#include "tests/support/profile_memory.h"
#include "settings/save_check.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace figurefile;

std::string figureLine(int key, const std::string& name) {
    return "ZAHYO" + std::to_string(key) + "=" + name + ",3,0,1,0,0,0,1,1,3\r\n";
}

class Plan : public ::testing::Test {
  protected:
    void SetUp() override {
        profile::memory::reset();
        settings::loadSettingNames();
    }
    void load(const std::string& bytes) {
        text->length = static_cast<int>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), text->bytes.begin());
    }
    std::string bytes() const { return std::string(textOf(*text)); }
    // Plans the text's characters (named by their ASCII byte), fits stand-in values, edits.
    Refusal add(const char* utf8, bool spell = false) {
        startWork(utf8, spell, false, *work);
        for (int i = 1; i <= work->distinct.count; ++i) {
            work->name[i][0] = static_cast<char>(work->distinct.at[i]);
            work->name[i][1] = '\0';
        }
        if (planKeys(*text, *work) != Refusal::none) {
            return work->refusal;
        }
        for (int i = 1; i <= work->distinct.count; ++i) {
            // Through a copy: GCC cannot tell the name and the value apart in one record.
            const std::string name = work->name[i];
            std::snprintf(work->value[i], sizeof work->value[i], "%s,1", name.c_str());
            work->fitted[i] = work->newValue[i];
        }
        return editSettings(*text, *work);
    }
    std::unique_ptr<IniText> text = std::make_unique<IniText>();
    std::unique_ptr<AddWork> work = std::make_unique<AddWork>();
};

TEST_F(Plan, NewFiguresFillTheGapsAndStayListedWithoutTouchingALine) {
    const std::string head = "[KESTA]\r\nOPTIONN=1\r\n[MOJI ZAHYO]\r\n";
    const std::string before =
        head + figureLine(1, "A") + figureLine(2, "B") + figureLine(4, "D") + figureLine(5, "E");
    load(before);
    ASSERT_EQ(add("xyz", true), Refusal::none);
    EXPECT_EQ(work->keyOf[1], 3) << "the gap first";
    EXPECT_EQ(work->keyOf[2], 6) << "then past the figures the gap hid";
    EXPECT_EQ(work->keyOf[3], 7);
    EXPECT_EQ(bytes(), "[KESTA]\r\nOPTIONN=3\r\nOPTIONA1=3\r\nOPTIONA2=6\r\nOPTIONA3=7\r\n"
                       "[MOJI ZAHYO]\r\n" +
                           figureLine(1, "A") + figureLine(2, "B") + figureLine(4, "D") +
                           figureLine(5, "E") + "ZAHYO3=x,1\r\nZAHYO6=y,1\r\nZAHYO7=z,1\r\n");
    FigureList list;
    readFigureList(*text, "MOJI ZAHYO", "ZAHYO-END", list);
    EXPECT_EQ(list.count, 7) << "every added figure is in the program's list";
}

TEST_F(Plan, TheEndMarkerAndWhatItHidesStay) {
    const std::string hidden =
        "[MOJI ZAHYO]\r\n" + figureLine(1, "A") + "ZAHYO3=zahyo-end\r\n" + figureLine(4, "H");
    load(hidden);
    ASSERT_EQ(add("x"), Refusal::none) << "the gap before the marker takes one";
    EXPECT_EQ(work->keyOf[1], 2);
    load(hidden);
    EXPECT_EQ(add("xy"), Refusal::endMarker);
    EXPECT_EQ(work->stopKey, 3);
    EXPECT_EQ(bytes(), hidden);
    wchar_t message[512];
    refusalText(*work, message);
    EXPECT_NE(std::wstring(message).find(L"ZAHYO3"), std::wstring::npos);
    EXPECT_NE(std::wstring(message).find(L"ZAHYO-END"), std::wstring::npos);

    // A key line without "=" ends the list as well (its read gives the end marker).
    load("[MOJI ZAHYO]\r\n" + figureLine(1, "A") + "ZAHYO2\r\n" + figureLine(3, "C"));
    EXPECT_EQ(add("x"), Refusal::keyWithoutValue);

    // The list holds 99 figures at most.
    std::string full = "[MOJI ZAHYO]\r\n";
    for (int n = 1; n <= 98; ++n) {
        full += figureLine(n, "F" + std::to_string(n));
    }
    load(full);
    EXPECT_EQ(add("xy"), Refusal::listFull);
    EXPECT_EQ(bytes(), full);
    EXPECT_EQ(add("x"), Refusal::none);
}

TEST_F(Plan, AHeaderWithoutBracketIsNoSection) {
    load("[MOJI ZAHYO]\r\n" + figureLine(1, "A") + "[note\r\n" + figureLine(2, "B"));
    ASSERT_EQ(add("x"), Refusal::none);
    EXPECT_EQ(work->list.count, 2);
    EXPECT_EQ(work->keyOf[1], 3) << "not a second ZAHYO2";
}

TEST_F(Plan, AddedLinesEndLikeTheFilesOwn) {
    load("[MOJI ZAHYO]\n" + std::string("ZAHYO1=A,1\n"));
    ASSERT_EQ(add("x", true), Refusal::none);
    EXPECT_EQ(bytes(), "[MOJI ZAHYO]\nZAHYO1=A,1\nZAHYO2=x,1\n[KESTA]\nOPTIONN=1\nOPTIONA1=2\n");
    load("[MOJI ZAHYO]\rZAHYO1=A,1");
    ASSERT_EQ(add("x"), Refusal::none);
    EXPECT_EQ(bytes(), "[MOJI ZAHYO]\rZAHYO1=A,1\rZAHYO2=x,1\r");
}

TEST_F(Plan, FilesWithAByteOrderMarkAreLeftAlone) {
    const std::string utf16("\xFF\xFE[\0M\0", 6);
    load(utf16);
    EXPECT_EQ(add("x"), Refusal::utf16File);
    EXPECT_EQ(bytes(), utf16);
    load("\xEF\xBB\xBF[MOJI ZAHYO]\r\n");
    EXPECT_EQ(add("x"), Refusal::utf8File);
}

TEST_F(Plan, AFigureNeededButNotFittedRefuses) {
    load("[MOJI ZAHYO]\r\n" + figureLine(1, "x"));
    startWork("x", false, false, *work);
    work->name[1][0] = 'x';
    work->name[1][1] = '\0';
    planKeys(*text, *work); // listed: nothing to fit
    load("[MOJI ZAHYO]\r\n" + figureLine(1, "A"));
    planKeys(*text, *work); // someone replaced it meanwhile
    EXPECT_EQ(checkFitted(*work), Refusal::changedMeanwhile);
}

// The platform's reading of these lines was checked with GetPrivateProfileStringA under Wine.
TEST(IniLines, ReadAsTheProfileFunctionsRead) {
    const std::string file = "[MOJI ZAHYO]\r\nK1=one\r\n[x\r\nK2=two\r\nK3\r\nK3=three\r\n"
                             "  K4  =  four  \r\nk5=five\r\nK5=five2\r\n;C=comment\r\n"
                             "K6=six\rK7=seven\r\n\x1aK8=eight\x1a\r\n[A]B]\r\nK9=nine\r\n"
                             "[ X ]\r\nK10=ten\r\n[MOJI ZAHYO]\r\nK11=eleven\r\n"
                             "[moji zahyo]x\r\nK13=thirteen\r\n";
    struct Case {
        const char* section;
        const char* key;
        const char* value; // null: the default
    };
    const Case cases[] = {
        {"MOJI ZAHYO", "K1", "one"},    {"MOJI ZAHYO", "K2", "two"},
        {"MOJI ZAHYO", "K3", nullptr},  {"MOJI ZAHYO", "K4", "four"},
        {"MOJI ZAHYO", "K5", "five"},   {"MOJI ZAHYO", ";C", "comment"},
        {"MOJI ZAHYO", "K6", "six"},    {"MOJI ZAHYO", "K7", "seven"},
        {"MOJI ZAHYO", "K8", "eight"},  {"A]B", "K9", "nine"},
        {"A", "K9", nullptr},           {"X", "K10", "ten"},
        {"MOJI ZAHYO", "K11", nullptr}, {"MOJI ZAHYO", "K13", nullptr},
    };
    profile::memory::reset();
    profile::memory::setFile("probe.ini", file);
    for (const Case& c : cases) {
        const settings::ini::Place place = settings::ini::findKey(file, c.section, c.key);
        const bool has = place.keyFound && place.key.hasValue;
        EXPECT_EQ(has, c.value != nullptr) << c.section << " " << c.key;
        if (has && c.value) {
            EXPECT_EQ(place.key.value, c.value) << c.key;
        }
        char read[32];
        profile::readString(c.section, c.key, "<def>", read, sizeof read, "probe.ini");
        EXPECT_STREQ(read, c.value ? c.value : "<def>") << c.key;
    }
}

// The save check follows the same headers, fed in pieces of one byte.
TEST(IniLines, TheSaveCheckSeesTheSameSections) {
    struct Case {
        const char* file;
        bool damaged; // a bad Shift-JIS byte counts only inside the outline section
    };
    const Case cases[] = {
        {"[MOJI ZAHYO]\r\n[note\r\nZ=\x81\r\n", true},
        {"[MOJI ZAHYO]\r\n[other]\r\nZ=\x81\r\n", false},
        {"[  moji zahyo  ]\r\nZ=\x81\r\n", true},
        {"[MOJI ZAHYO]x\r\nZ=\x81\r\n", true},
        {"[MOJI ZAHYO]x]\r\nZ=\x81\r\n", false},
        {"[MOJI ZAHYO]\r\n[xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
         "xxxxxxxx\r\nZ=\x81\r\n",
         true},
        {"[MOJI ZAHYO\r\nZ=\x81\r\n", false},
    };
    for (const Case& c : cases) {
        settings::SaveCheck check = settings::startSaveCheck("MOJI ZAHYO");
        for (const char* p = c.file; *p != '\0'; ++p) {
            settings::checkBytes(check, reinterpret_cast<const unsigned char*>(p), 1);
        }
        EXPECT_EQ(settings::saveDamage(check) != settings::SaveDamage::none, c.damaged) << c.file;
    }
}

} // namespace

namespace {

// A shorter spelled row leaves no old figure in the slots past it (unused slots read 0, as in
// the shipped file); slots missing from the file stay missing.
TEST_F(Plan, SpellingClearsTheSlotsPastTheRow) {
    load("[KESTA]\r\nOPTIONN=5\r\nOPTIONA1=1\r\nOPTIONA2=2\r\nOPTIONA3=3\r\nOPTIONA4=20\r\n"
         "OPTIONA5=1\r\nOPTIONA6=0\r\n[MOJI ZAHYO]\r\n" +
         figureLine(1, "A"));
    ASSERT_EQ(add("xyz", true), Refusal::none);
    EXPECT_EQ(bytes(), "[KESTA]\r\nOPTIONN=3\r\nOPTIONA1=2\r\nOPTIONA2=3\r\nOPTIONA3=4\r\n"
                       "OPTIONA4=0\r\nOPTIONA5=0\r\nOPTIONA6=0\r\n[MOJI ZAHYO]\r\n" +
                           figureLine(1, "A") + "ZAHYO2=x,1\r\nZAHYO3=y,1\r\nZAHYO4=z,1\r\n");
}

// "e" with a combining acute is the one character é, named and fitted once.
TEST_F(Plan, DecomposedMarksAreComposedBeforeNaming) {
    startWork("e\xCC\x81"
              "\xC3\xA9"
              "\xE3\x81\x8B\xE3\x82\x99",
              false, false, *work);
    ASSERT_EQ(work->distinct.count, 2);
    EXPECT_EQ(work->distinct.at[1], U'\u00e9');
    EXPECT_EQ(work->distinct.at[2], U'\u304c');
    EXPECT_EQ(work->text.count, 3);
}

// The sections are the caller's: a worker thread plans in the names its dialog handed it.
TEST_F(Plan, TheSectionNamesAreTheCallers) {
    load("[FIGS]\r\nZAHYO1=A,1\r\nZAHYO2=STOP\r\n");
    Characters x{};
    x.count = 2;
    x.at[1] = U'A';
    x.at[2] = U'x';
    const SectionNames names{"FIGS", "STOP"};
    startCharacters(x, names, false, false, *work);
    work->name[1][0] = 'A';
    work->name[2][0] = 'x';
    work->name[1][1] = work->name[2][1] = '\0';
    EXPECT_EQ(planKeys(*text, *work), Refusal::endMarker);
    EXPECT_EQ(work->existing[1], 1);
    EXPECT_EQ(work->stopKey, 2);
}

// The words dialog's refusals speak neither of the console tool nor of its options.
TEST_F(Plan, TheDialogsRefusalsSpeakOfNoConsoleTool) {
    for (Refusal refusal : {Refusal::utf16File, Refusal::utf8File, Refusal::tooManySpelled,
                            Refusal::endMarker, Refusal::keyWithoutValue}) {
        work->names = programSectionNames();
        work->refusal = refusal;
        work->stopKey = 7;
        wchar_t console[512], dialog[512];
        refusalText(*work, console);
        refusalText(*work, dialog, Voice::dialog);
        const std::wstring said(dialog);
        EXPECT_EQ(said.find(L"kesta-figures"), std::wstring::npos) << said;
        EXPECT_EQ(said.find(L"--"), std::wstring::npos) << said;
        if (refusal == Refusal::endMarker) {
            // The marker starts a line of its own, so the note never breaks it at its hyphen,
            // and the whole fits the note's lines.
            EXPECT_LE(said.size(), 100u);
            EXPECT_NE(said.find(L"\nZAHYO-END"), std::wstring::npos) << said;
            EXPECT_NE(std::wstring(console).find(L"ZAHYO-END"), std::wstring::npos);
        }
    }
}

} // namespace
