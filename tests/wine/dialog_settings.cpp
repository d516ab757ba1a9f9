// The settings dialog driven the way a user drives it: the dialog runs modally on a thread of this
// program, this thread chooses list items, clicks buttons and scrolls, answers the warnings, and
// reads back the controls, the live settings and the settings file.
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include "dialog/dialog.h"
#include "figures/builder.h"
#include "resources/resource.h"
#include "settings/settings.h"

using namespace kestatest;

namespace {

const std::wstring chooseOne = L"\u6700\u4f4e\uff11\u3064\u306f\u9078\u629e\u3057\u3066\u4e0b"
                               L"\u3055\u3044";
const std::wstring noGap = L"\u9014\u4e2d\u306b\u7a7a\u767d\u306f\u6307\u5b9a\u51fa\u6765\u307e"
                           L"\u305b\u3093";
constexpr int lists[] = {
    0, IDC_SLOT1_LIST, IDC_SLOT2_LIST, IDC_SLOT3_LIST, IDC_SLOT4_LIST, IDC_SLOT5_LIST};

// Three slots in use out of four figures, two of them named in Shift-JIS ("漢字", and "表ソ"
// whose trail bytes are both 0x5C).
std::string settingsFile(const std::string& lines, int figureCount = 4) {
    const std::string names[] = {"box", "\x8a\xbf\x8e\x9a", "\x95\x5c\x83\x5c", "A"};
    // The given lines come first: the first of two equal keys is the one read.
    std::string text = "[KESTA]\r\n" + lines +
                       "OPTIONA1=1\r\nOPTIONA2=2\r\nOPTIONA3=3\r\nOPTIONN=3\r\n[MOJI ZAHYO]\r\n";
    for (int i = 0; i < figureCount; ++i) {
        text += "ZAHYO" + std::to_string(i + 1) + "=" + names[i] +
                ",4,0,1,0,0,0,1,1,4,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                "-40,-40,40,-40,40,40,-40,40\r\n";
    }
    return text;
}

class SettingsDialog : public testing::Test {
  protected:
    void TearDown() override {
        if (window) {
            close(IDCANCEL);
        }
        removeIni();
    }

    void open(const std::string& file) {
        writeIni(file);
        runner = std::thread([this] {
            result = DialogBoxParamW(GetModuleHandleW(nullptr), L"settingdialog", nullptr,
                                     dialog::settingsDialogProc, 0);
        });
        window = findDialog(L"KESTA_x64_\u8a2d\u5b9a");
        ASSERT_NE(window, nullptr);
        settle(window);
    }

    void close(int button) {
        answerWarnings([&] { clickButton(window, button); });
        runner.join();
        window = nullptr;
    }

    std::vector<std::wstring> choose(int slot, int item) {
        return answerWarnings([&] { chooseListItem(window, lists[slot], item); });
    }

    HWND window = nullptr;
    std::thread runner;
    INT_PTR result = -1;
};

TEST_F(SettingsDialog, OpensWithTheFilesValuesAsStored) {
    open(settingsFile("OPTIONA3=9\r\nTIMER=5\r\nSTEPRAG=400\r\nSIZE=0\r\nCOLOR=9\r\n"));
    EXPECT_EQ(listCount(window, IDC_SLOT26_LIST), 5);
    EXPECT_EQ(listItem(window, IDC_SLOT26_LIST, 2), L"\u6f22\u5b57");
    EXPECT_EQ(listItem(window, IDC_SLOT1_LIST, 3), L"\u8868\u30bd");
    EXPECT_EQ(listSelection(window, IDC_SLOT2_LIST), 2);
    EXPECT_EQ(listSelection(window, IDC_SLOT3_LIST), -1) << "figure 9 is beyond the list";
    EXPECT_TRUE(isChecked(window, IDC_MODE_CENTRE)) << "OPTIONP 0";
    EXPECT_EQ(settings::OPTIONP, 0);
    EXPECT_EQ(controlText(window, IDC_TIMER_VALUE), L"5");
    EXPECT_EQ(controlText(window, IDC_STEPRAG_VALUE), L"400");
    EXPECT_EQ(controlText(window, IDC_SIZE_VALUE), L"0");
    EXPECT_EQ(controlText(window, IDC_SIZEY_VALUE), L"10") << "SIZEY is not taken from SIZE";
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_RED)) << "colour code 9";
    EXPECT_FALSE(isEnabled(window, IDC_HABA_BAR));
    EXPECT_FALSE(isEnabled(window, IDC_SIZEY_BAR));
    EXPECT_FALSE(isEnabled(window, IDC_SLOT1_BUTTON));
}

