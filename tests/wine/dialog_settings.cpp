// The settings dialog driven the way a user drives it: the dialog runs modally on a thread of this
// program, this thread chooses list items, clicks buttons and scrolls, answers the warnings, and
// reads back the controls, the live settings and the settings file.
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <map>

#include "dialog/dialog.h"
#include "figures/builder.h"
#include "resources/resource.h"
#include "settings/settings.h"

using namespace kestatest;

namespace {

const std::wstring chooseOne =
    L"\u6700\u4f4e\uff11\u3064\u306f\u9078\u629e\u3057\u3066\u4e0b\u3055\u3044";
const std::wstring noGap =
    L"\u9014\u4e2d\u306b\u7a7a\u767d\u306f\u6307\u5b9a\u51fa\u6765\u307e\u305b\u3093";

// A square with a square hole; its name is what the lists show.
std::string outline(const std::string& name) {
    return name + ",8,0,1,0,0,0,2,1,4,5,8,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                  "-40,-40,40,-40,40,40,-40,40,-20,-20,20,-20,20,20,-20,20";
}

// Shift-JIS names: "漢字", and "表ソ" whose trail bytes are both 0x5C.
const std::string kanjiName = "\x8a\xbf\x8e\x9a";
const std::string backslashName = "\x95\x5c\x83\x5c";

// A settings file with three slots in use out of four figures, plus the given keys.
std::string settingsFile(const std::map<std::string, std::string>& keys, int figureCount = 4) {
    std::map<std::string, std::string> all{
        {"OPTIONA1", "1"}, {"OPTIONA2", "2"}, {"OPTIONA3", "3"}, {"OPTIONN", "3"}};
    for (const auto& [key, value] : keys) {
        all[key] = value;
    }
    std::string text = "[KESTA]\r\n";
    for (const auto& [key, value] : all) {
        text += key + "=" + value + "\r\n";
    }
    text += "[MOJI ZAHYO]\r\n";
    const std::string names[] = {"box", kanjiName, backslashName, "A"};
    for (int i = 0; i < figureCount; ++i) {
        text += "ZAHYO" + std::to_string(i + 1) + "=" + outline(names[i]) + "\r\n";
    }
    return text;
}

class SettingsDialog : public testing::Test {
  protected:
    void SetUp() override {
        hadFile = iniExists();
        savedFile = readIni();
    }

    void TearDown() override {
        if (window && IsWindow(window)) {
            close(IDCANCEL);
        }
        if (hadFile) {
            writeIni(savedFile);
        } else {
            removeIni();
        }
    }

    void open(const std::string& file) {
        writeIni(file);
        open();
    }

    void open() {
        runner = std::thread([this] {
            result = DialogBoxParamW(GetModuleHandleW(nullptr), L"settingdialog", nullptr,
                                     dialog::settingsDialogProc, 0);
        });
        window = findDialog(L"KESTA_x64_\u8a2d\u5b9a");
        ASSERT_NE(window, nullptr);
        settle(window);
    }

    std::vector<std::wstring> close(int button) {
        auto warnings = answerWarnings([&] { clickButton(window, button); });
        runner.join();
        window = nullptr;
        return warnings;
    }

    std::vector<std::wstring> choose(int slot, int item) {
        return answerWarnings([&] { chooseListItem(window, listOf(slot), item); });
    }

    static int listOf(int slot) { return slotList[slot]; }

    static constexpr int slotList[] = {
        0, IDC_SLOT1_LIST, IDC_SLOT2_LIST, IDC_SLOT3_LIST, IDC_SLOT4_LIST, IDC_SLOT5_LIST};
    static constexpr int slotButton[] = {0,
                                         IDC_SLOT1_BUTTON,
                                         IDC_SLOT2_BUTTON,
                                         IDC_SLOT3_BUTTON,
                                         IDC_SLOT4_BUTTON,
                                         IDC_SLOT5_BUTTON};

