#include "tests/support/profile_memory.h"
#include "settings/settings.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace settings;

// The main section as the writers leave it with every setting at its default, in key order.
std::string defaultSection() {
    std::string lines = "[KESTA]\r\n";
    auto add = [&](const std::string& key, int value) {
        lines += key + "=" + std::to_string(value) + "\r\n";
    };
    auto perSlot = [&](const char* key, auto value) {
        for (int n = 1; n <= slotCount; ++n) {
            add(key + std::to_string(n), value(n));
        }
    };
    perSlot("OPTIONA", [](int n) { return n == 1 ? 22 : n == 2 ? 5 : 0; });
    perSlot("OPTIONC", [](int) { return 3; });
    add("OPTIONN", 2);
    perSlot("ZKAITEN", [](int) { return 0; });
    add("OPTIONP", 0);
    add("STEPRAG", 9);
    perSlot("STEPRAG", [](int) { return 9; });
    for (auto [key, value] : {std::pair<const char*, int>{"HABA", 0},
                              {"HABAJIDO", 1},
                              {"SIZES", 1},
                              {"SIZE", 10},
                              {"SIZEY", 10},
                              {"SIZEIDO", 10},
                              {"COLOR", 3},
                              {"COLORS", 0},
                              {"TIMER", 55},
                              {"VIEW", 1},
                              {"ENKIN", 15},
                              {"BKMODE", 1},
                              {"ZANZOU", 0},
                              {"KAITEN", 0},
                              {"SCREEN_T", 0},
                              {"SCREEN_L", 0},
                              {"SCREEN_H", 480},
                              {"SCREEN_W", 640}}) {
        add(key, value);
    }
    return lines;
}

const std::string outlines = "[MOJI ZAHYO]\r\nZAHYO1=box,1,0,1,0,0,0,1\r\n";

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        profile::memory::reset();
        loadSettingNames();
        startupDone = 0;
    }
    static std::string file() { return profile::memory::file("kestasv.ini").value_or(""); }
};

TEST_F(SettingsFile, NamesAreCutToTheirBuffers) {
    EXPECT_STREQ(settingsFileName, "kestasv.ini");
    EXPECT_STREQ(outlineSectionName, "MOJI ZAHYO");
    EXPECT_STREQ(outlineEndMarker, "ZAHYO-END");
    profile::memory::setString(1001, "settingsfile.ini");
    profile::memory::setString(1017, "OPTIONNUMBER");
    loadSettingNames();
    EXPECT_STREQ(settingsFileName, "settingsfile");
    EXPECT_STREQ(keyName[52], "OPTIONNUM");
}

TEST_F(SettingsFile, AFileWithOnlyOutlinesGivesDefaultsAndGainsExactlyTheKeysWritten) {
    profile::memory::setFile("kestasv.ini", outlines);
    OPTIONA.fill(777);
    SCREEN_W = TIMER = VIEW = 777;
    readSettings();
    EXPECT_EQ(OPTIONA[1], 22);
    EXPECT_EQ(OPTIONA[26], 0);
    EXPECT_EQ(TIMER, 55);
    EXPECT_EQ(VIEW, 1);
    EXPECT_EQ(SCREEN_W, 640);

    const std::string all = defaultSection();
    writeDialogSettings();
    EXPECT_EQ(file(), outlines + all.substr(0, all.find("VIEW=")));
    writeViewSettings();
    writeWindowGeometry();
    EXPECT_EQ(file(), outlines + all);
}

TEST_F(SettingsFile, WritersReplaceInPlaceWithTheUnsignedPatternAndKeepEverythingElse) {
    profile::memory::setFile("KESTASV.INI",
                             outlines + "[KESTA]\n; kept\nFOO=bar\nscreen_l = 5\n\n[OTHER]\nx=1");
    SCREEN_T = INT32_MIN;
    SCREEN_L = -8;
    SCREEN_H = 300;
    SCREEN_W = 400;
    writeWindowGeometry();
    EXPECT_EQ(file(), outlines +
                          "[KESTA]\n; kept\nFOO=bar\nSCREEN_L=4294967288\r\n"
                          "SCREEN_T=2147483648\r\nSCREEN_H=300\r\nSCREEN_W=400\n\n[OTHER]\nx=1");
    SCREEN_T = SCREEN_L = 0;
    readSettings();
    EXPECT_EQ(SCREEN_T, INT32_MIN);
    EXPECT_EQ(SCREEN_L, -8);
}

TEST_F(SettingsFile, AfterStartUpOnlyTheDialogGroupIsReadAgain) {
    profile::memory::setFile("kestasv.ini", "[kesta]\nVIEW=5\nsize=20\nSCREEN_L=-8\n");
    readSettings();
    EXPECT_EQ(VIEW, 5);
    EXPECT_EQ(SIZE, 20);
    EXPECT_EQ(SCREEN_L, -8);
    startupDone = 1;
    VIEW = 3;
    profile::memory::setFile("kestasv.ini", "[KESTA]\nVIEW=7\nSIZE=30abc\nSCREEN_L=9\n");
    readSettings();
    EXPECT_EQ(SIZE, 30);
    EXPECT_EQ(VIEW, 3);
    EXPECT_EQ(SCREEN_L, -8);
}

TEST_F(SettingsFile, TheClockKeysAreReadAlwaysAndWrittenOnlyByTheirOwnWriter) {
    profile::memory::setFile("kestasv.ini", outlines);
    TOKEI = TOKEIFORM = 777;
    readSettings();
    EXPECT_EQ(TOKEI, 0);
    EXPECT_EQ(TOKEIFORM, 1);
    // The three groups' writers keep to their keys.
    writeDialogSettings();
    writeViewSettings();
    writeWindowGeometry();
    EXPECT_EQ(file(), outlines + defaultSection());

    startupDone = 1;
    TOKEI = 1;
    TOKEIFORM = -3;
    writeClockSettings();
    EXPECT_EQ(file(), outlines + defaultSection() + "TOKEI=1\r\nTOKEIFORM=4294967293\r\n");
    TOKEI = TOKEIFORM = 0;
    readSettings();
    EXPECT_EQ(TOKEI, 1);
    EXPECT_EQ(TOKEIFORM, -3);

    // A refused write stays in effect for the run, and the next write that goes through ends it.
    profile::memory::refuseWrites("kestasv.ini", true);
    TOKEI = 0;
    writeClockSettings();
    readSettings();
    EXPECT_EQ(TOKEI, 0);
    EXPECT_EQ(profile::memory::writeFailureReports(), 1);
    profile::memory::refuseWrites("kestasv.ini", false);
    writeClockSettings();
    profile::memory::setFile("kestasv.ini", "[KESTA]\nTOKEI=1\n");
    readSettings();
    EXPECT_EQ(TOKEI, 1);
    EXPECT_EQ(TOKEIFORM, 1);
}

} // namespace