TEST_F(SettingsDialog, FigureListsKeepTheSlotsInUseAnUnbrokenRun) {
    open(settingsFile(""));
    EXPECT_EQ(choose(1, 0), std::vector{chooseOne});
    EXPECT_EQ(listSelection(window, IDC_SLOT1_LIST), 1);
    EXPECT_EQ(settings::OPTIONA[1], 1);
    EXPECT_EQ(choose(5, 2), std::vector{noGap}) << "figure after a blank";
    EXPECT_EQ(listSelection(window, IDC_SLOT5_LIST), 0);
    EXPECT_EQ(settings::OPTIONN, 3);

    EXPECT_TRUE(choose(4, 2).empty()) << "the slot after the run joins it";
    EXPECT_EQ(controlText(window, IDC_OPTIONN), L"4");
    EXPECT_TRUE(choose(4, 0).empty()) << "the last slot of the run leaves it";
    EXPECT_TRUE(choose(3, 0).empty());
    EXPECT_EQ(controlText(window, IDC_OPTIONN), L"2");
    EXPECT_TRUE(choose(2, 4).empty()) << "another figure for a slot in use";
    EXPECT_EQ(settings::OPTIONN, 2);
    close(IDOK);
    EXPECT_EQ(iniValue("OPTIONN"), "2");
    EXPECT_EQ(iniValue("OPTIONA2"), "4");
    EXPECT_EQ(iniValue("OPTIONA3"), "0");
}

// The box takes the focus from the list and gives it back, and the list may be dropped and
// closed meanwhile: each notification runs the rule again, and must find nothing to correct.
TEST_F(SettingsDialog, WarningBoxesAndTheNotificationsWhileOneIsUp) {
    open(settingsFile(""));
    HWND owner = nullptr;
    bool hasCancel = true;
    int nested = 0;
    auto warnings = answerWarnings([&] { chooseListItem(window, IDC_SLOT2_LIST, 0); },
                                   [&](HWND box) {
                                       owner = GetWindow(box, GW_OWNER);
                                       hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
                                       for (WORD code : {CBN_KILLFOCUS, CBN_SETFOCUS, CBN_SELCHANGE,
                                                         CBN_DROPDOWN, CBN_CLOSEUP}) {
                                           notifyList(window, IDC_SLOT2_LIST, code);
                                       }
                                       nested += findWarning() != box;
                                   });
    EXPECT_EQ(warnings, std::vector{noGap}) << "blank before a slot in use";
    EXPECT_EQ(owner, window);
    EXPECT_FALSE(hasCancel);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(settings::OPTIONA[2], 1);
    EXPECT_EQ(settings::OPTIONN, 3);
}

TEST_F(SettingsDialog, ScrollBarsStopAtTheirBoundsAndAnglesPageByOne) {
    open(settingsFile("TIMER=10\r\nHABA=3\r\nHABAJIDO=0\r\nSIZE=1\r\nSTEPRAG=0\r\n"
                      "STEPRAG26=359\r\n"));
    scrollBar(window, IDC_TIMER_BAR, SB_LINELEFT);
    scrollBar(window, IDC_TIMER_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::TIMER, 10);
    scrollBar(window, IDC_TIMER_BAR, SB_THUMBTRACK, 298);
    scrollBar(window, IDC_TIMER_BAR, SB_PAGERIGHT);
    EXPECT_EQ(controlText(window, IDC_TIMER_VALUE), L"300");
    EXPECT_EQ(thumbPosition(window, IDC_TIMER_BAR), 300);
    scrollBar(window, IDC_HABA_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::HABA, 0);
    scrollBar(window, IDC_SIZE_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::SIZE, 1);
    scrollBar(window, IDC_STEPRAG_BAR, SB_PAGELEFT);
    scrollBar(window, IDC_STEPRAG_BAR, SB_PAGERIGHT);
    EXPECT_EQ(settings::STEPRAG, 1);
    scrollBar(window, IDC_SLOT26_BAR, SB_LINERIGHT);
    scrollBar(window, IDC_SLOT26_BAR, SB_PAGELEFT);
    EXPECT_EQ(controlText(window, IDC_SLOT26_VALUE), L"358");
    close(IDOK);
    EXPECT_EQ(iniValue("TIMER"), "300");
    EXPECT_EQ(iniValue("STEPRAG26"), "358");
}