    HWND window = nullptr;
    std::thread runner;
    INT_PTR result = -1;
    bool hadFile = false;
    std::string savedFile;
};

TEST_F(SettingsDialog, OpensWithTheFilesValuesAndShowsJapaneseFigureNames) {
    open(settingsFile({{"OPTIONA3", "9"},
                       {"OPTIONP", "0"},
                       {"TIMER", "5"},
                       {"STEPRAG", "400"},
                       {"SIZE", "0"},
                       {"COLOR", "9"},
                       {"ZKAITEN2", "1"},
                       {"STEPRAG2", "45"}}));
    EXPECT_EQ(listCount(window, IDC_SLOT26_LIST), 5);
    EXPECT_EQ(listItem(window, IDC_SLOT26_LIST, 0), L"");
    EXPECT_EQ(listItem(window, IDC_SLOT26_LIST, 2), L"\u6f22\u5b57");
    EXPECT_EQ(listItem(window, IDC_SLOT1_LIST, 3), L"\u8868\u30bd");
    EXPECT_EQ(listSelection(window, IDC_SLOT2_LIST), 2);
    EXPECT_EQ(listSelection(window, IDC_SLOT3_LIST), -1) << "figure 9 is beyond the list";
    EXPECT_EQ(listSelection(window, IDC_SLOT4_LIST), 0);
    EXPECT_EQ(controlText(window, IDC_OPTIONN), L"3");
    EXPECT_TRUE(isChecked(window, IDC_SLOT2_CHECK));
    EXPECT_FALSE(isChecked(window, IDC_SLOT3_CHECK));
    EXPECT_EQ(controlText(window, IDC_SLOT2_VALUE), L"45");
    EXPECT_EQ(thumbPosition(window, IDC_SLOT2_BAR), 45);

    // OPTIONP 0 shows the centre mode and stays 0; values outside a bar's range show as stored.
    EXPECT_TRUE(isChecked(window, IDC_MODE_CENTRE));
    EXPECT_FALSE(isChecked(window, IDC_MODE_MOVE));
    EXPECT_EQ(settings::OPTIONP, 0);
    EXPECT_EQ(controlText(window, IDC_TIMER_VALUE), L"5");
    EXPECT_EQ(controlText(window, IDC_STEPRAG_VALUE), L"400");
    EXPECT_EQ(controlText(window, IDC_SIZE_VALUE), L"0");
    EXPECT_EQ(controlText(window, IDC_SIZEY_VALUE), L"10") << "SIZEY is not taken from SIZE";
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_RED)) << "colour code 9 shows as red";

    // Defaults: automatic depth, coupled sizes, one colour for all (slot buttons disabled).
    EXPECT_TRUE(isChecked(window, IDC_HABAJIDO));
    EXPECT_FALSE(isEnabled(window, IDC_HABA_BAR));
    EXPECT_TRUE(isChecked(window, IDC_SIZES));
    EXPECT_FALSE(isEnabled(window, IDC_SIZEY_BAR));
    EXPECT_FALSE(isEnabled(window, IDC_SLOT1_BUTTON));
    EXPECT_FALSE(isEnabled(window, IDC_SLOT26_BUTTON));
    close(IDCANCEL);
    EXPECT_EQ(result, 0);
}

TEST_F(SettingsDialog, IndividualColoursAtOpeningTakeSlotOnesCode) {
    open(settingsFile({{"COLORS", "1"}, {"OPTIONC1", "5"}, {"OPTIONC2", "0"}, {"COLOR", "2"}}));
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_YELLOW));
    EXPECT_TRUE(isChecked(window, IDC_SLOT1_BUTTON));
    EXPECT_TRUE(isEnabled(window, IDC_SLOT26_BUTTON));
    EXPECT_EQ(settings::COLOR, 5);

    clickButton(window, IDC_SLOT2_BUTTON);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_RED)) << "code 0 shows as red";
    EXPECT_FALSE(isChecked(window, IDC_COLOUR_YELLOW));
    EXPECT_FALSE(isChecked(window, IDC_SLOT1_BUTTON));
    EXPECT_EQ(settings::OPTIONC[2], 0) << "showing a code leaves it";
    close(IDOK);
    EXPECT_EQ(iniValue("COLOR"), "5");
    EXPECT_EQ(iniValue("OPTIONC2"), "0");
}

