// The screensaver's platform-free parts: reading the arguments Windows passes, the mouse watch
// that ends the full-screen run, and the fit of the row into the preview.
#include "figure_setup.h"
#include "saver/saver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

using namespace figure_setup;
using saver::Mode;
using saver::Refusal;

namespace {

struct ArgumentCase {
    std::wstring_view arguments;
    bool screensaverName;
    Mode mode;
    bool hasWindow;
    std::uint64_t window;
    Refusal refusal;
    std::wstring_view offending;
};

constexpr std::uint64_t allBits = std::numeric_limits<std::uint64_t>::max();

constexpr ArgumentCase argumentCases[] = {
    {L"", false, Mode::program, false, 0, Refusal::none, L""},
    {L" \t ", true, Mode::settings, false, 0, Refusal::none, L""},
    {L"/s", false, Mode::fullScreen, false, 0, Refusal::none, L""},
    {L"-S ", true, Mode::fullScreen, false, 0, Refusal::none, L""},
    {L"/p 1234", true, Mode::preview, true, 1234, Refusal::none, L""},
    {L"/P:1234", true, Mode::preview, true, 1234, Refusal::none, L""},
    {L"-p\t\t5678  ", true, Mode::preview, true, 5678, Refusal::none, L""},
    {L"/c", true, Mode::settings, false, 0, Refusal::none, L""},
    {L"/c:1234", true, Mode::settings, true, 1234, Refusal::none, L""},
    {L"-C 77", false, Mode::settings, true, 77, Refusal::none, L""},
    {L"/p 18446744073709551615", true, Mode::preview, true, allBits, Refusal::none, L""},
    // A handle passed as a signed 32-bit number stands for its sign-extended pattern.
    {L"/p -1", true, Mode::preview, true, allBits, Refusal::none, L""},
    {L"/p -9223372036854775808", true, Mode::preview, true, std::uint64_t{1} << 63, Refusal::none,
     L""},
    {L"/p", true, Mode::refused, false, 0, Refusal::noWindow, L"/p"},
    {L"/p:", true, Mode::refused, false, 0, Refusal::notANumber, L"/p:"},
    {L"/c:", true, Mode::refused, false, 0, Refusal::notANumber, L"/c:"},
    {L"/p abc", true, Mode::refused, false, 0, Refusal::notANumber, L"abc"},
    {L"/c:12x", true, Mode::refused, false, 0, Refusal::notANumber, L"12x"},
    {L"/p -", true, Mode::refused, false, 0, Refusal::notANumber, L"-"},
    {L"/p 18446744073709551616", true, Mode::refused, false, 0, Refusal::notANumber,
     L"18446744073709551616"},
    {L"/p -9223372036854775809", true, Mode::refused, false, 0, Refusal::notANumber,
     L"-9223372036854775809"},
    {L"/x", true, Mode::refused, false, 0, Refusal::unknownSwitch, L"/x"},
    {L"/a 1234", true, Mode::refused, false, 0, Refusal::unknownSwitch, L"/a"},
    {L"s", true, Mode::refused, false, 0, Refusal::unknownSwitch, L"s"},
    {L"/", true, Mode::refused, false, 0, Refusal::unknownSwitch, L"/"},
    {L"/save", false, Mode::refused, false, 0, Refusal::unknownSwitch, L"/save"},
    {L"/s:1", true, Mode::refused, false, 0, Refusal::unknownSwitch, L"/s:1"},
    {L"/s now", true, Mode::refused, false, 0, Refusal::extraText, L"now"},
    {L"/p 1 2", true, Mode::refused, false, 0, Refusal::extraText, L"2"},
    {L"/c:5 /s", true, Mode::refused, false, 0, Refusal::extraText, L"/s"},
};

TEST(SaverArguments, EveryFormWindowsPassesAndEveryRefusal) {
    for (const ArgumentCase& c : argumentCases) {
        std::wstring shown(c.arguments);
        SCOPED_TRACE(std::string(shown.begin(), shown.end()));
        saver::StartRequest request = saver::readArguments(c.arguments, c.screensaverName);
        EXPECT_EQ(request.mode, c.mode);
        EXPECT_EQ(request.refusal, c.refusal);
        EXPECT_EQ(request.offending, c.offending);
        if (c.mode != Mode::refused) {
            EXPECT_EQ(request.hasWindow, c.hasWindow);
            EXPECT_EQ(request.window, c.window);
        }
    }
}

TEST(SaverArguments, TheScreensaverNameIsAnyCaseOfScr) {
    EXPECT_TRUE(saver::screensaverName(L"C:\\Windows\\System32\\kesta.scr"));
    EXPECT_TRUE(saver::screensaverName(L"Z:\\build\\KESTA.SCR"));
    EXPECT_TRUE(saver::screensaverName(L".Scr"));
    EXPECT_FALSE(saver::screensaverName(L"C:\\kesta.exe"));
    EXPECT_FALSE(saver::screensaverName(L"C:\\kesta.scr.exe"));
    EXPECT_FALSE(saver::screensaverName(L"scr"));
    EXPECT_FALSE(saver::screensaverName(L""));
}

TEST(SaverMouse, TheFirstMoveNeverEndsAndBecomesTheStartLaterOnesEndBeyondTheSlack) {
    saver::watchMouseFrom(100, 100);
    EXPECT_FALSE(saver::mouseMovedAway(400, 400)) << "the first move message";
    EXPECT_FALSE(saver::mouseMovedAway(404, 396));
    EXPECT_FALSE(saver::mouseMovedAway(400, 400));
    EXPECT_TRUE(saver::mouseMovedAway(405, 400));
    EXPECT_TRUE(saver::mouseMovedAway(400, 395));
    EXPECT_TRUE(saver::mouseMovedAway(100, 100)) << "where the cursor was first thought to be";

    // Far ends of the coordinate range compare without overflow.
    saver::watchMouseFrom(0, 0);
    EXPECT_FALSE(saver::mouseMovedAway(std::numeric_limits<std::int32_t>::min(), 0));
    EXPECT_TRUE(saver::mouseMovedAway(std::numeric_limits<std::int32_t>::max(), 0));
}

// A row of five: squares 80 units wide and an L reaching far off its centre, deep, turning each
// figure on its own and overall, with strong perspective.
class PreviewFit : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        resetFigureModel();
        settings::OPTIONN = 5;
        for (int s = 1; s <= 5; ++s) {
            if (s == 3) {
                setOutline(s,
                           {{{-50, -50}, {50, -50}, {50, -30}, {-30, -30}, {-30, 50}, {-50, 50}}});
            } else {
                setOutline(s, {{{-40, -40}, {40, -40}, {40, 40}, {-40, 40}}});
            }
            settings::ZKAITEN[s] = s % 2;
            settings::STEPRAGS[s] = 7 * s;
        }
        settings::SIZE = 20;
        settings::SIZEY = 30;
        settings::HABAJIDO = 0;
        settings::HABA = 30;
        settings::ENKIN = 50;
        settings::STEPRAG = 7;
        settings::KAITEN = GetParam();
    }

    // Every vertex of a full turn of frames lies inside the drawing area.
    static void expectInsideWhileTurning(int width, int height) {
        figures::clientWidth = width;
        figures::clientHeight = height;
        figures::buildFigures();
        for (int frame = 0; frame < 720; ++frame) {
            figures::projectFigures();
            for (int s = 1; s <= settings::OPTIONN; ++s) {
                for (int v = 1; v <= 2 * figures::pointCount[s]; ++v) {
                    std::int64_t x = std::int64_t{figures::rowX} + figures::screenX[s][v];
                    std::int64_t y = std::int64_t{figures::rowY} - figures::screenY[s][v];
                    ASSERT_TRUE(x >= 0 && x < width && y >= 0 && y < height)
                        << "frame " << frame << " slot " << s << " vertex " << v << " at " << x
                        << "," << y;
                }
            }
            figures::advanceMotion();
        }
    }
};

