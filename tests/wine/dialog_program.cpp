// The settings dialog inside the real program: opened from the menu bar and the system menu, the
// main window keeps animating and repainting behind it, and whichever button closes it the
// program re-reads the file and restarts its timer with the period the file now holds.
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kestatest;

namespace {

const wchar_t* const dialogTitle = L"KESTA_x64_\u8a2d\u5b9a";

// Every settings dialog on the screen, the frontmost first.
std::vector<HWND> settingsDialogs() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            wchar_t title[64] = L"";
            GetWindowTextW(window, title, 64);
            if (std::wstring(title) == dialogTitle) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

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
    EXPECT_GT(ticksPerSecond(), 6) << "the main window keeps animating";

    scrollBar(dialog, IDC_TIMER_BAR, SB_THUMBTRACK, 250);
    repaintMainWindow();
    EXPECT_EQ(controlText(dialog, IDC_TIMER_VALUE), L"250") << "a paint keeps the dialog's edits";
    EXPECT_GT(ticksPerSecond(), 6) << "the period changes only when the dialog closes";

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

TEST_F(DialogInProgram, BothSettingsCommandsBringTheOpenDialogForwardInsteadOfASecond) {
    writeIni("[KESTA]\r\nTIMER=55\r\nSIZEIDO=10\r\n" + squareFigures());
    closeProgram(program);
    program = startProgram();
    ASSERT_TRUE(program.window);
    postCommand(program.window, IDM_SETTINGS);
    HWND first = findDialog(dialogTitle);
    ASSERT_NE(first, nullptr);
    settle(program.window);
    scrollBar(first, IDC_TIMER_BAR, SB_THUMBTRACK, 60);

    // The user goes back to the main window and asks for the settings again, both ways.
    SetForegroundWindow(program.window);
    postCommand(program.window, IDM_SETTINGS);
    settle(program.window);
    Sleep(300);
    PostMessageW(program.window, WM_SYSCOMMAND, IDS_SYS_SETTINGS, 0);
    settle(program.window);
    Sleep(300);
    const std::vector<HWND> open = settingsDialogs();
    EXPECT_EQ(open.size(), 1u);
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_TRUE(IsWindowEnabled(program.window));

    // Whatever opened on top: an edit there, dropped with CANCEL, must not decide the first
    // dialog's OK.
    for (HWND other : open) {
        if (other != first) {
            scrollBar(other, IDC_SIZEIDO_BAR, SB_THUMBTRACK, 9);
            closeWith(other, IDCANCEL);
        }
    }
    closeWith(first, IDOK);
    EXPECT_EQ(iniValue("TIMER"), "60");
    EXPECT_EQ(iniValue("SIZEIDO"), "10");
}

TEST_F(DialogInProgram, AModeSwitchRestartsTheRowBehindTheDialogAtOnce) {
    writeIni("[KESTA]\r\nTIMER=20\r\nBKMODE=1\r\nZANZOU=0\r\nSTEPRAG=0\r\nOPTIONP=1\r\n"
             "COLORS=0\r\nCOLOR=2\r\n" +
             squareFigures());
    closeProgram(program);
    program = startProgram();
    ASSERT_TRUE(program.window);
    sendCommand(program.window, IDM_START);
    RECT client;
    GetClientRect(program.window, &client);
    // The middle of the first square, left of the centre, and a point near the top-left corner
    // that a moving row keeps clear of (it stays a slot's width and a figure's height inside).
    const int middleX = client.right / 2 - 50, middleY = client.bottom / 2;
    const int cornerX = 50, cornerY = 5;
    auto drawn = [&](int x, int y) { return clientPixel(program.window, x, y) != 0x000000u; };
    ASSERT_TRUE(waitFor([&] { return drawn(middleX, middleY); }, 5000)) << "a centred row";

    postCommand(program.window, IDM_SETTINGS);
    HWND dialog = findDialog(dialogTitle);
    ASSERT_NE(dialog, nullptr);
    settle(program.window);
    // Out of the way of the pixels read.
    SetWindowPos(dialog, nullptr, 540, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    clickButton(dialog, IDC_MODE_MOVE);
    Sleep(1000);
    EXPECT_FALSE(drawn(cornerX, cornerY)) << "the row moves inside the window, not from its corner";
    clickButton(dialog, IDC_MODE_CENTRE);
    EXPECT_TRUE(waitFor([&] { return drawn(middleX, middleY); }, 3000)) << "centred again";
    closeWith(dialog, IDCANCEL);
}

} // namespace