TEST_F(SettingsDialog, FigureListsKeepTheSlotsInUseAnUnbrokenRun) {
    open(settingsFile({}));
    EXPECT_EQ(choose(1, 0), std::vector{chooseOne});
    EXPECT_EQ(listSelection(window, IDC_SLOT1_LIST), 1);
    EXPECT_EQ(settings::OPTIONA[1], 1);
    EXPECT_EQ(settings::OPTIONN, 3);

    EXPECT_EQ(choose(2, 0), std::vector{noGap}) << "blank before a slot in use";
    EXPECT_EQ(listSelection(window, IDC_SLOT2_LIST), 1);
    EXPECT_EQ(settings::OPTIONA[2], 1);
    EXPECT_EQ(settings::OPTIONN, 3);

    EXPECT_EQ(choose(5, 2), std::vector{noGap}) << "figure after a blank";
    EXPECT_EQ(listSelection(window, IDC_SLOT5_LIST), 0);
    EXPECT_EQ(settings::OPTIONA[5], 0);
    EXPECT_EQ(settings::OPTIONN, 3);

    EXPECT_TRUE(choose(4, 2).empty()) << "the slot after the run joins it";
    EXPECT_EQ(settings::OPTIONN, 4);
    EXPECT_EQ(controlText(window, IDC_OPTIONN), L"4");
    EXPECT_TRUE(choose(4, 0).empty()) << "the last slot of the run leaves it";
    EXPECT_TRUE(choose(3, 0).empty());
    EXPECT_EQ(settings::OPTIONN, 2);
    EXPECT_EQ(controlText(window, IDC_OPTIONN), L"2");

    EXPECT_TRUE(choose(2, 4).empty()) << "another figure for a slot in use";
    EXPECT_EQ(settings::OPTIONA[2], 4);
    EXPECT_EQ(settings::OPTIONN, 2);

    // Dropping a list down and closing it, or tabbing through it, changes nothing.
    auto quiet = answerWarnings([&] {
        for (WORD code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_KILLFOCUS}) {
            for (int slot = 1; slot <= 5; ++slot) {
                notifyList(window, listOf(slot), code);
            }
        }
    });
    EXPECT_TRUE(quiet.empty());
    EXPECT_EQ(settings::OPTIONN, 2);
    close(IDOK);
    EXPECT_EQ(iniValue("OPTIONN"), "2");
    EXPECT_EQ(iniValue("OPTIONA2"), "4");
    EXPECT_EQ(iniValue("OPTIONA3"), "0");
}

TEST_F(SettingsDialog, WarningsAreOwnedExclamationBoxesAndTheirNestedNotificationsChangeNothing) {
    open(settingsFile({}));
    HWND owner = nullptr;
    LONG_PTR style = 0;
    bool hasCancel = true;
    int nestedWarnings = 0;
    auto warnings = answerWarnings([&] { chooseListItem(window, IDC_SLOT2_LIST, 0); },
                                   [&](HWND box) {
                                       owner = GetWindow(box, GW_OWNER);
                                       hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
                                       style = GetWindowLongPtrW(GetDlgItem(box, 0x440), GWL_STYLE);
                                       // The list loses the focus to the box and gets it back.
                                       for (WORD code : {CBN_KILLFOCUS, CBN_SETFOCUS, CBN_SELCHANGE,
                                                         CBN_DROPDOWN, CBN_CLOSEUP}) {
                                           notifyList(window, IDC_SLOT2_LIST, code);
                                       }
                                       HWND again = findWarning();
                                       nestedWarnings += again && again != box;
                                   });
    EXPECT_EQ(warnings, std::vector{noGap});
    EXPECT_EQ(owner, window);
    EXPECT_FALSE(hasCancel);
    EXPECT_TRUE(style & SS_ICON);
    EXPECT_EQ(nestedWarnings, 0);
    EXPECT_EQ(settings::OPTIONA[2], 1);
    EXPECT_EQ(settings::OPTIONN, 3);
}

