// Frame benchmark: composes frames into a window of its own, on the sample figure set and on the
// heaviest row the outline format allows, and prints the mean time per frame with the shares of
// the wall ordering and of the drawing calls.
//
//   bench_frame.exe [frames]     (KESTA_SOURCE: the source tree, for the sample settings file)
//
// The same frames run three times from the same start: whole frames; the frame's arithmetic and
// the wall ordering without any drawing; the arithmetic alone. Ordering = second - third,
// drawing (bitmap, background, polygons, transfer) = first - second. The runs without drawing
// are also given in this thread's own time, which other processes on a busy machine do not
// stretch (Wine counts it in steps of 10 ms: give it some hundred frames).
#include "figures/builder.h"
#include "figures/figures.h"
#include "figures/motion.h"
#include "render/frame.h"
#include "render/frame_box.h"
#include "render/walls.h"
#include "settings/settings.h"
#include "tests/bench/heaviest_row.h"

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

double threadSeconds() {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    auto ticks = [](FILETIME t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) * 1e-7;
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

// The frame's own arithmetic, with or without the wall ordering, counting the frame box's area.
void frameWithoutDrawing(bool order) {
    const render::FrameBox box = heaviest_row::frameWithoutDrawing(order);
    boxPixels += static_cast<double>(box.width) * box.height;
}

struct Start {
    figures::SlotTable slotAngle;
};

// Milliseconds per frame, by the wall clock and by this thread's time.
struct Timing {
    double wall, thread;
};

Timing run(HWND window, int frames, int mode, const Start& start) {
    figures::slotAngle = start.slotAngle;
    figures::seedRandom(1);
    figures::buildFigures();
    double begin = seconds(), threadBegin = threadSeconds();
    for (int i = 0; i < frames; ++i) {
        if (mode == 0) {
            render::composeFrame(window, {});
        } else {
            frameWithoutDrawing(mode == 1);
        }
    }
    GdiFlush();
    return {(seconds() - begin) / frames * 1000.0,
            (threadSeconds() - threadBegin) / frames * 1000.0};
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
    double whole = run(window, frames, 0, start).wall;
    restore();
    Timing ordered = run(window, frames, 1, start);
    restore();
    boxPixels = 0;
    Timing arithmetic = run(window, frames, 2, start);
    double meanBox = boxPixels / frames;
    restore();
    int walls = 0;
    for (int s = 1; s <= render::slotsInUse(); ++s) {
        walls += figures::pointCount[s];
    }
    double ordering = ordered.wall - arithmetic.wall, drawing = whole - ordered.wall;
    std::printf("%s: %d slots, %d walls, frame box %.0f pixels on average\n"
                "  %.3f ms per frame: wall ordering %.3f ms (%.1f%%), drawing %.3f ms (%.1f%%), "
                "projection and box %.3f ms (%.1f%%)\n"
                "  thread time: wall ordering %.3f ms, projection and box %.3f ms per frame\n",
                name, render::slotsInUse(), walls, meanBox, whole, ordering, 100 * ordering / whole,
                drawing, 100 * drawing / whole, arithmetic.wall, 100 * arithmetic.wall / whole,
                ordered.thread - arithmetic.thread, arithmetic.thread);
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

// The heaviest row, as the native benchmark of the wall ordering sets it up.
void heaviestRow(HWND window, int frames) {
    heaviest_row::setUp();
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
