// Frame benchmark: composes frames into a window of its own, on the sample figure set and on the
// heaviest row the outline format allows, and prints the mean time per frame with the shares of
// the wall ordering and of the drawing calls; then the drawers against a floor, and the faces'
// cost as the row travels; last what the clock's swap of one slot's figure (and of six, as at
// midnight) costs against one frame of its row.
//
//   bench_frame.exe [frames] [rounds]     (KESTA_SOURCE: the source tree as a Unix path, for the
//                                          sample file; without it the program refuses)
//
// The same frames run three times from the same start: whole frames; the frame's arithmetic and
// the wall ordering without any drawing; the arithmetic alone. Ordering = second - third,
// drawing (bitmap, background, polygons, transfer) = first - second. The runs without drawing
// are also given in this thread's own time, which other processes on a busy machine do not
// stretch (Wine counts it in steps of 10 ms: give it some hundred frames).
//
// The floor draws the same pixels as the drawers with the context's own brush and pen, recoloured
// per polygon, one call per wall and per face, so that it creates and deletes no object: the
// drawers' time over the floor's is what their own drawing objects and calls cost. Both run
// through one composer of this program's own, in interleaved rounds, and their frames are
// compared pixel for pixel. The faces' cost is taken over 2,000 frames of the heaviest row's
// travel, which throws points ever further past the frame bitmap.
#include "figures/builder.h"
#include "figures/figures.h"
#include "figures/motion.h"
#include "render/drawers.h"
#include "render/face.h"
#include "render/frame.h"
#include "render/frame_box.h"
#include "render/walls.h"
#include "settings/settings.h"
#include "tests/bench/heaviest_row.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

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

// The outlines as read; the builder scales them in place, so they are put back before every run.
using Outlines = std::tuple<decltype(figures::pointCount), decltype(figures::figureHeader),
                            decltype(figures::contourStart), decltype(figures::contourEnd),
                            decltype(figures::outlineX), decltype(figures::outlineY)>;
Outlines outlines;

void keepOutlines() {
    outlines = std::tie(figures::pointCount, figures::figureHeader, figures::contourStart,
                        figures::contourEnd, figures::outlineX, figures::outlineY);
}

// The figures rebuilt from the outlines as read, the motion from the same start.
void restart(const Start& start) {
    std::tie(figures::pointCount, figures::figureHeader, figures::contourStart, figures::contourEnd,
             figures::outlineX, figures::outlineY) = outlines;
    figures::slotAngle = start.slotAngle;
    figures::seedRandom(1);
    figures::buildFigures();
}

// Milliseconds per frame, by the wall clock and by this thread's time.
struct Timing {
    double wall, thread;
};