TEST_P(PreviewFit, TheWholeRowStaysInsideThePreviewWhateverItsTurn) {
    saver::fitRowInto(152, 112);
    EXPECT_GE(settings::SIZE, 1);
    EXPECT_LT(settings::SIZE, 20);
    EXPECT_GE(settings::SIZEY, 1);
    EXPECT_LT(settings::SIZEY, 30);
    expectInsideWhileTurning(152, 112);
}

TEST_P(PreviewFit, ALargerPreviewGetsALargerRowStillInside) {
    settings::HABA = 5;
    settings::ENKIN = 20;
    saver::fitRowInto(800, 600);
    EXPECT_GT(settings::SIZE, 2) << "the fit shrinks no more than it must";
    expectInsideWhileTurning(800, 600);
}

INSTANTIATE_TEST_SUITE_P(AboutRowAndOwnAxis, PreviewFit, ::testing::Values(0, 1));

// A wide flat bar turning in one-degree steps reaches nearly as far as the fit allows: coming
// nearer at strong perspective, its end lands well beyond where it stands face-on.
TEST(PreviewFitSizes, ABarTurningTowardTheViewerStaysInsideASquarePreview) {
    for (std::int32_t depth : {0, 30}) {
        SCOPED_TRACE(depth);
        resetFigureModel();
        setOutline(1, {{{-50, -1}, {50, -1}, {50, 1}, {-50, 1}}});
        settings::HABAJIDO = 0;
        settings::HABA = depth;
        settings::SIZE = 50;
        settings::SIZEY = 50;
        settings::ENKIN = 50;
        settings::STEPRAG = 1;
        saver::fitRowInto(204, 204);
        figures::clientWidth = 204;
        figures::clientHeight = 204;
        figures::buildFigures();
        std::int64_t farthest = 0;
        for (int frame = 0; frame < 360; ++frame) {
            figures::projectFigures();
            for (int v = 1; v <= 8; ++v) {
                std::int64_t x = std::int64_t{figures::rowX} + figures::screenX[1][v];
                ASSERT_TRUE(x >= 0 && x < 204)
                    << "frame " << frame << " vertex " << v << " at " << x;
                farthest = std::max(farthest, x);
            }
            figures::advanceMotion();
        }
        EXPECT_GT(farthest, 102 + 50) << "the fit leaves the bar most of the room";
    }
}

