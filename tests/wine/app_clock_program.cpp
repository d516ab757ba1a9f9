// The clock in the real program: turned on through the words dialog (its keys written, the
// figures it lacked made, the stored word kept), drawn anew across a second of the system clock
// and still within one, and turned off again, bringing the stored word back.
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>
#include <algorithm>

using namespace kestatest;

namespace {

// A still row (no turning, no travel, no tilt) of two squares, so that only a changed figure
// changes the picture.
const std::string original = "[KESTA]\r\nTIMER=50\r\nOPTIONN=2\r\nOPTIONA1=1\r\nOPTIONA2=2\r\n"
                             "STEPRAG=0\r\nOPTIONP=1\r\nVIEW=0\r\nSIZE=6\r\nSIZEY=6\r\n"
                             "[MOJI ZAHYO]\r\nZAHYO1=" +
                             squareValue("A") + "\r\nZAHYO2=" + squareValue("SQUARE") + "\r\n";

class ClockInProgram : public testing::Test {
  protected:
    void SetUp() override {
        writeIni(original);
        program = startProgram();
        ASSERT_TRUE(program.window);
        sendCommand(program.window, IDM_START);
    }
    void TearDown() override {
        if (HWND open = FindWindowW(L"#32770", wordsDialogTitle)) {
            PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
            waitFor([&] { return !IsWindow(open); }, 5000);
        }
        closeProgram(program);
        removeIni();
    }

    // Opens the words dialog from the menu, chooses the text or the time, and presses OK.
    bool chooseAndOk(int choice) {
        postCommand(program.window, IDM_WORDS);
        HWND words = findDialog(wordsDialogTitle);
        waitFor([&] { return IsWindowVisible(words) != FALSE; });
        if (!words || !clickButton(words, choice)) {
            return false;
        }
        EXPECT_EQ(isEnabled(words, IDC_WORDS_FORM), choice == IDC_WORDS_USE_CLOCK);
        Sleep(500);
        PostMessageW(GetDlgItem(words, IDOK), BM_CLICK, 0, 0);
        return waitFor([&] { return !IsWindow(words); }, 60000);
    }

    std::vector<std::uint32_t> frame() {
        RECT client;
        GetClientRect(program.window, &client);
        MapWindowPoints(program.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        settle(program.window);
        return captureScreen(client);
    }

    // How wide the drawn row is: from its leftmost to its rightmost lit column.
    int rowWidth(const std::vector<std::uint32_t>& pixels) {
        RECT client;
        GetClientRect(program.window, &client);
        int left = client.right, right = -1;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const int x = static_cast<int>(i % static_cast<std::size_t>(client.right));
            if (pixels[i] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        return right - left + 1;
    }

    static int lit(const std::vector<std::uint32_t>& pixels) {
        int count = 0;
        for (std::uint32_t p : pixels) {
            count += p != 0 ? 1 : 0;
        }
        return count;
    }

    // Waits until the system clock is this many milliseconds into a second.
    static void waitForMillisecond(int wanted) {
        waitFor(
            [&] {
                SYSTEMTIME now;
                GetLocalTime(&now);
                return now.wMilliseconds >= wanted && now.wMilliseconds < wanted + 100;
            },
            3000);
    }

    Program program;
};

TEST_F(ClockInProgram, TurnedOnItDrawsTheSecondsAndTurnedOffTheWordIsBack) {
    const std::vector<std::uint32_t> wordFrame = frame();
    const int word = lit(wordFrame);
    ASSERT_TRUE(chooseAndOk(IDC_WORDS_USE_CLOCK));
    EXPECT_EQ(iniValue("TOKEI"), "1");
    EXPECT_EQ(iniValue("TOKEIFORM"), "1");
    // The stored word stays; the figures of the time were made.
    EXPECT_EQ(iniValue("OPTIONN"), "2");
    EXPECT_EQ(iniValue("OPTIONA1"), "1");
    EXPECT_EQ(iniValue("OPTIONA2"), "2");
    const std::string file = readIni();
    for (const char* name : {"=0,", "=5,", "=9,", "=:,"}) {
        EXPECT_NE(file.find(name), std::string::npos) << name;
    }

    // Within one second the picture stands; across one the seconds' digit changes.
    waitForMillisecond(150);
    const std::vector<std::uint32_t> early = frame();
    waitForMillisecond(600);
    const std::vector<std::uint32_t> late = frame();
    waitForMillisecond(300);
    const std::vector<std::uint32_t> next = frame();
    EXPECT_EQ(early, late);
    EXPECT_NE(late, next);
    EXPECT_GT(rowWidth(next), rowWidth(wordFrame) * 3); // eight cells where two squares were

    // The text chosen again with nothing typed: the clock goes off and the word comes back.
    ASSERT_TRUE(chooseAndOk(IDC_WORDS_USE_TEXT));
    EXPECT_EQ(iniValue("TOKEI"), "0");
    EXPECT_EQ(iniValue("OPTIONN"), "2");
    EXPECT_EQ(lit(frame()), word);
}

TEST_F(ClockInProgram, ClosingTheProgramWritesNoClockKey) {
    closeProgram(program);
    EXPECT_EQ(iniValue("TOKEI"), "");
    EXPECT_EQ(iniValue("TOKEIFORM"), "");
    program = startProgram();
}

} // namespace
