// The main window as a user meets it: where it opens, what it paints, what it leaves in the
// settings file when it closes, its system menu, and its icon and cursors.
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

using namespace kestatest;

namespace {

constexpr unsigned black = 0x000000;
constexpr unsigned desktop = 0x336699; // the test prefix's desktop colour 51 102 153

std::string mainSection(const std::string& lines) {
    return "[KESTA]\r\n" + lines + squareFigures();
}

// A pixel well inside the client area, away from the figures in the middle.
unsigned backgroundPixel(HWND window) {
    return clientPixel(window, 5, 5);
}

class Window : public ::testing::Test {
  protected:
    void TearDown() override {
        closeProgram(program);
        removeIni();
    }
    Program program{};
};

void expectPlace(HWND window, int left, int top, int width, int height) {
    RECT r = windowRect(window);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

// The default place: the screen's top left corner, 640 by 480 pixels.
void expectDefaultPlace(HWND window) {
    expectPlace(window, 0, 0, 640, 480);
}

} // namespace

TEST_F(Window, DefaultsOpenAt640By480AndCloseAddsOnlyTheViewAndGeometryKeys) {
    writeIni(squareFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    expectDefaultPlace(program.window);
    EXPECT_EQ(backgroundPixel(program.window), black);

    EXPECT_EQ(closeProgram(program), 0);
    std::vector<std::string> expected{"VIEW",     "ENKIN",    "BKMODE",   "ZANZOU",  "KAITEN",
                                      "SCREEN_T", "SCREEN_L", "SCREEN_H", "SCREEN_W"};
    EXPECT_EQ(iniKeys(), expected);
    EXPECT_EQ(iniValue("VIEW"), "1");
    EXPECT_EQ(iniValue("ENKIN"), "15");
    EXPECT_EQ(iniValue("BKMODE"), "1");
    EXPECT_EQ(iniValue("SCREEN_W"), "640");
    EXPECT_EQ(iniValue("SCREEN_H"), "480");
    // The figures are left as they were.
    EXPECT_NE(readIni().find(squareFigures()), std::string::npos);
}

TEST_F(Window, GeometryFollowsTheWindowAndSurvivesARestartEvenLeftOfTheScreen) {
    writeIni(mainSection("SCREEN_T=30\r\nSCREEN_L=100\r\nSCREEN_H=300\r\nSCREEN_W=400\r\n"));
    program = startProgram();
    ASSERT_TRUE(program.window);
    expectPlace(program.window, 100, 30, 400, 300);

    // The user drags the window half off the left edge and makes it larger.
    SetWindowPos(program.window, nullptr, -8, 40, 500, 350, SWP_NOZORDER | SWP_NOACTIVATE);
    settle(program.window);
    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_EQ(iniValue("SCREEN_L"), "4294967288");
    EXPECT_EQ(iniValue("SCREEN_T"), "40");
    EXPECT_EQ(iniValue("SCREEN_W"), "500");
    EXPECT_EQ(iniValue("SCREEN_H"), "350");

    program = startProgram();
    ASSERT_TRUE(program.window);
    expectPlace(program.window, -8, 40, 500, 350);
}

TEST_F(Window, AnUnreachableStoredPlaceOpensAtTheDefaultAndIsStoredSo) {
    const char* places[] = {
        "SCREEN_T=99999999999\r\nSCREEN_L=99999999999\r\n", // far right and below every screen
        "SCREEN_T=-2000\r\nSCREEN_L=100\r\n",               // above the screen
        "SCREEN_T=30\r\nSCREEN_L=-700\r\n",                 // caption wholly left of it
        "SCREEN_H=4294967295\r\n",                          // no height at all
        "SCREEN_H=abc\r\n",
        "SCREEN_H=20\r\n", // the caption and the menu bar take it all
        "SCREEN_W=0\r\n",
    };
    for (const char* place : places) {
        SCOPED_TRACE(place);
        writeIni(mainSection(place));
        program = startProgram();
        ASSERT_TRUE(program.window);
        expectDefaultPlace(program.window);
        EXPECT_EQ(closeProgram(program), 0);
        EXPECT_EQ(iniValue("SCREEN_L"), "0");
        EXPECT_EQ(iniValue("SCREEN_T"), "0");
        EXPECT_EQ(iniValue("SCREEN_W"), "640");
        EXPECT_EQ(iniValue("SCREEN_H"), "480");
    }
    // A caption partly on the screen is within reach: the window opens where it was.
    writeIni(mainSection("SCREEN_T=700\r\nSCREEN_L=-300\r\nSCREEN_W=400\r\nSCREEN_H=300\r\n"));
    program = startProgram();
    ASSERT_TRUE(program.window);
    RECT r = windowRect(program.window);
    EXPECT_EQ(r.left, -300);
    EXPECT_EQ(r.top, 700);
}

TEST_F(Window, BackgroundIsBlackOnlyForBkmodeOne) {
    for (int mode : {1, 0, 2, 7}) {
        SCOPED_TRACE(mode);
        writeIni(mainSection("BKMODE=" + std::to_string(mode) + "\r\n"));
        program = startProgram();
        ASSERT_TRUE(program.window);
        settle(program.window);
        EXPECT_EQ(backgroundPixel(program.window), mode == 1 ? black : desktop);
        // A move repaints from the desktop copy taken at start, not from what lay behind.
        SetWindowPos(program.window, nullptr, 60, 50, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        settle(program.window);
        EXPECT_EQ(backgroundPixel(program.window), mode == 1 ? black : desktop);
        EXPECT_EQ(closeProgram(program), 0);
    }
}

TEST_F(Window, SystemMenuEndsWithTheSevenProgramItems) {
    writeIni(squareFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    ASSERT_TRUE(installProbe(program));
    ProbeReport report = probe(program);
    std::vector<MenuItem> system;
    for (const MenuItem& item : report.items) {
        if (item.menu == "system" && item.depth == 0) {
            system.push_back(item);
        }
    }
    ASSERT_GT(system.size(), 7u) << "the platform's own items come first";
    std::vector<std::pair<unsigned, std::string>> expected{{0, ""},
                                                           {1, "メニューの表示(&D)"},
                                                           {0, ""},
                                                           {3, "描画開始(&I)"},
                                                           {4, "描画停止(&T)"},
                                                           {0, ""},
                                                           {5, "設定(&S)"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const MenuItem& item = system[system.size() - expected.size() + i];
        EXPECT_EQ(item.separator, expected[i].first == 0) << i;
        EXPECT_EQ(item.id, expected[i].first) << i;
        EXPECT_EQ(item.text, expected[i].second) << i;
    }
    // The menu bar is there from the start, unchecked.
    std::vector<std::string> bar;
    for (const MenuItem& item : report.items) {
        if (item.menu == "menu" && item.depth == 0) {
            bar.push_back(item.text);
        }
    }
    EXPECT_EQ(bar, (std::vector<std::string>{"描画", "設定", "設定その２", "見え方", "遠近"}));
    EXPECT_TRUE(checkedItems(report, "menu").empty());
}

// What the command-line driver prints for one verb.
std::string driverOutput(const wchar_t* verb) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring command =
        L"\"" + buildDirectory() + L"\\programs\\kesta_driver.exe\" " + std::wstring(verb);
    PROCESS_INFORMATION process{};
    std::string output;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(writeEnd);
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            output.append(buffer, got);
        }
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        CloseHandle(writeEnd);
    }
    CloseHandle(readEnd);
    std::erase(output, '\r');
    return output;
}

TEST_F(Window, TheDriverPrintsBothMenusAsTheProgramSeesThem) {
    writeIni(squareFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    const std::string system = driverOutput(L"sysmenu");
    EXPECT_NE(system.find("item 3 描画開始(&I)"), std::string::npos) << system;
    EXPECT_NE(system.find("item 5 設定(&S)"), std::string::npos) << system;
    EXPECT_EQ(system.find("遠近"), std::string::npos) << "the menu bar's items are not in it";
    const std::string bar = driverOutput(L"menu");
    EXPECT_NE(bar.find("遠近\n"), std::string::npos) << bar;
    EXPECT_NE(bar.find("\n  item 40007 背景(&B)\n"), std::string::npos) << "inside its popup";
}

TEST(Resources, IconAndBothCursorsLoad) {
    HINSTANCE self = GetModuleHandleW(nullptr);
    EXPECT_TRUE(LoadIconW(self, MAKEINTRESOURCEW(IDI_KESTA)));
    EXPECT_TRUE(LoadCursorW(self, MAKEINTRESOURCEW(IDC_KESTA)));
    // The animated cursor is its own resource type, not a plain cursor group.
    EXPECT_TRUE(FindResourceW(self, MAKEINTRESOURCEW(IDC_KESTA_ANIMATED), RT_ANICURSOR));
    EXPECT_TRUE(LoadCursorW(self, MAKEINTRESOURCEW(IDC_KESTA_ANIMATED)));
}

TEST_F(Window, EveryTimerMessageDrawsAFrameWhateverItsIdentifier) {
    writeIni(mainSection("BKMODE=1\r\n"));
    program = startProgram();
    ASSERT_TRUE(program.window);
    settle(program.window);
    RECT client;
    GetClientRect(program.window, &client);
    // The middle of the first of the two squares standing left and right of the centre.
    int x = client.right / 2 - 50;
    int y = client.bottom / 2;
    ASSERT_EQ(clientPixel(program.window, x, y), black) << "a paint draws no figures";

    PostMessageW(program.window, WM_TIMER, 7, 0);
    settle(program.window);
    EXPECT_NE(clientPixel(program.window, x, y), black) << "timer 7 draws a frame";
}
