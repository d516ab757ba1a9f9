// The clock in frames composed into a window of the test's own, the time set through the
// program's clock seam: across a minute boundary only the slots whose digit changed take their
// new figure, at the first tick past the boundary, while the row keeps its place, travel and
// angles and every tick draws its frame; the user's Windows form is the one GetTimeFormatEx
// gives.
#include "app/app.h"
#include "figures/builder.h"
#include "figures/figures.h"
#include "figures/motion.h"
#include "render/frame.h"
#include "settings/settings.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int width = 480, height = 200;

// Figures "0".."9" as bars as wide as 10 + 6 * digit units, and ":" as two squares, so every
// digit draws a footprint of its own.
std::string clockFigures() {
    std::string lines = "[MOJI ZAHYO]\r\n";
    auto line = [&](int key, const std::string& name, int points, const std::string& header,
                    const std::string& ranges, const std::string& xy) {
        lines += "ZAHYO" + std::to_string(key) + "=" + name + "," + std::to_string(points) + "," +
                 header + "," + ranges + "," + xy + "\r\n";
    };
    std::string pad;
    for (int c = 2; c <= figures::maxContours; ++c) {
        pad += ",0,0";
    }
    for (int d = 0; d <= 9; ++d) {
        const std::string half = std::to_string(5 + 3 * d);
        line(d + 1, std::to_string(d), 4, "0,1,0,0,0,1", "1,4" + pad,
             "-" + half + ",-45," + half + ",-45," + half + ",45,-" + half + ",45");
    }
    line(11, ":", 8, "0,1,5,0,0,2", "1,4,5,8" + pad.substr(4),
         "-8,-30,8,-30,8,-14,-8,-14,-8,14,8,14,8,30,-8,30");
    return lines;
}

SYSTEMTIME now;
SYSTEMTIME fakeClock() {
    return now;
}

void setTime(int hour, int minute, int second, int milliseconds) {
    now = {};
    now.wYear = 2026;
    now.wMonth = 1;
    now.wDay = 2;
    now.wHour = static_cast<WORD>(hour);
    now.wMinute = static_cast<WORD>(minute);
    now.wSecond = static_cast<WORD>(second);
    now.wMilliseconds = static_cast<WORD>(milliseconds);
}

// Advances the fake clock by one timer period of 55 ms.
void stepClock() {
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER t{{file.dwLowDateTime, file.dwHighDateTime}};
    t.QuadPart += 55 * 10000;
    file = {t.LowPart, t.HighPart};
    FileTimeToSystemTime(&file, &now);
}

HWND createWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestaClockTest";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"KestaClockTest", L"", WS_POPUP | WS_VISIBLE, 100,
                                  100, width, height, nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    return window;
}

// The window's pixels, one hash per slot cell of the still row (cells 40 pixels wide).
using CellHashes = std::array<std::uint64_t, 9>;

CellHashes cellHashes(HWND window) {
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    CellHashes hashes{};
    hashes.fill(14695981039346656037ull);
    const int rowLeft = width / 2 - 4 * 40;
    for (int y = 0; y < height; ++y) {
        for (int x = rowLeft; x < rowLeft + 8 * 40; ++x) {
            std::uint64_t& h = hashes[static_cast<std::size_t>((x - rowLeft) / 40 + 1)];
            h = (h ^ (pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF)) *
                1099511628211ull;
        }
    }
    return hashes;
}

class Clock : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        window = createWindow();
        saved = kestatest::iniExists() ? kestatest::readIni() : std::string();
        existed = kestatest::iniExists();
        kestatest::writeIni(clockFigures());
        settings::loadSettingNames();
    }
    static void TearDownTestSuite() {
        DestroyWindow(window);
        if (existed) {
            kestatest::writeIni(saved);
        } else {
            kestatest::removeIni();
        }
        app::readClock = app::systemLocalTime;
        figures::clockRow = {};
    }

    void SetUp() override {
        settings::readSettings();
        settings::TOKEI = 1;
        settings::TOKEIFORM = 1;
        settings::OPTIONP = 1;
        settings::STEPRAG = 0;
        settings::STEPRAGS.fill(0);
        settings::ZKAITEN.fill(0);
        settings::VIEW = settings::ENKIN = settings::KAITEN = 0;
        settings::BKMODE = 1;
        settings::ZANZOU = 0;
        settings::SIZE = settings::SIZEY = 4;
        settings::HABAJIDO = 0;
        settings::HABA = 1;
        figures::clientWidth = width;
        figures::clientHeight = height;
        app::readClock = fakeClock;
    }

    // The build the window procedure runs: settings read, the clock's row, outlines, builder.
    static void build() {
        app::setClockRow();
        figures::loadFigures();
        figures::seedRandom(1);
        figures::buildFigures();
    }

    // One timer tick: the clock, then the frame.
    static void tick() {
        app::tickClock();
        render::composeFrame(window, {});
    }

    static inline HWND window;
    static inline std::string saved;
    static inline bool existed;
};