TEST_F(SettingsDialog, ScrollBarsStopAtTheirBoundsAndAnglesPageByOne) {
    open(settingsFile({{"TIMER", "10"},
                       {"HABA", "3"},
                       {"HABAJIDO", "0"},
                       {"SIZE", "1"},
                       {"STEPRAG", "0"},
                       {"STEPRAG26", "359"},
                       {"SIZEIDO", "19"}}));
    scrollBar(window, IDC_TIMER_BAR, SB_LINELEFT);
    scrollBar(window, IDC_TIMER_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::TIMER, 10);
    scrollBar(window, IDC_TIMER_BAR, SB_THUMBTRACK, 298);
    EXPECT_EQ(settings::TIMER, 298) << "a drag changes the setting at every step";
    scrollBar(window, IDC_TIMER_BAR, SB_PAGERIGHT);
    EXPECT_EQ(settings::TIMER, 300);
    EXPECT_EQ(controlText(window, IDC_TIMER_VALUE), L"300");
    EXPECT_EQ(thumbPosition(window, IDC_TIMER_BAR), 300);

    scrollBar(window, IDC_HABA_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::HABA, 0);
    EXPECT_EQ(controlText(window, IDC_HABA_VALUE), L"0");
    scrollBar(window, IDC_SIZE_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::SIZE, 1);
    scrollBar(window, IDC_SIZEIDO_BAR, SB_PAGERIGHT);
    EXPECT_EQ(settings::SIZEIDO, 20);

    scrollBar(window, IDC_STEPRAG_BAR, SB_LINELEFT);
    scrollBar(window, IDC_STEPRAG_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::STEPRAG, 0);
    scrollBar(window, IDC_STEPRAG_BAR, SB_PAGERIGHT);
    EXPECT_EQ(settings::STEPRAG, 1);
    scrollBar(window, IDC_SLOT26_BAR, SB_LINERIGHT);
    EXPECT_EQ(settings::STEPRAGS[26], 359);
    scrollBar(window, IDC_SLOT26_BAR, SB_PAGELEFT);
    EXPECT_EQ(settings::STEPRAGS[26], 358);
    EXPECT_EQ(controlText(window, IDC_SLOT26_VALUE), L"358");
    scrollBar(window, IDC_SLOT26_BAR, SB_ENDSCROLL);
    EXPECT_EQ(settings::STEPRAGS[26], 358);
    close(IDOK);
    EXPECT_EQ(iniValue("TIMER"), "300");
    EXPECT_EQ(iniValue("STEPRAG26"), "358");
    EXPECT_EQ(iniValue("SIZEIDO"), "20");
}

TEST_F(SettingsDialog, CoupledSizesFollowTheVerticalBarWhileTheHorizontalThumbStays) {
    open(settingsFile({{"SIZE", "10"}, {"SIZEY", "7"}}));
    scrollBar(window, IDC_SIZE_BAR, SB_THUMBPOSITION, 20);
    EXPECT_EQ(settings::SIZEY, 20);
    EXPECT_EQ(controlText(window, IDC_SIZEY_VALUE), L"20");
    EXPECT_EQ(thumbPosition(window, IDC_SIZEY_BAR), 7);
    clickButton(window, IDC_SIZES);
    EXPECT_EQ(settings::SIZES, 0);
    EXPECT_TRUE(isEnabled(window, IDC_SIZEY_BAR));
    EXPECT_EQ(thumbPosition(window, IDC_SIZEY_BAR), 20);
    clickButton(window, IDC_SIZES);
    EXPECT_FALSE(isEnabled(window, IDC_SIZEY_BAR));
}

