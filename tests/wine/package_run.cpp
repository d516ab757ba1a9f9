// The unzipped package, started from its own folder in a prefix whose Windows directory refuses
// the settings file (tests/package/run_package.sh prepares it and names the folder in
// KESTA_PACKAGE_DIR; in the other Windows tests this one is skipped).
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <shlobj.h>

using namespace kestatest;

TEST(Package, RunsFromItsFolderAndKeepsTheSettingsPerUser) {
    const char* folder = std::getenv("KESTA_PACKAGE_DIR");
    if (!folder || !*folder) {
        GTEST_SKIP() << "run by tests/package/run_package.sh";
    }
    const std::string dir(folder);
    Program program = startProgramFrom(std::wstring(dir.begin(), dir.end()) + L"\\kesta.exe");
    ASSERT_TRUE(program.window);
    sendCommand(program.window, IDM_START);
    Sleep(500);
    EXPECT_GT(litClientPixels(program.window), 20) << "the sample word is drawn";
    MoveWindow(program.window, 20, 30, 520, 360, TRUE);
    settle(program.window);
    EXPECT_EQ(closeProgram(program), 0);

    PWSTR roaming = nullptr;
    SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming);
    const std::wstring userIni = std::wstring(roaming) + L"\\KESTA\\kestasv.ini";
    CoTaskMemFree(roaming);
    std::ifstream in(narrow(userIni), std::ios::binary);
    const std::string stored(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(stored.find("SCREEN_L=20\r\n"), std::string::npos);
    EXPECT_NE(stored.find("SCREEN_T=30\r\n"), std::string::npos);
    EXPECT_NE(stored.find("SCREEN_W=520\r\n"), std::string::npos);
    EXPECT_NE(stored.find("SCREEN_H=360\r\n"), std::string::npos);
    EXPECT_NE(stored.find("[MOJI ZAHYO]"), std::string::npos);
}
