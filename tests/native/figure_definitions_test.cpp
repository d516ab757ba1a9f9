#include "figures/figures.h"
#include "tests/support/profile_memory.h"
#include "settings/settings.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace figures;

// A value with header h0..h5 and the given contour ranges, padded to 13 with 0,0.
std::string figure(int n, const std::string& header, std::string ranges, int usedRanges,
                   const std::string& points) {
    for (int c = usedRanges; c < maxContours; ++c) {
        ranges += ",0,0";
    }
    return "f," + std::to_string(n) + "," + header + "," + ranges + "," + points;
}

const std::string square = "-40,-40,40,-40,40,40,-40,40";

class OutlineSection : public ::testing::Test {
  protected:
    void SetUp() override {
        profile::memory::reset();
        settings::loadSettingNames();
        settings::OPTIONN = 1;
        settings::OPTIONA[1] = 1;
    }
    static void setKeys(const std::string& lines) {
        profile::memory::setFile("kestasv.ini", "[KESTA]\r\nOPTIONN=1\r\n[MOJI ZAHYO]\r\n" + lines);
    }
};

TEST_F(OutlineSection, TheNameListEndsAtAGapOrAnEndMarkerInAnyCase) {
    setKeys("ZAHYO1=,,A,1\r\nZAHYO2=Bee\r\nZAHYO3=" + std::string(30, 'x') + "\r\nZAHYO5=E\r\n");
    loadFigureNames();
    ASSERT_EQ(figureNameCount, 3);
    EXPECT_STREQ(figureNames[0], "A");
    EXPECT_STREQ(figureNames[1], "Bee");
    EXPECT_EQ(figureNames[2], std::string(26, 'x'));
    // A double-byte character is not cut in half (its lead byte would be the 26th).
    setKeys("ZAHYO1=" + std::string(25, 'y') + "\x83\x5c\r\nZAHYO2=zahyo-end,1\r\nZAHYO3=C\r\n");
    loadFigureNames();
    ASSERT_EQ(figureNameCount, 1);
    EXPECT_EQ(figureNames[0], std::string(25, 'y'));
}

TEST_F(OutlineSection, ASquareWithAHoleFillsTheTablesAsWritten) {
    setKeys("ZAHYO1=box,8,0,1,0,0,0,2,1,4,5,8,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0," +
            square + ",-20,-20,20,-20,20,20,-20,20\r\n");
    loadFigures();
    EXPECT_EQ(pointCount[1], 8);
    EXPECT_EQ(figureHeader[1], (std::array<std::int32_t, 6>{0, 1, 0, 0, 0, 2}));
    EXPECT_EQ(contourStart[1][1], 1);
    EXPECT_EQ(contourEnd[1][1], 4);
    EXPECT_EQ(contourStart[1][2], 5);
    EXPECT_EQ(contourEnd[1][2], 8);
    const int xs[] = {0, -40, 40, 40, -40, -20, 20, 20, -20};
    const int ys[] = {0, -40, -40, 40, 40, -20, -20, 20, 20};
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(outlineX[1][k], xs[k]) << k;
        EXPECT_EQ(outlineY[1][k], ys[k]) << k;
    }
}