TEST_F(SettingsDialog, SwitchesAndColourButtons) {
    open(settingsFile({{"OPTIONC1", "7"},
                       {"OPTIONC3", "2"},
                       {"OPTIONA4", "4"},
                       {"OPTIONN", "4"},
                       {"HABAJIDO", "1"}}));
    // Automatic depth twice: back where it was.
    clickButton(window, IDC_HABAJIDO);
    EXPECT_EQ(settings::HABAJIDO, 0);
    EXPECT_TRUE(isEnabled(window, IDC_HABA_BAR));
    clickButton(window, IDC_HABAJIDO);
    EXPECT_EQ(settings::HABAJIDO, 1);
    EXPECT_FALSE(isEnabled(window, IDC_HABA_BAR));

    clickButton(window, IDC_COLOUR_BLUE);
    EXPECT_EQ(settings::COLOR, 3);

    // Individual colours on: COLOR takes slot 1's code, slot buttons 1..OPTIONN come alive.
    clickButton(window, IDC_COLORS);
    EXPECT_EQ(settings::COLOR, 7);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_CYAN));
    EXPECT_FALSE(isChecked(window, IDC_COLOUR_BLUE));
    EXPECT_TRUE(isChecked(window, IDC_SLOT1_BUTTON));
    EXPECT_TRUE(isEnabled(window, IDC_SLOT4_BUTTON));
    EXPECT_FALSE(isEnabled(window, IDC_SLOT5_BUTTON));

    clickButton(window, IDC_SLOT3_BUTTON);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_GREEN));
    EXPECT_FALSE(isChecked(window, IDC_SLOT1_BUTTON)) << "slot buttons form one group";
    clickButton(window, IDC_COLOUR_BLUE);
    EXPECT_EQ(settings::OPTIONC[3], 3);
    EXPECT_EQ(settings::COLOR, 7);
    EXPECT_TRUE(isChecked(window, IDC_SLOT3_BUTTON)) << "colour buttons are a group of their own";

    // Off again: COLOR stays slot 1's code.
    clickButton(window, IDC_COLORS);
    EXPECT_EQ(settings::COLOR, 7);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_CYAN));
    EXPECT_FALSE(isEnabled(window, IDC_SLOT1_BUTTON));
    EXPECT_FALSE(isChecked(window, IDC_SLOT3_BUTTON));

    clickButton(window, IDC_MODE_MOVE);
    EXPECT_EQ(settings::OPTIONP, 2);
    EXPECT_TRUE(isChecked(window, IDC_COLOUR_CYAN)) << "mode buttons are a group of their own";
    clickButton(window, IDC_SLOT2_CHECK);
    EXPECT_EQ(settings::ZKAITEN[2], 1);
    close(IDOK);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(iniValue("OPTIONC3"), "3");
    EXPECT_EQ(iniValue("COLOR"), "7");
    EXPECT_EQ(iniValue("COLORS"), "0");
    EXPECT_EQ(iniValue("OPTIONP"), "2");
    EXPECT_EQ(iniValue("ZKAITEN2"), "1");
}

TEST_F(SettingsDialog, CancelWritesNothingAndTheNextOpeningShowsTheFile) {
    const std::string file = settingsFile({{"TIMER", "55"}});
    open(file);
    scrollBar(window, IDC_TIMER_BAR, SB_PAGERIGHT);
    choose(4, 1);
    clickButton(window, IDC_COLORS);
    close(IDCANCEL);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readIni(), file);

    open();
    EXPECT_EQ(controlText(window, IDC_TIMER_VALUE), L"55");
    EXPECT_EQ(listSelection(window, IDC_SLOT4_LIST), 0);
    EXPECT_EQ(controlText(window, IDC_OPTIONN), L"3");
    EXPECT_FALSE(isChecked(window, IDC_COLORS));
    close(IDOK);
    EXPECT_EQ(iniValue("TIMER"), "55");
    EXPECT_EQ(iniValue("COLORS"), "0");
    EXPECT_EQ(iniValue("HABAJIDO"), "1") << "OK stores every dialog setting";
}

// A paint of the main window while the dialog is open rebuilds the figures, which puts 3 into
// HABA under automatic depth and COLOR into the codes of the slots in use. "OK" must store what
// the user set, not the builder's stand-ins.
TEST_F(SettingsDialog, OkStoresTheUsersDepthAndColoursAfterARebuild) {
    open(settingsFile(
        {{"HABA", "7"}, {"HABAJIDO", "1"}, {"OPTIONC1", "5"}, {"OPTIONC2", "6"}, {"COLOR", "2"}}));
    figures::clientWidth = 640;
    figures::clientHeight = 480;
    figures::loadFigures();
    figures::buildFigures();
    ASSERT_EQ(settings::HABA, 3) << "the builder stands in its depth";
    ASSERT_EQ(settings::OPTIONC[2], 2) << "the builder copies COLOR into the slots in use";
    close(IDOK);
    EXPECT_EQ(iniValue("HABA"), "7");
    EXPECT_EQ(iniValue("OPTIONC1"), "5");
    EXPECT_EQ(iniValue("OPTIONC2"), "6");
}

