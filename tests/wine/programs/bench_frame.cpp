// Frame benchmark: composes frames into a window of its own, on the sample figure set and on the
// heaviest row the outline format allows, and prints the mean time per frame with the shares of
// the wall ordering and of the drawing calls.
//
//   bench_frame.exe [frames]     (KESTA_SOURCE: the source tree, for the sample settings file)
//
// The same frames run three times from the same start: whole frames; the frame's arithmetic and
// the wall ordering without any drawing; the arithmetic alone. Ordering = second - third,
// drawing (bitmap, background, polygons, transfer) = first - second.
#include "figures/builder.h"
#include "figures/figures.h"
#include "figures/motion.h"
#include "render/frame.h"
#include "render/frame_box.h"
#include "render/walls.h"
#include "settings/settings.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace {

constexpr int windowWidth = 1024, windowHeight = 700;

double seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND createWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestaFrameBench";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, windowWidth,
                           windowHeight, nullptr, nullptr, wc.hInstance, nullptr);
}

double boxPixels;

// The frame's own arithmetic, with or without the wall ordering, as composeFrame runs it.
void frameWithoutDrawing(bool order) {
    figures::projectFigures();
    render::Extent extent = render::measureExtent();
    render::FrameBox box = render::placeFrameBox(extent);
    boxPixels += static_cast<double>(box.width) * box.height;
    render::rewriteIntoFrame(box);
    if (order) {
        for (int s = 1; s <= render::slotsInUse(); ++s) {
            render::decideFaces(s);
            render::orderWalls(s);
        }
    }
    figures::advanceMotion();
    render::keepExtent(extent);
}

struct Start {
    figures::SlotTable slotAngle;
};

double run(HWND window, int frames, int mode, const Start& start) {
    figures::slotAngle = start.slotAngle;
    figures::seedRandom(1);
    figures::buildFigures();
    double begin = seconds();
    for (int i = 0; i < frames; ++i) {
        if (mode == 0) {
            render::composeFrame(window);
        } else {
            frameWithoutDrawing(mode == 1);
        }
    }
    GdiFlush();
    return (seconds() - begin) / frames * 1000.0;
}

void measure(const char* name, HWND window, int frames) {
    RECT client;
    GetClientRect(window, &client);
    figures::clientWidth = client.right;
    figures::clientHeight = client.bottom;
    Start start{figures::slotAngle};
    // Tables are rebuilt before every run, because the builder scales the outlines in place.
    auto outlines =
        std::make_tuple(figures::pointCount, figures::figureHeader, figures::contourStart,
                        figures::contourEnd, figures::outlineX, figures::outlineY);
    auto restore = [&] {
        std::tie(figures::pointCount, figures::figureHeader, figures::contourStart,
                 figures::contourEnd, figures::outlineX, figures::outlineY) = outlines;
    };
    restore();
    // One warm-up pass brings the code and the tables into the caches.
    run(window, frames / 10 + 1, 0, start);
    restore();
    double whole = run(window, frames, 0, start);
    restore();
    double ordered = run(window, frames, 1, start);
    restore();
    boxPixels = 0;
    double arithmetic = run(window, frames, 2, start);
    double meanBox = boxPixels / frames;
    restore();
    int walls = 0;
    for (int s = 1; s <= render::slotsInUse(); ++s) {
        walls += figures::pointCount[s];
    }
    double ordering = ordered - arithmetic, drawing = whole - ordered;
    std::printf("%s: %d slots, %d walls, frame box %.0f pixels on average\n"
                "  %.3f ms per frame: wall ordering %.3f ms (%.1f%%), drawing %.3f ms (%.1f%%), "
                "projection and box %.3f ms (%.1f%%)\n",
                name, render::slotsInUse(), walls, meanBox, whole, ordering, 100 * ordering / whole,
                drawing, 100 * drawing / whole, arithmetic, 100 * arithmetic / whole);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const std::string& path, const std::string& bytes) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "kestasv.ini");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void sampleFigureSet(HWND window, int frames) {
    const char* root = std::getenv("KESTA_SOURCE");
    std::string sample =
        readFile(std::string("Z:") + (root ? root : ".") + "/resources/kestasv.ini");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string ini = std::string(windows) + "\\kestasv.ini";
    std::string saved = readFile(ini);
    bool existed = GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES;
    writeFile(ini, sample);
    settings::loadSettingNames();
    settings::readSettings();
    figures::loadFigures();
    if (existed) {
        writeFile(ini, saved);
    } else {
        DeleteFileA(ini.c_str());
    }
    measure("sample figure set", window, frames);
}

// 26 slots of 45 points: a comb of seven teeth with four square holes, turning each on its own,
// seen under the steepest view and the strongest perspective, travelling about the window.
void heaviestRow(HWND window, int frames) {
    settings::OPTIONN = 26;
    settings::OPTIONP = 2;
    settings::STEPRAG = 7;
    settings::HABAJIDO = 1;
    settings::SIZE = 10;
    settings::SIZEY = 4;
    settings::SIZEIDO = 3;
    settings::COLORS = 1;
    settings::VIEW = 9;
    settings::ENKIN = 50;
    settings::KAITEN = 0;
    settings::BKMODE = 1;
    settings::ZANZOU = 0;
    for (int s = 1; s <= 26; ++s) {
        int n = 0;
        auto point = [&](int x, int y) {
            ++n;
            figures::outlineX[s][n] = x;
            figures::outlineY[s][n] = y;
        };
        point(-50, -50);
        point(0, -50);
        point(50, -50);
        for (int tooth = 0; tooth < 7; ++tooth) {
            int right = 50 - 15 * tooth, left = right - 10;
            point(right, 50);
            point(left, 50);
            if (tooth < 6) {
                point(left, 0);
                point(left - 5, 0);
            }
        }
        figures::contourStart[s][1] = 1;
        figures::contourEnd[s][1] = n;
        for (int h = 0; h < 4; ++h) {
            int x = -45 + 25 * h;
            figures::contourStart[s][2 + h] = n + 1;
            point(x, -45);
            point(x + 15, -45);
            point(x + 15, -25);
            point(x, -25);
            figures::contourEnd[s][2 + h] = n;
        }
        figures::pointCount[s] = n;
        figures::figureHeader[s] = {0, 1, 0, 0, 0, 5};
        settings::OPTIONC[s] = 1 + s % 8;
        settings::ZKAITEN[s] = 1;
        settings::STEPRAGS[s] = 3 + s % 11;
    }
    measure("heaviest row (26 x 45)", window, frames);
}

} // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 500;
    HWND window = createWindow();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    sampleFigureSet(window, frames);
    heaviestRow(window, frames);
    DestroyWindow(window);
    return 0;
}
