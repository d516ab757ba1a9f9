// The menu-bar and system-menu commands, driven as a user would, with the menus and the timer
// ticks read from inside the program by the probe.
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kestatest;

namespace {

std::string mainSection(const std::string& lines) {
    return "[KESTA]\r\n" + lines + squareFigures();
}

void popupOpens(HWND window, LPARAM popup) {
    DWORD_PTR ignored;
    SendMessageTimeoutW(window, WM_INITMENUPOPUP, 0, popup, SMTO_NORMAL, 30000, &ignored);
}

bool contains(const std::vector<unsigned>& ids, unsigned id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class Commands : public ::testing::Test {
  protected:
    void start(const std::string& ini) {
        writeIni(ini);
        program = startProgram();
        ASSERT_TRUE(program.window);
        ASSERT_TRUE(installProbe(program));
    }
    // Timer-100 ticks counted over one second.
    long ticksPerSecond() {
        long before = probe(program).ticks100;
        Sleep(1000);
        return probe(program).ticks100 - before;
    }
    std::vector<unsigned> checkedBarItems() { return checkedItems(probe(program), "menu"); }
    void TearDown() override {
        closeProgram(program);
        removeIni();
    }
    Program program{};
};

} // namespace

TEST_F(Commands, StartAndStopKeepOneTimerWhateverTheOrder) {
    start(mainSection("TIMER=50\r\n"));
    EXPECT_EQ(ticksPerSecond(), 0) << "the window opens still";

    sendCommand(program.window, IDM_STOP); // stop while stopped
    sendCommand(program.window, IDM_START);
    sendCommand(program.window, IDM_START); // start while running
    long running = ticksPerSecond();
    EXPECT_GE(running, 10);
    EXPECT_LE(running, 30) << "a second timer would double the rate";

    sendSysCommand(program.window, IDS_SYS_STOP);
    settle(program.window);
    EXPECT_EQ(ticksPerSecond(), 0);
    sendSysCommand(program.window, IDS_SYS_START);
    EXPECT_GE(ticksPerSecond(), 10);
    sendCommand(program.window, IDM_STOP);
    settle(program.window);
    EXPECT_EQ(ticksPerSecond(), 0);
}

TEST_F(Commands, ViewChoiceRereadsTheFileAndRestartsARunningTimerWithItsPeriod) {
    start(mainSection("TIMER=50\r\n"));
    sendCommand(program.window, IDM_START);
    EXPECT_GE(ticksPerSecond(), 10);

    std::string slower = mainSection("TIMER=250\r\n");
    writeIni(slower);
    sendCommand(program.window, IDM_VIEW_30);
    long rate = ticksPerSecond();
    EXPECT_GE(rate, 2);
    EXPECT_LE(rate, 6);

    // The refresh does not start a stopped timer.
    sendCommand(program.window, IDM_STOP);
    sendCommand(program.window, IDM_ENKIN_20);
    EXPECT_EQ(ticksPerSecond(), 0);
}

TEST_F(Commands, ChecksAppearInTheMenuBarOnlyAfterShowMenu) {
    start(mainSection("BKMODE=1\r\nZANZOU=0\r\nKAITEN=0\r\n"));
    sendCommand(program.window, IDM_AFTERIMAGE);
    popupOpens(program.window, 2);
    popupOpens(program.window, 3);
    EXPECT_TRUE(checkedBarItems().empty());

    sendSysCommand(program.window, IDS_SYS_SHOWMENU);
    EXPECT_TRUE(checkedBarItems().empty()) << "a fresh copy of the menu";
    popupOpens(program.window, 2);
    EXPECT_EQ(checkedBarItems(), (std::vector<unsigned>{IDM_BACKGROUND, IDM_AFTERIMAGE}));

    sendCommand(program.window, IDM_ROTATION);
    sendCommand(program.window, IDM_BACKGROUND);
    EXPECT_EQ(checkedBarItems(), (std::vector<unsigned>{IDM_AFTERIMAGE, IDM_ROTATION}));

    // A second show-menu keeps the menu, and with it the marks and the window's size.
    RECT before = windowRect(program.window);
    sendSysCommand(program.window, IDS_SYS_SHOWMENU);
    EXPECT_EQ(checkedBarItems(), (std::vector<unsigned>{IDM_AFTERIMAGE, IDM_ROTATION}));
    RECT after = windowRect(program.window);
    EXPECT_TRUE(EqualRect(&before, &after));

    // Popups 3 and 4 mark the current view angle and perspective; other values do nothing.
    popupOpens(program.window, 3);
    popupOpens(program.window, 4);
    popupOpens(program.window, MAKELPARAM(2, 1));
    std::vector<unsigned> marks = checkedBarItems();
    EXPECT_TRUE(contains(marks, IDM_VIEW_10));
    EXPECT_TRUE(contains(marks, IDM_ENKIN_15));
    EXPECT_EQ(marks.size(), 4u);
}

TEST_F(Commands, TogglesFlipTheLowestBitAndExitWritesTheViewSettings) {
    start(mainSection("BKMODE=2\r\nZANZOU=5\r\nKAITEN=0\r\nVIEW=4\r\nENKIN=0\r\n"));
    sendCommand(program.window, IDM_BACKGROUND);
    sendCommand(program.window, IDM_AFTERIMAGE);
    sendCommand(program.window, IDM_ROTATION);
    sendCommand(program.window, IDM_ROTATION);
    sendCommand(program.window, IDM_ROTATION);
    sendCommand(program.window, IDM_VIEW_90);
    sendCommand(program.window, IDM_ENKIN_50);
    settle(program.window);
    // BKMODE 3 still paints the desktop copy.
    EXPECT_EQ(clientPixel(program.window, 5, 5), 0x336699u);

    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_EQ(iniValue("BKMODE"), "3");
    EXPECT_EQ(iniValue("ZANZOU"), "4");
    EXPECT_EQ(iniValue("KAITEN"), "1");
    EXPECT_EQ(iniValue("VIEW"), "9");
    EXPECT_EQ(iniValue("ENKIN"), "50");
}

TEST_F(Commands, AViewNoItemStandsForUsesTheRememberedItemOfEitherGroup) {
    start(mainSection("VIEW=12\r\nENKIN=15\r\n"));
    sendSysCommand(program.window, IDS_SYS_SHOWMENU);
    popupOpens(program.window, 3);
    EXPECT_TRUE(checkedBarItems().empty()) << "nothing remembered yet";

    popupOpens(program.window, 4); // remembers 15 of the perspective group
    popupOpens(program.window, 3);
    EXPECT_EQ(checkedBarItems(), std::vector<unsigned>{IDM_ENKIN_15});

    // Choosing "30" removes the remembered item's mark, whichever group it belongs to.
    sendCommand(program.window, IDM_VIEW_30);
    EXPECT_EQ(checkedBarItems(), std::vector<unsigned>{IDM_VIEW_30});
    // Choosing the checked item again keeps it checked.
    sendCommand(program.window, IDM_VIEW_30);
    EXPECT_EQ(checkedBarItems(), std::vector<unsigned>{IDM_VIEW_30});
    sendCommand(program.window, IDM_ENKIN_45);
    EXPECT_EQ(checkedBarItems(), (std::vector<unsigned>{IDM_VIEW_30, IDM_ENKIN_45}));

    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_EQ(iniValue("VIEW"), "3");
    EXPECT_EQ(iniValue("ENKIN"), "45");
}

TEST_F(Commands, OtherSystemCommandsGoToThePlatform) {
    start(squareFigures());
    // SC_CLOSE through the system menu closes the program like the exit command.
    PostMessageW(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForSingleObject(program.process.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(iniValue("SCREEN_W"), "640");
}