TEST_F(SettingsDialog, DepthEditedThenRebuiltSurvives) {
    open(settingsFile({{"HABA", "7"}, {"HABAJIDO", "0"}}));
    scrollBar(window, IDC_HABA_BAR, SB_LINERIGHT);
    clickButton(window, IDC_HABAJIDO);
    figures::loadFigures();
    figures::buildFigures();
    clickButton(window, IDC_HABAJIDO);
    EXPECT_EQ(settings::HABA, 8) << "frames use the user's depth again";
    EXPECT_EQ(controlText(window, IDC_HABA_VALUE), L"8");
    close(IDOK);
    EXPECT_EQ(iniValue("HABA"), "8");
    EXPECT_EQ(iniValue("HABAJIDO"), "0");
}

TEST_F(SettingsDialog, AListWithoutSelectionKeepsItsStoredFigure) {
    open(settingsFile({{"OPTIONA3", "9"}}));
    auto warnings = answerWarnings([&] {
        for (WORD code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_KILLFOCUS}) {
            notifyList(window, IDC_SLOT3_LIST, code);
        }
    });
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(settings::OPTIONA[3], 9);
    close(IDOK);
    EXPECT_EQ(iniValue("OPTIONA3"), "9");
}

TEST_F(SettingsDialog, EmptyFigureListWarnsOnceAndStoresTheBlank) {
    open(settingsFile({{"OPTIONA1", "1"}, {"OPTIONN", "1"}}, 0));
    EXPECT_EQ(listCount(window, IDC_SLOT1_LIST), 1);
    EXPECT_EQ(listSelection(window, IDC_SLOT1_LIST), -1);
    EXPECT_EQ(choose(1, 0), std::vector{chooseOne});
    EXPECT_EQ(listSelection(window, IDC_SLOT1_LIST), 0);
    EXPECT_EQ(settings::OPTIONA[1], 0);
    // The list keeps reporting the blank as the focus comes and goes: no warning without end.
    auto again = answerWarnings([&] {
        notifyList(window, IDC_SLOT1_LIST, CBN_SETFOCUS);
        notifyList(window, IDC_SLOT1_LIST, CBN_KILLFOCUS);
    });
    EXPECT_TRUE(again.empty());
}

TEST_F(SettingsDialog, TemplateFrameAndTabStops) {
    open(settingsFile({}));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    for (DWORD bit :
         {DWORD(WS_POPUP), DWORD(WS_CAPTION), DWORD(WS_SYSMENU), DWORD(DS_MODALFRAME)}) {
        EXPECT_EQ(style & bit, bit);
    }
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    RECT client;
    GetClientRect(window, &client);
    RECT units{0, 0, 316, 335};
    MapDialogRect(window, &units);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    // Radio buttons are left out: checking one makes it the group's only tab stop.
    int tabStops = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[32];
        GetClassNameW(child, kind, 32);
        const auto childStyle = GetWindowLongPtrW(child, GWL_STYLE);
        const auto buttonKind = childStyle & BS_TYPEMASK;
        const bool button = lstrcmpiW(kind, L"Button") == 0;
        const bool needsTab =
            (button && buttonKind != BS_GROUPBOX && buttonKind != BS_AUTORADIOBUTTON) ||
            lstrcmpiW(kind, L"ComboBox") == 0 || lstrcmpiW(kind, L"ScrollBar") == 0;
        if (needsTab) {
            EXPECT_TRUE(childStyle & WS_TABSTOP) << GetDlgCtrlID(child);
            ++tabStops;
        }
    }
    // OK, CANCEL, 3 check boxes, 6 bars, and a list, a check box and a bar in each row.
    EXPECT_EQ(tabStops, 2 + 3 + 6 + 26 * 3);
}

} // namespace