Timing run(HWND window, int frames, int mode, const Start& start) {
    restart(start);
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

void measure(const char* name, HWND window, int frames, const Start& start) {
    // One warm-up pass brings the code and the tables into the caches.
    run(window, frames / 10 + 1, 0, start);
    double whole = run(window, frames, 0, start).wall;
    Timing ordered = run(window, frames, 1, start);
    boxPixels = 0;
    Timing arithmetic = run(window, frames, 2, start);
    double meanBox = boxPixels / frames;
    restart(start);
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

// The floor's wall drawer: the drawer's polygons in the context's own brush and pen.
void floorWalls(HWND, HDC, HDC frameDC, HBITMAP) {
    const int slot = render::currentSlot;
    render::decideFaces(slot);
    render::orderWalls(slot);
    SetPolyFillMode(frameDC, ALTERNATE);
    for (int i = render::wallOrderCount - 1; i >= 0; --i) {
        const figures::SideQuad& quad = figures::sideQuad[slot][render::wallOrder[i]];
        POINT corners[4];
        int k = 0;
        for (int v : {quad.corner1, quad.corner2, quad.corner3, quad.corner4}) {
            corners[k++] = {figures::screenX[slot][v], figures::screenY[slot][v]};
        }
        SetDCBrushColor(frameDC, render::colourValue(figures::sideColour[slot]));
        SetDCPenColor(frameDC, RGB(0, 0, 0));
        Polygon(frameDC, corners, 4);
    }
}

// The floor's face drawer: every contour in one call, filled and outlined.
void floorFace(HWND, HDC, HDC frameDC, HBITMAP) {
    if (!render::outlineFace(render::currentSlot)) {
        return;
    }
    render::FacePolygons face;
    render::toPolygons(render::faceOutline, face);
    SetDCBrushColor(frameDC, render::colourValue(render::faceOutline.colour));
    SetDCPenColor(frameDC, RGB(64, 64, 64));
    SetPolyFillMode(frameDC, ALTERNATE);
    PolyPolygon(frameDC, face.points, face.counts, face.contours);
}

using Drawer = void (*)(HWND, HDC, HDC, HBITMAP);
struct Drawers {
    Drawer walls, face;
    bool floor;
};
constexpr Drawers design{render::drawSideWalls, render::drawFace, false};
constexpr Drawers floorDrawers{floorWalls, floorFace, true};

// A frame as the program composes it on a black background, with the given drawers; the time
// spent in the face drawer is added to faceSeconds, and the frame bitmap's pixels are hashed
// into frameHash when it is given.
double faceSeconds;

void composeWith(HWND window, const Drawers& drawers, std::uint64_t* frameHash) {
    figures::projectFigures();
    const render::Extent extent = render::measureExtent();
    const render::FrameBox box = render::placeFrameBox(extent);
    render::rewriteIntoFrame(box);
    HDC windowDC = GetDC(window);
    HBITMAP frameBitmap = CreateCompatibleBitmap(windowDC, box.width, box.height);
    HDC frameDC = CreateCompatibleDC(windowDC);
    SelectObject(frameDC, frameBitmap);
    PatBlt(frameDC, 0, 0, box.width, box.height, BLACKNESS);
    SetPolyFillMode(frameDC, WINDING);
    if (drawers.floor) {
        SelectObject(frameDC, GetStockObject(DC_BRUSH));
        SelectObject(frameDC, GetStockObject(DC_PEN));
    }
    const int slots = render::slotsInUse();
    const bool downwards = render::lastSlotFirst();
    auto visit = [&](Drawer draw) {
        for (int i = 0; i < slots; ++i) {
            render::currentSlot = downwards ? slots - i : i + 1;
            draw(window, windowDC, frameDC, frameBitmap);
        }
    };
    visit(drawers.walls);
    double faceBegin = seconds();
    visit(drawers.face);
    faceSeconds += seconds() - faceBegin;
    BitBlt(windowDC, static_cast<int>(figures::rowX - box.offsetX),
           static_cast<int>(figures::rowY - box.offsetY), box.width, box.height, frameDC, 0, 0,
           SRCCOPY);
    ReleaseDC(window, windowDC);
    DeleteDC(frameDC);
    if (frameHash) {
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), box.width, -box.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(box.width) * box.height);
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, frameBitmap, 0, box.height, pixels.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        std::uint64_t hash = 14695981039346656037ull;
        for (std::uint32_t p : pixels) {
            hash = (hash ^ (p & 0xFFFFFF)) * 1099511628211ull;
        }
        *frameHash = hash;
    }
    DeleteObject(frameBitmap);
    figures::advanceMotion();
    render::keepExtent(extent);
}

// Milliseconds per frame with the given drawers.
double runWith(HWND window, int frames, const Drawers& drawers, const Start& start) {
    restart(start);
    double begin = seconds();
    for (int i = 0; i < frames; ++i) {
        composeWith(window, drawers, nullptr);
    }
    GdiFlush();
    return (seconds() - begin) / frames * 1000.0;
}

// How many of the first frames the drawers and the floor draw differently.
int framesUnlikeTheFloor(HWND window, int frames, const Start& start) {
    std::vector<std::uint64_t> hashes[2];
    for (const Drawers* drawers : {&design, &floorDrawers}) {
        restart(start);
        for (int i = 0; i < frames; ++i) {
            hashes[drawers->floor].push_back(0);
            composeWith(window, *drawers, &hashes[drawers->floor].back());
        }
    }
    int different = 0;
    for (int i = 0; i < frames; ++i) {
        different += hashes[0][i] != hashes[1][i];
    }
    return different;
}

