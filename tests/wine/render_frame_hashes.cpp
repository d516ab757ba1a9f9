// Whole frames of two figure sets, bit for bit: the sample settings file and a set the importer
// made from Noto Sans CJK JP (kanji, kana, holes, 45-point figures), each travelling, under strong
// perspective far past the window's edges, and turning on their own axes with after-images.
// Every frame's window is hashed and compared with tests/wine/data/frame_hashes.txt, written by
// this test from the drawing code as it stood when the hashes were made:
//
//   KESTA_FRAME_HASHES=<Windows path> wine_render_frame_hashes.exe    (writes the hashes instead)
//
// A changed hash means changed pixels: the drawing calls may change only where the frames do not.
#include "figures/builder.h"
#include "figures/figures.h"
#include "figures/motion.h"
#include "render/frame.h"
#include "settings/settings.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int width = 1024, height = 700;
constexpr int framesPerRun = 112, hashEvery = 7;

HWND createWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestaFrameHashes";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                  width, height, nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    return window;
}

// FNV-1a over the client area's 32-bit pixels, top row first.
std::uint64_t hashWindow(HWND window) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowDC = GetDC(window);
    HBITMAP copy = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copyDC = CreateCompatibleDC(windowDC);
    HGDIOBJ initial = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
    GdiFlush();
    std::uint64_t hash = 14695981039346656037ull;
    const auto* pixel = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        hash = (hash ^ (pixel[i] & 0xFFFFFF)) * 1099511628211ull;
    }
    SelectObject(copyDC, initial);
    DeleteDC(copyDC);
    DeleteObject(copy);
    ReleaseDC(window, windowDC);
    return hash;
}

enum class Run { travelling, farPerspective, ownAxes };

// The file's own settings, then what the run changes.
void setUpRun(const std::string& file, Run run) {
    kestatest::writeIni(file);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "kestasv.ini");
    settings::loadSettingNames();
    settings::readSettings();
    figures::loadFigures();
    settings::OPTIONP = 2;
    settings::BKMODE = 1;
    settings::ZANZOU = 0;
    if (run == Run::farPerspective) {
        settings::SIZE = settings::SIZEY = 30;
        settings::ENKIN = 50;
        settings::VIEW = 9;
        settings::STEPRAG = 11;
        settings::SIZEIDO = 40;
    } else if (run == Run::ownAxes) {
        settings::SIZE = 20;
        settings::KAITEN = 1;
        settings::COLORS = 1;
        settings::ZANZOU = 1;
        settings::STEPRAG = 17;
        for (int s = 1; s <= settings::slotCount; ++s) {
            settings::ZKAITEN[s] = 1;
            settings::STEPRAGS[s] = 5 + s;
        }
    }
    figures::clientWidth = width;
    figures::clientHeight = height;
    figures::slotAngle = {};
    figures::seedRandom(1);
    figures::buildFigures();
}

// "<set> <run> <frame> <hash>" for every hashed frame of the three runs.
void hashFrames(HWND window, const char* name, const std::string& file, std::ostream& out) {
    for (Run run : {Run::travelling, Run::farPerspective, Run::ownAxes}) {
        setUpRun(file, run);
        HDC dc = GetDC(window);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        ReleaseDC(window, dc);
        for (int frame = 1; frame <= framesPerRun; ++frame) {
            render::composeFrame(window, {});
            if (frame % hashEvery == 0) {
                char line[80];
                std::snprintf(line, sizeof line, "%s %d %d %016llx\n", name, static_cast<int>(run),
                              frame, static_cast<unsigned long long>(hashWindow(window)));
                out << line;
            }
        }
    }
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(FrameHashes, BothFigureSetsDrawTheReferencePixels) {
    bool hadIni = kestatest::iniExists();
    std::string savedIni = kestatest::readIni();
    HWND window = createWindow();
    std::ostringstream hashes;
    hashFrames(window, "sample", kestatest::readSourceFile("resources/kestasv.ini"), hashes);
    hashFrames(window, "imported",
               kestatest::readSourceFile("tests/wine/data/imported_figures.ini"), hashes);
    DestroyWindow(window);
    if (hadIni) {
        kestatest::writeIni(savedIni);
    } else {
        kestatest::removeIni();
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "kestasv.ini");

    if (const char* target = std::getenv("KESTA_FRAME_HASHES")) {
        std::ofstream(target, std::ios::binary) << hashes.str();
        GTEST_SKIP() << "hashes written to " << target;
    }
    std::vector<std::string> actual = linesOf(hashes.str());
    std::vector<std::string> expected =
        linesOf(kestatest::readSourceFile("tests/wine/data/frame_hashes.txt"));
    ASSERT_EQ(actual.size(), 2u * 3 * framesPerRun / hashEvery);
    ASSERT_EQ(expected.size(), actual.size()) << "the reference file is missing or cut short";
    int different = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i] && ++different <= 5) {
            ADD_FAILURE() << "expected " << expected[i] << ", drew " << actual[i];
        }
    }
    EXPECT_EQ(different, 0) << "frames of " << actual.size() << " differ";
}

} // namespace