TEST_F(Clock, AcrossAMinuteOnlyTheChangedDigitsTakeTheirFigureAtTheFirstTick) {
    setTime(12, 34, 59, 800);
    build();
    ASSERT_EQ(figures::clockRow.length, 8);
    EXPECT_EQ(figures::clockRow.figure,
              (std::array<std::int32_t, figures::maxSlots + 1>{0, 2, 3, 11, 4, 5, 11, 6, 10}));
    tick();
    const CellHashes before = cellHashes(window);
    // 12:34:59.855, then .910, .965: nothing changes; 12:35:00.020 is the first tick past it.
    for (int frame = 1; frame <= 3; ++frame) {
        stepClock();
        tick();
        EXPECT_EQ(cellHashes(window), before) << "frame " << frame;
    }
    stepClock();
    tick();
    EXPECT_EQ(now.wSecond, 0);
    const CellHashes after = cellHashes(window);
    for (int slot = 1; slot <= 8; ++slot) {
        // 12:34:59 -> 12:35:00: the fourth digit and both digits of the seconds.
        const bool changed = slot == 5 || slot == 7 || slot == 8;
        EXPECT_EQ(after[slot] != before[slot], changed) << "slot " << slot;
    }
    EXPECT_EQ(figures::clockRow.figure[5], 6);
    EXPECT_EQ(figures::clockRow.figure[7], 1);
    EXPECT_EQ(figures::clockRow.figure[8], 1);
    // The stored word is not touched.
    EXPECT_EQ(settings::OPTIONN, 2);
    EXPECT_EQ(settings::OPTIONA[1], 22);
}

TEST_F(Clock, TheTurningTravellingRowGoesOnWithoutAJumpAndNoFrameIsSkipped) {
    settings::OPTIONP = 2;
    settings::STEPRAG = 7;
    settings::SIZEIDO = 2;
    for (int s = 1; s <= 8; ++s) {
        settings::ZKAITEN[s] = s % 2;
        settings::STEPRAGS[s] = 3 * s;
    }
    setTime(9, 59, 59, 500);
    build();
    std::array<std::int32_t, figures::maxSlots + 1> shown = figures::clockRow.figure;
    int swaps = 0;
    for (int frame = 1; frame <= 16; ++frame) { // up to 10:00:00.380
        const auto motion = std::make_tuple(figures::rowX, figures::rowY, figures::speedX,
                                            figures::speedY, figures::overallAngle);
        const figures::SlotTable angles = figures::slotAngle;
        const auto unchangedOutline = figures::outlineX[3];
        stepClock();
        tick();
        // Every tick draws its frame and moves the row on by one step (a bounce only turns it).
        const auto [x, y, sx, sy, angle] = motion;
        EXPECT_EQ(figures::overallAngle, (angle + 7) % 360) << frame;
        EXPECT_LE(std::abs(figures::rowX - x), std::abs(sx) + 4) << frame;
        EXPECT_LE(std::abs(figures::rowY - y), std::abs(sy) + 4) << frame;
        for (int s = 1; s <= 8; ++s) {
            EXPECT_EQ(figures::slotAngle[s], (angles[s] + 3 * s) % 360) << frame;
        }
        // 09:59:59 -> 10:00:00 changes every digit but not the colons (slots 3 and 6).
        EXPECT_EQ(figures::outlineX[3], unchangedOutline) << frame;
        if (figures::clockRow.figure != shown) {
            ++swaps;
            EXPECT_EQ(figures::clockRow.figure, (std::array<std::int32_t, figures::maxSlots + 1>{
                                                    0, 2, 1, 11, 1, 1, 11, 1, 1}));
            shown = figures::clockRow.figure;
        }
    }
    EXPECT_EQ(swaps, 1);
}

TEST_F(Clock, TimeChangesAreFollowedAtOnceAndAMissingFigureLeavesABlankCell) {
    setTime(23, 59, 59, 990);
    build();
    tick();
    // The system time set back an hour: the next tick shows it.
    setTime(22, 59, 59, 995);
    tick();
    EXPECT_EQ(figures::clockRow.figure[2], 3);
    // 時:分 has five cells; the form of the user's settings as GetTimeFormatEx writes it.
    settings::TOKEIFORM = 2;
    build();
    EXPECT_EQ(figures::clockRow.length, 5);
    settings::TOKEIFORM = 3;
    build();
    for (auto [h, m, s] : {std::tuple{0, 0, 0}, {9, 5, 9}, {12, 0, 0}, {13, 5, 9}, {23, 59, 59}}) {
        setTime(h, m, s, 0);
        wchar_t expected[64];
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, expected, 64);
        figures::clock::Row row{};
        app::clockText(now, row);
        std::wstring drawn, wanted;
        for (int k = 1; k <= row.length; ++k) {
            if (row.cell[k] != 0) {
                drawn += static_cast<wchar_t>(row.cell[k]);
            }
        }
        for (const wchar_t* c = expected; *c; ++c) {
            if (*c != L' ') {
                wanted += *c;
            }
        }
        EXPECT_EQ(drawn, wanted) << h << ":" << m << ":" << s;
    }
    // "A" has no figure in this file: a blank cell, and the row keeps its length.
    EXPECT_EQ(app::clockFigure(U'A'), 0);
    EXPECT_EQ(app::clockFigure(0), 0);
    EXPECT_EQ(app::clockFigure(U':'), 11);
    // Off: the stored word again.
    settings::TOKEI = 0;
    build();
    EXPECT_FALSE(figures::clockRow.on);
}

} // namespace