TEST_F(SettingsDialog, CoupledSizesFollowTheVerticalBarWhileTheHorizontalThumbStays) {
    open(settingsFile("SIZE=10\r\nSIZEY=7\r\n"));
    scrollBar(window, IDC_SIZE_BAR, SB_THUMBPOSITION, 20);
    EXPECT_EQ(controlText(window, IDC_SIZEY_VALUE), L"20");
    EXPECT_EQ(thumbPosition(window, IDC_SIZEY_BAR), 7);
    clickButton(window, IDC_SIZES);
    EXPECT_TRUE(isEnabled(window, IDC_SIZEY_BAR));
    EXPECT_EQ(thumbPosition(window, IDC_SIZEY_BAR), 20);
}

TEST_F(SettingsDialog, ColourSwitchSlotButtonsAndTheThreeRadioGroups) {
    open(settingsFile("OPTIONC1=7\r\nOPTIONC3=0\r\nOPTIONA4=4\r\nOPTIONN=4\r\n"));
    clickButton(window, IDC_HABAJIDO);
    clickButton(window, IDC_HABAJIDO);
    EXPECT_EQ(settings::HABAJIDO, 1) << "automatic depth twice";
    EXPECT_FALSE(isEnabled(window, IDC_HABA_BAR));

    clickButton(window, IDC_COLORS);
    EXPECT_EQ(settings::COLOR, 7);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_CYAN));
    EXPECT_TRUE(isChecked(window, IDC_SLOT1_BUTTON));
    EXPECT_TRUE(isEnabled(window, IDC_SLOT4_BUTTON));
    EXPECT_FALSE(isEnabled(window, IDC_SLOT5_BUTTON));
    clickButton(window, IDC_SLOT3_BUTTON);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_RED)) << "code 0";
    EXPECT_FALSE(isChecked(window, IDC_SLOT1_BUTTON));
    clickButton(window, IDC_COLOUR_BLUE);
    EXPECT_EQ(settings::OPTIONC[3], 3);
    EXPECT_TRUE(isChecked(window, IDC_SLOT3_BUTTON)) << "colour buttons are a group of their own";

    clickButton(window, IDC_COLORS);
    EXPECT_EQ(settings::COLOR, 7);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_CYAN));
    clickButton(window, IDC_MODE_MOVE);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_CYAN)) << "mode buttons are a group of their own";
    close(IDOK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(iniValue("OPTIONC3"), "3");
    EXPECT_EQ(iniValue("COLOR"), "7");
    EXPECT_EQ(iniValue("OPTIONP"), "2");
}

TEST_F(SettingsDialog, CancelWritesNothingAndTheNextOpeningShowsTheFile) {
    const std::string file = settingsFile("");
    open(file);
    scrollBar(window, IDC_TIMER_BAR, SB_PAGERIGHT);
    choose(4, 1);
    close(IDCANCEL);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readIni(), file);
    open(file);
    EXPECT_EQ(controlText(window, IDC_TIMER_VALUE), L"55");
    EXPECT_EQ(controlText(window, IDC_OPTIONN), L"3");
}

// Builds at paints while the dialog is open put 3 into HABA under automatic depth and COLOR into
// the codes of the slots in use; a list without a selection reports -1 at every focus change.
// None of it may reach the file.
TEST_F(SettingsDialog, OkStoresWhatTheUserSetNotTheBuildersStandIns) {
    open(settingsFile("HABA=7\r\nOPTIONC2=6\r\nCOLOR=2\r\nOPTIONA3=9\r\n"));
    figures::clientWidth = 640;
    figures::clientHeight = 480;
    figures::loadFigures();
    figures::buildFigures();
    ASSERT_EQ(settings::HABA, 3);
    ASSERT_EQ(settings::OPTIONC[2], 2);
    notifyList(window, IDC_SLOT3_LIST, CBN_SETFOCUS);
    clickButton(window, IDC_HABAJIDO);
    EXPECT_EQ(settings::HABA, 7) << "frames use the user's depth again";
    close(IDOK);
    EXPECT_EQ(iniValue("HABA"), "7");
    EXPECT_EQ(iniValue("OPTIONC2"), "6");
    EXPECT_EQ(iniValue("OPTIONA3"), "9");
}

TEST_F(SettingsDialog, EmptyFigureListWarnsOnceAndStoresTheBlank) {
    open(settingsFile("OPTIONN=1\r\n", 0));
    EXPECT_EQ(listCount(window, IDC_SLOT1_LIST), 1);
    EXPECT_EQ(choose(1, 0), std::vector{chooseOne});
    EXPECT_EQ(settings::OPTIONA[1], 0);
    auto again = answerWarnings([&] { notifyList(window, IDC_SLOT1_LIST, CBN_SETFOCUS); });
    EXPECT_TRUE(again.empty()) << "the focus coming back raises no warning without end";
}

} // namespace