// The preview is the first sight of the screensaver: the row fills most of its width at its
// widest turn, at any display scale, and still never leaves it.
struct FillCase {
    const char* row;
    int slots, size, ownAxis, view, nearness, dpi, width, height;
};

TEST(PreviewFitSizes, TheRowFillsMostOfThePreviewWidthAtItsWidestTurn) {
    const FillCase cases[] = {
        {"sample row at 96 DPI", 5, 11, 0, 0, 15, 96, 152, 112},
        {"sample row at 192 DPI", 5, 11, 0, 0, 15, 192, 152, 112},
        {"own axis, tilted", 5, 11, 1, 3, 15, 96, 152, 112},
        {"one figure, larger preview", 1, 50, 0, 0, 0, 144, 400, 400},
        {"26 figures", 26, 20, 0, 0, 30, 96, 152, 112},
        {"26 small figures", 26, 1, 1, 0, 0, 96, 152, 112},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.row);
        resetFigureModel();
        settings::OPTIONN = c.slots;
        for (int s = 1; s <= c.slots; ++s) {
            setOutline(s, {{{-40, -50}, {40, -50}, {40, 50}, {-40, 50}}});
        }
        settings::SIZE = settings::SIZEY = c.size;
        settings::HABAJIDO = 1;
        settings::KAITEN = c.ownAxis;
        settings::VIEW = c.view;
        settings::ENKIN = c.nearness;
        settings::STEPRAG = 1;
        figures::dpi = c.dpi;
        saver::fitRowInto(c.width, c.height);
        figures::clientWidth = c.width;
        figures::clientHeight = c.height;
        figures::buildFigures();
        std::int64_t widest = 0;
        for (int frame = 0; frame < 360; ++frame) {
            figures::projectFigures();
            std::int64_t left = c.width, right = -1;
            for (int s = 1; s <= c.slots; ++s) {
                for (int v = 1; v <= 8; ++v) {
                    const std::int64_t x = std::int64_t{figures::rowX} + figures::screenX[s][v];
                    const std::int64_t y = std::int64_t{figures::rowY} - figures::screenY[s][v];
                    ASSERT_TRUE(x >= 0 && x < c.width && y >= 0 && y < c.height)
                        << "frame " << frame << " slot " << s << " at " << x << "," << y;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
            widest = std::max(widest, right - left + 1);
            figures::advanceMotion();
        }
        EXPECT_GE(widest, c.width * 8 / 10) << "dpi " << figures::dpi << " size " << settings::SIZE;
    }
}

TEST(PreviewFitSizes, ARowThatFitsKeepsItsSizesAndNoneShrinksToZeroOrFlips) {
    resetFigureModel();
    setOutline(1, {{{-40, -40}, {40, -40}, {40, 40}, {-40, 40}}});
    settings::SIZE = 2;
    settings::SIZEY = 3;
    saver::fitRowInto(640, 480);
    EXPECT_EQ(settings::SIZE, 2);
    EXPECT_EQ(settings::SIZEY, 3);

    // No room at all, and sizes and depth at the far ends of what the file can hold.
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
    settings::OPTIONN = 26;
    setOutline(26, {{{least, least}, {most, least}, {most, most}}});
    settings::SIZE = most;
    settings::SIZEY = least;
    settings::HABAJIDO = 0;
    settings::HABA = least;
    settings::ENKIN = least;
    saver::fitRowInto(0, 0);
    EXPECT_EQ(settings::SIZE, 1);
    EXPECT_EQ(settings::SIZEY, -1);

    settings::SIZE = 0;
    settings::SIZEY = most;
    saver::fitRowInto(152, 112);
    EXPECT_EQ(settings::SIZE, 0);
    EXPECT_EQ(settings::SIZEY, 1);
}

} // namespace
