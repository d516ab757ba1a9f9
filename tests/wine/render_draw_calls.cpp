// The face and wall drawers draw exactly the pixels of the longer call sequence they stand for: a
// face as a region painted with the brush and its contours traced from point to point, a wall as
// a polygon in the context's pen traced again from corner to corner. Hand-picked and random
// shapes, inside the bitmap, pinned to its edges, thrown far past it, degenerate and crossing.
#include "glyphs/pixel_bitmap_win32.h"
#include "render/drawers.h"
#include "render/face.h"
#include "render/walls.h"
#include "tests/native/render_test_figures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace rendertest;

constexpr int width = 120, height = 90;
constexpr int slot = 3;
// Far past the bitmap, yet near enough that the longer sequence's region over all those rows stays
// quick to build.
constexpr int farOut = 1 << 20;

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ initial;
    void* bits;
};

// A bitmap as the frame composer leaves it for the drawers: a background, the fill mode winding.
Canvas openCanvas() {
    Canvas c{};
    HDC screen = GetDC(nullptr);
    c.dc = CreateCompatibleDC(screen);
    c.bitmap = glyphs::createPixelBitmap(screen, width, height, c.bits);
    ReleaseDC(nullptr, screen);
    c.initial = SelectObject(c.dc, c.bitmap);
    HBRUSH background = CreateSolidBrush(RGB(51, 102, 153));
    RECT all{0, 0, width, height};
    FillRect(c.dc, &all, background);
    DeleteObject(background);
    SetPolyFillMode(c.dc, WINDING);
    return c;
}

std::vector<std::uint32_t> closeCanvas(Canvas& c) {
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(c.bits);
    std::vector<std::uint32_t> pixels(first, first + width * height);
    SelectObject(c.dc, c.initial);
    DeleteObject(c.bitmap);
    DeleteDC(c.dc);
    return pixels;
}

// Pixels the drawers changed over the whole test, so that equal pictures cannot be empty ones.
int drawnPixels;

int differentPixels(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        n += a[i] != b[i];
    }
    return n;
}

struct Random {
    std::uint32_t state;
    int next(int low, int high) {
        state = state * 1664525u + 1013904223u;
        return low + static_cast<int>((state >> 8) % static_cast<std::uint32_t>(high - low + 1));
    }
    // Mostly about the bitmap, now and then far past its left or its bottom edge, as the frame
    // composer leaves points of a box that stopped short of them.
    POINT point() {
        int x = next(0, 9) == 0 ? -farOut : next(-40, width + 40);
        int y = next(0, 9) == 0 ? farOut : next(-40, height + 40);
        return {x, y};
    }
};

using Shape = std::vector<std::vector<POINT>>;

// The face's contours as front vertices of the slot, seen from the front.
void placeFace(const Shape& contours) {
    clearSlot(slot);
    int n = 0, c = 0;
    for (const std::vector<POINT>& contour : contours) {
        figures::contourStart[slot][++c] = n + 1;
        for (POINT p : contour) {
            ++n;
            figures::screenX[slot][n] = p.x;
            figures::screenY[slot][n] = p.y;
        }
        figures::contourEnd[slot][c] = n;
    }
    figures::pointCount[slot] = n;
    figures::figureHeader[slot][figures::contourCountField] = c;
    figures::faceColour[slot] = {200, 150, 20};
    render::frontVisible[slot] = 1;
}

