// The settings dialog inside the real program: opened from the menu bar and the system menu, the
// main window keeps animating and repainting behind it, and whichever button closes it the
// program re-reads the file and restarts its timer with the period the file now holds.
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

using namespace kestatest;

namespace {

const wchar_t* const dialogTitle = L"KESTA_x64_\u8a2d\u5b9a";

class DialogInProgram : public testing::Test {
  protected:
    void SetUp() override {
        writeIni("[KESTA]\r\nTIMER=50\r\nHABA=7\r\nHABAJIDO=1\r\nCOLORS=0\r\nCOLOR=2\r\n"
                 "OPTIONC1=5\r\nOPTIONC2=6\r\n" +
                 squareFigures());
        program = startProgram();
        ASSERT_TRUE(program.window);
        ASSERT_TRUE(installProbe(program));
        sendCommand(program.window, IDM_START);
    }

    void TearDown() override {
        if (HWND open = FindWindowW(L"#32770", dialogTitle)) {
            PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        }
        closeProgram(program);
        removeIni();
    }

    long ticksPerSecond() {
        long before = probe(program).ticks100;
        Sleep(1000);
        return probe(program).ticks100 - before;
    }

    // Paints the main window the way uncovering it would, and lets the paint run.
    void repaintMainWindow() {
        RedrawWindow(program.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        settle(program.window);
        Sleep(200);
    }

    void closeWith(HWND dialog, int button) {
        answerWarnings([&] { clickButton(dialog, button); });
        waitFor([&] { return !IsWindow(dialog); });
        settle(program.window);
    }

    Program program{};
};

TEST_F(DialogInProgram, OkSavesWhatTheDialogShowsWhileTheWindowAnimatesAndRepaints) {
    postCommand(program.window, IDM_SETTINGS);
    HWND dialog = findDialog(dialogTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowEnabled(program.window));
    EXPECT_GE(ticksPerSecond(), 10) << "the main window keeps animating";

    scrollBar(dialog, IDC_TIMER_BAR, SB_THUMBTRACK, 250);
    repaintMainWindow();
    EXPECT_EQ(controlText(dialog, IDC_TIMER_VALUE), L"250") << "a paint keeps the dialog's edits";
    EXPECT_GE(ticksPerSecond(), 10) << "the period changes only when the dialog closes";

    closeWith(dialog, IDOK);
    EXPECT_EQ(iniValue("TIMER"), "250");
    EXPECT_EQ(iniValue("HABA"), "7") << "not the automatic depth of the rebuild";
    EXPECT_EQ(iniValue("OPTIONC1"), "5") << "not COLOR, copied in by the rebuild";
    EXPECT_EQ(iniValue("OPTIONC2"), "6");
    const long rate = ticksPerSecond();
    EXPECT_GE(rate, 2);
    EXPECT_LE(rate, 6);
}

TEST_F(DialogInProgram, CancelFromTheSystemMenuDropsTheEdits) {
    const std::string saved = readIni();
    PostMessageW(program.window, WM_SYSCOMMAND, IDS_SYS_SETTINGS, 0);
    HWND dialog = findDialog(dialogTitle);
    ASSERT_NE(dialog, nullptr);
    scrollBar(dialog, IDC_TIMER_BAR, SB_THUMBTRACK, 250);
    repaintMainWindow();
    closeWith(dialog, IDCANCEL);
    EXPECT_EQ(readIni(), saved);
    EXPECT_GE(ticksPerSecond(), 10) << "the file's period again";
}

} // namespace