TEST_F(OutlineSection, FieldsSplitOnCommaRunsAndReadAsAtofTruncated) {
    setKeys("ZAHYO22=,,tri,,3,,0 ,1,0,0,0, 1.9,,,1,3" + figure(0, "", "", 1, "").substr(3) +
            ",,10.7,-10.7, +1e1,0x10,junk,-0.5\r\n");
    settings::OPTIONA[1] = 22;
    pointCount[2] = 7;
    loadFigures();
    ASSERT_EQ(pointCount[1], 3);
    EXPECT_EQ(contourCount(1), 1);
    EXPECT_EQ(outlineX[1][1] * 1000 + outlineY[1][1], 10 * 1000 - 10);
    EXPECT_EQ(outlineX[1][2] * 1000 + outlineY[1][2], 10 * 1000 + 16);
    EXPECT_EQ(outlineX[1][3] * 1000 + outlineY[1][3], 0);
    EXPECT_EQ(pointCount[2], 7); // beyond OPTIONN: untouched

    const std::pair<const char*, std::int32_t> cases[] = {{" \t-3.99e0x", -3}, {"1e400", INT_MAX},
                                                          {"-1e400", INT_MIN}, {"1e-400", 0},
                                                          {"3e9", INT_MAX},    {"-inf", INT_MIN},
                                                          {"nan(1)", 0},       {"+-5", 0},
                                                          {"0x", 0},           {"0x1.8p3", 12},
                                                          {"-0X.8p1", -1},     {"5.e1", 50},
                                                          {"1e", 1},           {"", 0},
                                                          {"0.000e99999", 0},  {"123e-2", 1}};
    for (auto [text, expected] : cases) {
        EXPECT_EQ(fieldValue(text), expected) << text;
    }
}

TEST_F(OutlineSection, AFullFigureReadsTheSameEveryTime) {
    std::string ranges = "1,9", points = "1,-1";
    for (int c = 2; c <= maxContours; ++c) { // 10..12, 13..15, ... 43..45
        ranges += "," + std::to_string(3 * c + 4) + "," + std::to_string(3 * c + 6);
    }
    for (int k = 2; k <= maxPoints; ++k) {
        points += "," + std::to_string(k) + "," + std::to_string(-k);
    }
    setKeys("ZAHYO1=" + figure(45, "9,1,10,0,0,13", ranges, 13, points) + "\r\n");
    loadFigures();
    ASSERT_EQ(pointCount[1], 45);
    EXPECT_EQ(contourEnd[1][13], 45);
    EXPECT_EQ(outlineY[1][45], -45);
    auto x = outlineX;
    outlineX[1][3] = 999; // as the builder rewrites it
    loadFigures();
    EXPECT_EQ(outlineX, x);
}

TEST_F(OutlineSection, FiguresOutsideTheFormatLeaveTheSlotEmptyAndMissingFieldsReadAsZero) {
    const std::string one = "0,0,0,0,0,1", two = "0,0,0,0,0,2";
    const std::string cases[] = {figure(0, one, "1,1", 1, ""),
                                 figure(46, one, "1,46", 1, square),
                                 figure(4, "0,0,0,0,0,0", "1,4", 1, square),
                                 figure(4, "0,0,0,0,0,14", "1,4", 1, square),
                                 figure(4, one, "0,4", 1, square),
                                 figure(4, one, "4,1", 1, square),
                                 figure(4, one, "1,5", 1, square),
                                 figure(4, two, "1,2,4,4", 2, square),
                                 figure(4, two, "1,4,2,3", 2, square),
                                 figure(4, one, "1,3", 1, square),
                                 figure(2, one, "1,2", 1, "-10000,5,-9999,-9999"),
                                 "half,4,0,0",
                                 "ZAHYO-END,1,0,0,0,0,0,1,1,1"};
    for (const auto& value : cases) {
        pointCount[1] = figureHeader[1][5] = contourEnd[1][1] = 5;
        setKeys("ZAHYO1=" + value + "\r\n");
        loadFigures();
        EXPECT_EQ(pointCount[1] + contourCount(1) + contourEnd[1][1], 0) << value;
    }
    settings::OPTIONA[1] = 2; // no such key
    loadFigures();
    EXPECT_EQ(pointCount[1], 0);

    setKeys("ZAHYO2=" + figure(4, one, "1,4", 1, "40,40,-40") + "\r\n");
    loadFigures();
    ASSERT_EQ(pointCount[1], 4);
    EXPECT_EQ(outlineX[1][2] * 1000 + outlineY[1][2], -40 * 1000);
    EXPECT_EQ(outlineX[1][4], 0);
}

} // namespace