// The face as a region painted with a one-use brush, then every contour traced point to point.
void referenceFace(HDC dc) {
    ASSERT_TRUE(render::outlineFace(slot));
    render::FacePolygons face;
    render::toPolygons(render::faceOutline, face);
    HBRUSH brush = CreateSolidBrush(render::colourValue(render::faceOutline.colour));
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    HRGN region = CreatePolyPolygonRgn(face.points, face.counts, face.contours, ALTERNATE);
    PaintRgn(dc, region);
    DeleteObject(region);
    SelectObject(dc, previousBrush);
    DeleteObject(brush);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    HGDIOBJ previousPen = SelectObject(dc, pen);
    int total = 0;
    for (int c = 0; c < face.contours; ++c) {
        MoveToEx(dc, face.points[total].x, face.points[total].y, nullptr);
        for (int i = 1; i < face.counts[c]; ++i) {
            LineTo(dc, face.points[total + i].x, face.points[total + i].y);
        }
        total += face.counts[c];
    }
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

// Pixels of the face drawer that differ from the reference's.
int faceDifference(const Shape& contours) {
    placeFace(contours);
    Canvas drawn = openCanvas();
    render::currentSlot = slot;
    render::drawFace(nullptr, nullptr, drawn.dc, drawn.bitmap);
    Canvas expected = openCanvas();
    referenceFace(expected.dc);
    std::vector<std::uint32_t> a = closeCanvas(drawn), b = closeCanvas(expected);
    drawnPixels += differentPixels(a, std::vector<std::uint32_t>(a.size(), 0x336699));
    return differentPixels(a, b);
}

TEST(DrawCalls, FaceDrawsTheRegionAndTheTracedOutline) {
    const std::vector<Shape> shapes = {
        // A letter with a hole.
        {{{10, 10}, {100, 10}, {100, 80}, {10, 80}}, {{40, 30}, {70, 30}, {70, 60}, {40, 60}}},
        // Pinned to the bitmap's edges: on the last row and column and one past them.
        {{{0, 0}, {width, 0}, {width, height}, {0, height}},
         {{0, 45}, {60, 0}, {width, 45}, {60, height}},
         {{width - 1, 0}, {width - 1, height - 1}, {0, height - 1}}},
        // Thrown far past the bitmap on every side.
        {{{-farOut, -5}, {130, 40}, {60, farOut}}, {{50, -farOut}, {farOut, 60}, {-30, 70}}},
        {{{-farOut, 0}, {width, 0}, {width, farOut}, {-farOut, farOut}}},
        // A single point, a lone segment, a flat triangle and a sliver.
        {{{30, 30}},
         {{40, 40}, {80, 70}},
         {{5, 50}, {60, 50}, {115, 50}},
         {{5, 5}, {115, 6}, {5, 7}}},
        // Crossing and overlapping contours, even-odd.
        {{{10, 10}, {110, 80}, {110, 10}, {10, 80}}, {{20, 20}, {90, 20}, {90, 70}, {20, 70}}},
        // Steep and shallow edges.
        {{{50, 0}, {51, 89}, {52, 0}}, {{0, 40}, {119, 41}, {0, 42}}},
    };
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        EXPECT_EQ(faceDifference(shapes[i]), 0) << "shape " << i;
    }
    drawnPixels = 0;
    Random random{7};
    for (int i = 0; i < 150; ++i) {
        Shape shape(static_cast<std::size_t>(random.next(1, 13)));
        int points = 0;
        for (std::vector<POINT>& contour : shape) {
            int n = random.next(1, 6);
            for (int k = 0; k < n && points < figures::maxPoints; ++k, ++points) {
                contour.push_back(random.point());
            }
        }
        while (!shape.empty() && shape.back().empty()) {
            shape.pop_back();
        }
        EXPECT_EQ(faceDifference(shape), 0) << "random shape " << i;
    }
    EXPECT_GT(drawnPixels, 150 * width * height / 10);
}

// Walls facing the viewer, all on the hull so that none is compared with another, then drawn
// at the given corners. Every wall has four vertices of its own, so the slot counts twice as
// many points as walls.
void placeWalls(const std::vector<std::array<POINT, 4>>& quads) {
    clearSlot(slot);
    int n = static_cast<int>(quads.size());
    singleContour(slot, 2 * n);
    for (int j = 1; j <= n; ++j) {
        int v = 4 * (j - 1) + 1;
        double x = 10.0 * j;
        placeWall(slot, j, v, {{x, 0, 1}, {x + 5, 0, 1}, {x + 5, 5, 1}, {x, 5, 1}});
        figures::hullEdge[slot][j] = 1;
        for (int k = 0; k < 4; ++k) {
            figures::screenX[slot][v + k] = quads[j - 1][k].x;
            figures::screenY[slot][v + k] = quads[j - 1][k].y;
        }
    }
    figures::sideColour[slot] = {30, 160, 90};
}