void compareWithFloor(HWND window, int frames, int rounds, const Start& start) {
    const int checked = 60;
    std::printf("  against the floor (%d of %d frames drawn differently):\n",
                framesUnlikeTheFloor(window, checked, start), checked);
    std::vector<double> ratios;
    for (int r = 1; r <= rounds; ++r) {
        double program = run(window, frames, 0, start).wall;
        double drawers = runWith(window, frames, design, start);
        double floor = runWith(window, frames, floorDrawers, start);
        ratios.push_back(drawers / floor);
        std::printf("    round %d: composer %.3f ms, drawers %.3f ms, floor %.3f ms: %.2fx\n", r,
                    program, drawers, floor, drawers / floor);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("    median drawers / floor: %.2fx\n", ratios[ratios.size() / 2]);
}

// The face drawer's time per frame early and late in a long travel, for the drawers and the floor.
void faceCostOverTravel(HWND window, const Start& start) {
    constexpr int frames = 2000, slice = 200;
    for (const Drawers* drawers : {&design, &floorDrawers}) {
        restart(start);
        double first = 0, middle = 0, last = 0;
        for (int i = 0; i < frames; ++i) {
            faceSeconds = 0;
            composeWith(window, *drawers, nullptr);
            (i < slice ? first : i >= frames - slice ? last : middle) += faceSeconds;
        }
        std::printf("  faces over %d frames of travel (%s): %.3f ms per frame in the first %d, "
                    "%.3f between, %.3f in the last %d\n",
                    frames, drawers->floor ? "floor" : "drawers", first / slice * 1000.0, slice,
                    middle / (frames - 2 * slice) * 1000.0, last / slice * 1000.0, slice);
    }
}

// Every measure of one figure set, as loaded into the tables.
void measureAll(const char* name, HWND window, int frames, int rounds, bool travel) {
    RECT client;
    GetClientRect(window, &client);
    figures::clientWidth = client.right;
    figures::clientHeight = client.bottom;
    Start start{figures::slotAngle};
    keepOutlines();
    measure(name, window, frames, start);
    compareWithFloor(window, frames, rounds, start);
    if (travel) {
        faceCostOverTravel(window, start);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const std::string& path, const std::string& bytes) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "kestasv.ini");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Milliseconds per call of step, over count calls.
template <typename Step> double timeEach(int count, Step step) {
    double begin = seconds();
    for (int i = 0; i < count; ++i) {
        step(i);
    }
    GdiFlush();
    return (seconds() - begin) / count * 1000.0;
}

// The clock's row of eight figures of the sample set ("12:34:56" as its figures 1..8), turning
// and travelling; the swaps read the figure from the settings file as the clock does.
void slotSwaps(HWND window, int frames) {
    figures::clockRow = {true, 8, {0, 1, 2, 3, 4, 5, 6, 7, 8}};
    settings::OPTIONP = 2;
    figures::loadFigures();
    figures::seedRandom(1);
    figures::buildFigures();
    const double frame = timeEach(frames, [&](int) { render::composeFrame(window, {}); });
    auto swaps = [&](const char* how) {
        const double one = timeEach(frames, [](int i) {
            figures::clockRow.figure[8] = 8 + i % 2;
            figures::swapSlotFigure(8);
        });
        const double six = timeEach(frames / 6 + 1, [](int i) {
            for (int s : {1, 2, 4, 5, 7, 8}) {
                figures::clockRow.figure[s] = s + i % 2;
                figures::swapSlotFigure(s);
            }
        });
        std::printf("clock slot swap (sample figure set, 8 slots, %s): one frame %.3f ms; one slot "
                    "%.3f ms (%.1f%% of a frame), six slots %.3f ms (%.1f%%)\n",
                    how, frame, one, 100 * one / frame, six, 100 * six / frame);
    };
    swaps("figures read from the file");
    // The clock keeps the figures of its form, read once a build.
    const std::int32_t kept[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    figures::keepFigures(kept, 9);
    swaps("figures kept");
    figures::keepFigures(nullptr, 0);
    figures::clockRow = {};
}

// The sample file's bytes, read through Wine's Z: drive from the source tree KESTA_SOURCE names
// as a Unix path; empty when it names none or the file is not there. Without them the program
// would load the defaults' empty figure set and time frames of nothing.
std::string sampleFileBytes() {
    const char* root = std::getenv("KESTA_SOURCE");
    if (root == nullptr || root[0] != '/') {
        return {};
    }
    return readFile(std::string("Z:") + root + "/resources/kestasv.ini");
}

void sampleFigureSet(HWND window, int frames, int rounds, const std::string& sample) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string ini = std::string(windows) + "\\kestasv.ini";
    std::string saved = readFile(ini);
    bool existed = GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES;
    writeFile(ini, sample);
    settings::loadSettingNames();
    settings::readSettings();
    RECT client;
    GetClientRect(window, &client);
    figures::clientWidth = client.right;
    figures::clientHeight = client.bottom;
    slotSwaps(window, frames);
    settings::readSettings();
    figures::loadFigures();
    if (existed) {
        writeFile(ini, saved);
    } else {
        DeleteFileA(ini.c_str());
    }
    measureAll("sample figure set", window, frames, rounds, false);
}

// The heaviest row, as the native benchmark of the wall ordering sets it up.
void heaviestRow(HWND window, int frames, int rounds) {
    heaviest_row::setUp();
    measureAll("heaviest row (26 x 45)", window, frames, rounds, true);
}

} // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string sample = sampleFileBytes();
    if (sample.empty()) {
        std::fprintf(stderr, "bench_frame: set KESTA_SOURCE to the source tree as a Unix path "
                             "(/...), which holds resources/kestasv.ini\n");
        return 2;
    }
    HWND window = createWindow();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    sampleFigureSet(window, frames, rounds, sample);
    heaviestRow(window, frames, rounds);
    DestroyWindow(window);
    return 0;
}
