// The settings store on the real private-profile functions, on C:\windows\kestasv.ini of the
// test prefix (saved and put back around every test).
#include "settings/profile.h"
#include "settings/settings.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace settings;

const char* const iniPath = "C:\\windows\\kestasv.ini";

// The platform keeps parsed files cached; drop them whenever the bytes are touched directly.
void forgetCachedFiles() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "kestasv.ini");
}

std::optional<std::string> fileBytes() {
    forgetCachedFiles();
    std::ifstream in(iniPath, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void setFileBytes(const std::optional<std::string>& bytes) {
    forgetCachedFiles();
    DeleteFileA(iniPath);
    if (bytes) {
        std::ofstream(iniPath, std::ios::binary) << *bytes;
    }
}

// "name=digits\r\n" for the keys from..to-1 in key order, skipping one key.
void expectKeyLines(const std::string& lines, int from, int to, const char* skipped = "") {
    std::istringstream in(lines);
    std::string line;
    for (int i = from; i < to; ++i) {
        if (std::string(keyName[i]) == skipped) {
            continue;
        }
        ASSERT_TRUE(std::getline(in, line)) << keyName[i];
        std::string prefix = keyName[i] + std::string("=");
        EXPECT_EQ(line.substr(0, prefix.size()), prefix);
        EXPECT_EQ(line.find_first_not_of("0123456789", prefix.size()), line.size() - 1) << line;
        EXPECT_EQ(line.back(), '\r');
    }
    EXPECT_FALSE(std::getline(in, line)) << line;
}

// Shift-JIS names, one with a trail byte that reads as a backslash.
const std::string outlines = "[MOJI ZAHYO]\r\n"
                             "ZAHYO1=\x83\x5c\x83\x74\x83\x67,1,0,1,0,0,0,1,1,1\r\n"
                             "ZAHYO2=box,4,0,1,0,0,0,1,1,4,-40,-40,40,-40,40,40,-40,40\r\n";

class SettingsProfile : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = fileBytes();
        loadSettingNames();
        startupDone = 0;
    }
    void TearDown() override { setFileBytes(saved); }
    std::optional<std::string> saved;
};

TEST_F(SettingsProfile, NamesComeFromTheResourcesAndANegativeEdgeSurvivesARestart) {
    EXPECT_STREQ(settingsFileName, "kestasv.ini");
    EXPECT_STREQ(outlineSectionName, "MOJI ZAHYO");
    EXPECT_STREQ(outlineEndMarker, "ZAHYO-END");
    char cut[5];
    profile::loadString(1001, cut, sizeof cut);
    EXPECT_STREQ(cut, "kest");

    setFileBytes(std::nullopt);
    SCREEN_L = -8;
    SCREEN_T = INT_MIN;
    writeWindowGeometry();
    EXPECT_NE(fileBytes().value_or("").find("SCREEN_L=4294967288\r\n"), std::string::npos);
    SCREEN_L = SCREEN_T = 0;
    readSettings();
    EXPECT_EQ(SCREEN_L, -8);
    EXPECT_EQ(SCREEN_T, INT_MIN);
}

TEST_F(SettingsProfile, IntegerReadAgreesWithThePlatformsOwn) {
    setFileBytes(std::nullopt);
    const char* values[] = {"4294967288",
                            "-8",
                            "12abc",
                            "abc",
                            "",
                            " +7",
                            "0x1f",
                            "0o17",
                            "0b101",
                            "0X1f",
                            "-0x10",
                            "+-5",
                            "\"12\"",
                            "99999999999",
                            "4294967296",
                            "000000000000000000000000000001",
                            "00000000000000000000000000001"};
    int n = 0;
    for (const char* value : values) {
        char key[8];
        std::snprintf(key, sizeof key, "K%d", n++);
        WritePrivateProfileStringA("T", key, value, "kestasv.ini");
        EXPECT_EQ(profile::readInt("T", key, 42, "kestasv.ini"),
                  GetPrivateProfileIntA("T", key, 42, "kestasv.ini"))
            << value;
    }
    EXPECT_EQ(profile::readInt("T", "missing", 42, "kestasv.ini"), 42u);
}

TEST_F(SettingsProfile, WritingEveryGroupKeepsTheRestOfTheFileByteForByte) {
    const std::string head = outlines + "[KESTA]\r\nFOO=bar\r\nTIMER=100\r\n";
    const std::string tail = "[OTHER]\r\nx=1,2\r\n";
    setFileBytes(head + tail);
    readSettings();
    EXPECT_EQ(TIMER, 100);
    writeDialogSettings();
    writeViewSettings();
    writeWindowGeometry();

    std::string after = fileBytes().value_or("");
    ASSERT_GE(after.size(), head.size() + tail.size());
    EXPECT_EQ(after.substr(0, head.size()), head);
    EXPECT_EQ(after.substr(after.size() - tail.size()), tail);
    expectKeyLines(after.substr(head.size(), after.size() - head.size() - tail.size()), 0, keyCount,
                   "TIMER");
}

TEST_F(SettingsProfile, AFileWithOnlyOutlinesGivesDefaultsAndGainsExactlyTheKeysWritten) {
    setFileBytes(outlines);
    OPTIONA[1] = TIMER = VIEW = SCREEN_W = 777;
    readSettings();
    EXPECT_EQ(OPTIONA[1], 22);
    EXPECT_EQ(TIMER, 55);
    EXPECT_EQ(VIEW, 1);
    EXPECT_EQ(SCREEN_W, 640);

    writeDialogSettings();
    std::string after = fileBytes().value_or("");
    ASSERT_EQ(after.substr(0, outlines.size() + 9), outlines + "[KESTA]\r\n");
    expectKeyLines(after.substr(outlines.size() + 9), 0, dialogKeyCount);

    writeViewSettings();
    writeWindowGeometry();
    after = fileBytes().value_or("");
    expectKeyLines(after.substr(outlines.size() + 9), 0, keyCount);
}

} // namespace