// Every wall as a polygon outlined in the context's own pen, filled with a one-use brush, then
// traced corner to corner with a one-use black pen.
void referenceWalls(HDC dc) {
    for (int i = render::wallOrderCount - 1; i >= 0; --i) {
        const figures::SideQuad& quad = figures::sideQuad[slot][render::wallOrder[i]];
        POINT corners[4];
        int k = 0;
        for (int v : {quad.corner1, quad.corner2, quad.corner3, quad.corner4}) {
            corners[k++] = {figures::screenX[slot][v], figures::screenY[slot][v]};
        }
        HBRUSH brush = CreateSolidBrush(render::colourValue(figures::sideColour[slot]));
        HGDIOBJ previousBrush = SelectObject(dc, brush);
        SetPolyFillMode(dc, ALTERNATE);
        Polygon(dc, corners, 4);
        SelectObject(dc, previousBrush);
        DeleteObject(brush);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        HGDIOBJ previousPen = SelectObject(dc, pen);
        MoveToEx(dc, corners[0].x, corners[0].y, nullptr);
        for (int c = 1; c <= 4; ++c) {
            LineTo(dc, corners[c % 4].x, corners[c % 4].y);
        }
        SelectObject(dc, previousPen);
        DeleteObject(pen);
    }
}

int wallDifference(const std::vector<std::array<POINT, 4>>& quads) {
    placeWalls(quads);
    Canvas drawn = openCanvas();
    render::currentSlot = slot;
    render::drawSideWalls(nullptr, nullptr, drawn.dc, drawn.bitmap);
    EXPECT_EQ(render::wallOrderCount, static_cast<int>(quads.size()));
    Canvas expected = openCanvas();
    referenceWalls(expected.dc);
    std::vector<std::uint32_t> a = closeCanvas(drawn), b = closeCanvas(expected);
    drawnPixels += differentPixels(a, std::vector<std::uint32_t>(a.size(), 0x336699));
    return differentPixels(a, b);
}

TEST(DrawCalls, WallDrawsThePolygonAndTheTracedEdges) {
    using Quad = std::array<POINT, 4>;
    const std::vector<std::vector<Quad>> cases = {
        {Quad{{{10, 10}, {60, 10}, {60, 60}, {10, 60}}},
         Quad{{{30, 30}, {80, 35}, {85, 80}, {25, 70}}}},
        {Quad{{{0, 0}, {width, 0}, {width, height}, {0, height}}},
         Quad{{{0, height}, {width, height}, {width, height}, {0, height}}},
         Quad{{{width, 0}, {width, height}, {width, height}, {width, 0}}}},
        {Quad{{{-farOut, 10}, {farOut, 20}, {farOut, 30}, {-farOut, 40}}},
         Quad{{{-farOut, 0}, {width, 0}, {width, farOut}, {-farOut, farOut}}},
         Quad{{{50, -farOut}, {60, -farOut}, {70, farOut}, {40, farOut}}}},
        {Quad{{{20, 20}, {20, 20}, {20, 20}, {20, 20}}},
         Quad{{{30, 40}, {90, 41}, {90, 41}, {30, 40}}},
         Quad{{{10, 10}, {100, 80}, {100, 10}, {10, 80}}}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(wallDifference(cases[i]), 0) << "case " << i;
    }
    drawnPixels = 0;
    Random random{11};
    for (int i = 0; i < 40; ++i) {
        std::vector<Quad> quads(static_cast<std::size_t>(random.next(1, 20)));
        for (Quad& quad : quads) {
            for (POINT& corner : quad) {
                corner = random.point();
            }
        }
        EXPECT_EQ(wallDifference(quads), 0) << "random walls " << i;
    }
    EXPECT_GT(drawnPixels, 40 * width * height / 10);
}

} // namespace

namespace {

// As far as the frame composer ever leaves a point: a face over the whole bitmap whose other
// corners lie that far to the left and below still fills every pixel and outlines its top edge.
TEST(DrawCalls, FaceThrownAsFarAsPointsGoFillsTheBitmap) {
    constexpr int limit = (1 << 27) - 1;
    placeFace({{{-limit, 0}, {width, 0}, {width, limit}, {-limit, limit}}});
    Canvas canvas = openCanvas();
    render::currentSlot = slot;
    render::drawFace(nullptr, nullptr, canvas.dc, canvas.bitmap);
    std::vector<std::uint32_t> pixels = closeCanvas(canvas);
    int outline = 0, filled = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = pixels[y * width + x];
            outline += y == 0 && p == 0x404040;
            filled += y > 0 && p == 0xC89614;
        }
    }
    EXPECT_EQ(outline, width) << "the top edge's outline";
    EXPECT_EQ(filled, width * (height - 1));
}

} // namespace
