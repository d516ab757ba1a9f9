// Glyph outlines through GetGlyphOutlineW (GGO_NATIVE, unhinted, at the em size). Under Wine both
// GGO_NATIVE and GGO_BEZIER hand the cubic curves of CFF-based fonts over as quadratic splines
// (GGO_BEZIER converts them as if they were quadratic, which bends every curve), so the splines of
// a CFF font are read as cubic; each reading is rasterised and compared with GDI's own bitmap of
// the glyph (GGO_BITMAP, which GDI does not keep, where a glyph drawn as text stays in memory for
// the life of the process), and only one that matches it is used. Characters beyond the 16-bit
// range, which GetGlyphIndicesW cannot take, are looked up in the font's own character map;
// everything after that works on glyph indices.
#include "glyphs/glyph_reader.h"

#include "fitter/raster.h"
#include "glyphs/cmap.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace glyphs {

namespace {

// GDI's bitmap for the check: the em square this many pixels high, where an outline unit of the
// figure's cell is 4 pixels; a misread curve strays by several, the two rasterisers by one.
constexpr int renderEm = 400;
constexpr int renderMargin = 8;
constexpr int forgivenReach = 1;
constexpr double maxPlacementShift = 3.0;
// Curves are flattened to this fraction of an outline unit.
constexpr double flatteningTolerance = 0.05;

HDC fontDc;
HDC renderDc;
HFONT outlineFont;
HFONT renderFont;
double emSize;
bool cffOutlines;

std::array<unsigned char, 1 << 20> outlineBuffer;
std::array<unsigned char, 1 << 20> bitmapBuffer;
std::array<std::uint8_t, fitter::maxRasterSide * fitter::maxRasterSide> ownMask;
std::array<std::uint8_t, fitter::maxRasterSide * fitter::maxRasterSide> gdiMask;
std::array<std::int32_t, fitter::maxRasterSide*(fitter::maxRasterSide + 1)> winding;

HFONT makeFont(const wchar_t* face, bool bold, bool italic, int height, BYTE quality) {
    LOGFONTW font{};
    font.lfHeight = -height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = quality;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

double fixedValue(FIXED f) {
    return f.value + f.fract / 65536.0;
}

// One TTPOLYGONHEADER after another, each a contour of lines and cubic Beziers.
bool parseOutline(const unsigned char* data, DWORD size, bool splinesAreCubic,
                  fitter::Glyph& glyph) {
    fitter::clearGlyph(glyph);
    const double tolerance = flatteningTolerance * emSize / fitter::cellSize;
    DWORD at = 0;
    while (at + sizeof(TTPOLYGONHEADER) <= size) {
        TTPOLYGONHEADER header;
        std::memcpy(&header, data + at, sizeof header);
        if (header.cb < sizeof header || at + header.cb > size || !fitter::beginContour(glyph)) {
            return false;
        }
        double x = fixedValue(header.pfxStart.x), y = fixedValue(header.pfxStart.y);
        fitter::addPoint(glyph, x, y);
        DWORD curveAt = at + sizeof header;
        while (curveAt + 4 <= at + header.cb) {
            WORD type, count;
            std::memcpy(&type, data + curveAt, 2);
            std::memcpy(&count, data + curveAt + 2, 2);
            const DWORD pointsAt = curveAt + 4;
            if (pointsAt + count * sizeof(POINTFX) > at + header.cb) {
                return false;
            }
            auto point = [&](int i, double& px, double& py) {
                POINTFX p;
                std::memcpy(&p, data + pointsAt + i * sizeof(POINTFX), sizeof p);
                px = fixedValue(p.x);
                py = fixedValue(p.y);
            };
            bool ok = true;
            if (type == TT_PRIM_CSPLINE || (type == TT_PRIM_QSPLINE && splinesAreCubic)) {
                for (int i = 0; i + 2 < count; i += 3) {
                    double ax, ay, bx, by, ex, ey;
                    point(i, ax, ay);
                    point(i + 1, bx, by);
                    point(i + 2, ex, ey);
                    ok = ok && fitter::addCubic(glyph, ax, ay, bx, by, ex, ey, tolerance);
                }
            } else if (type == TT_PRIM_QSPLINE) {
                for (int i = 0; i + 1 < count; ++i) {
                    double cx, cy, nx, ny;
                    point(i, cx, cy);
                    point(i + 1, nx, ny);
                    if (i + 2 < count) {
                        nx = (cx + nx) / 2;
                        ny = (cy + ny) / 2;
                    }
                    ok = ok && fitter::addQuadratic(glyph, cx, cy, nx, ny, tolerance);
                }
            } else {
                for (int i = 0; i < count; ++i) {
                    double px, py;
                    point(i, px, py);
                    ok = ok && fitter::addPoint(glyph, px, py);
                }
            }
            if (!ok) {
                return false;
            }
            curveAt = pointsAt + count * sizeof(POINTFX);
        }
        fitter::endContour(glyph);
        at += header.cb;
    }
    return true;
}

// GDI's one-bit bitmap of the glyph into gdiMask, framed by the margin; false when there is none.
bool renderGlyph(WORD index, int& width, int& height, int& originX, int& originY) {
    GLYPHMETRICS metrics;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const UINT format = GGO_BITMAP | GGO_GLYPH_INDEX;
    const DWORD size = GetGlyphOutlineW(renderDc, index, format, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR || size == 0 || size > bitmapBuffer.size() ||
        GetGlyphOutlineW(renderDc, index, format, &metrics, size, bitmapBuffer.data(), &identity) ==
            GDI_ERROR) {
        return false;
    }
    const int boxWidth = static_cast<int>(metrics.gmBlackBoxX);
    const int boxHeight = static_cast<int>(metrics.gmBlackBoxY);
    const int rowBytes = (boxWidth + 31) / 32 * 4;
    width = boxWidth + 2 * renderMargin;
    height = boxHeight + 2 * renderMargin;
    if (width > fitter::maxRasterSide || height > fitter::maxRasterSide ||
        static_cast<DWORD>(rowBytes * boxHeight) > size) {
        return false;
    }
    std::fill_n(gdiMask.begin(), width * height, std::uint8_t{0});
    for (int y = 0; y < boxHeight; ++y) {
        for (int x = 0; x < boxWidth; ++x) {
            const unsigned char bits = bitmapBuffer[y * rowBytes + x / 8];
            gdiMask[(y + renderMargin) * width + x + renderMargin] = (bits >> (7 - x % 8)) & 1;
        }
    }
    originX = renderMargin - metrics.gmptGlyphOrigin.x;
    originY = renderMargin + metrics.gmptGlyphOrigin.y;
    return true;
}

// The outline filled on the grid of GDI's bitmap of the glyph, compared with it.
double compareWithRendering(const fitter::Glyph& glyph, WORD index) {
    int width = 0, height = 0, originX = 0, originY = 0;
    if (!renderGlyph(index, width, height, originX, originY)) {
        return 0.0;
    }
    const double scale = static_cast<double>(renderEm) / emSize;
    fitter::fillGlyph(glyph, scale, originX, originY, width, height, ownMask.data(), winding);
    const double direct =
        fitter::tolerantOverlap(ownMask.data(), gdiMask.data(), width, height, forgivenReach);
    // GDI places the glyph on whole pixels of its own rounding (the baseline moves by up to a
    // pixel or two); the shape is what must agree, so the outline is also laid where the
    // centroids of the two coincide.
    double ownX, ownY, gdiX, gdiY;
    if (!fitter::centroidOf(ownMask.data(), width, height, ownX, ownY) ||
        !fitter::centroidOf(gdiMask.data(), width, height, gdiX, gdiY)) {
        return direct;
    }
    const double dx = std::clamp(gdiX - ownX, -maxPlacementShift, maxPlacementShift);
    const double dy = std::clamp(gdiY - ownY, -maxPlacementShift, maxPlacementShift);
    fitter::fillGlyph(glyph, scale, originX + dx, originY + dy, width, height, ownMask.data(),
                      winding);
    return std::max(direct, fitter::tolerantOverlap(ownMask.data(), gdiMask.data(), width, height,
                                                    forgivenReach));
}

bool readCharacterMap(const void* source, std::uint32_t offset, unsigned char* bytes,
                      std::uint32_t length) {
    constexpr DWORD cmapTable = 'c' | 'm' << 8 | 'a' << 16 | 'p' << 24;
    const HDC dc = *static_cast<const HDC*>(source);
    return GetFontData(dc, cmapTable, offset, bytes, length) == length;
}

// The glyph index of the character in the chosen font; 0 when the font has none.
std::uint32_t glyphIndexOf(char32_t character) {
    if (character > 0xFFFF) {
        return fullRangeGlyph(readCharacterMap, &fontDc, character);
    }
    const wchar_t text = static_cast<wchar_t>(character);
    WORD index = 0xFFFF;
    if (GetGlyphIndicesW(fontDc, &text, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
        index == 0xFFFF) {
        return 0;
    }
    return index;
}

} // namespace

FontFault openFont(const wchar_t* face, bool bold, bool italic, fitter::FontFrame& frame,
                   wchar_t (&chosenFace)[32]) {
    closeFont();
    fontDc = CreateCompatibleDC(nullptr);
    HFONT probe = makeFont(face, bold, italic, 1000, DEFAULT_QUALITY);
    HGDIOBJ old = SelectObject(fontDc, probe);
    chosenFace[0] = L'\0';
    GetTextFaceW(fontDc, 32, chosenFace);
    OUTLINETEXTMETRICW metrics{};
    metrics.otmSize = sizeof metrics;
    const bool outlines = GetOutlineTextMetricsW(fontDc, sizeof metrics, &metrics) != 0;
    constexpr DWORD cffTable = 'C' | 'F' << 8 | 'F' << 16 | ' ' << 24;
    cffOutlines = GetFontData(fontDc, cffTable, 0, nullptr, 0) != GDI_ERROR;
    SelectObject(fontDc, old);
    DeleteObject(probe);
    if (lstrcmpiW(chosenFace, face) != 0) {
        return FontFault::notInstalled;
    }
    if (!outlines || metrics.otmEMSquare == 0) {
        return FontFault::noOutlines;
    }
    emSize = metrics.otmEMSquare;
    frame.emSize = emSize;
    frame.ascent = metrics.otmAscent;
    frame.descent = metrics.otmDescent;
    if (frame.ascent - frame.descent <= 0) {
        frame.ascent = metrics.otmTextMetrics.tmAscent;
        frame.descent = -static_cast<double>(metrics.otmTextMetrics.tmDescent);
    }
    outlineFont = makeFont(face, bold, italic, static_cast<int>(emSize), DEFAULT_QUALITY);
    renderFont = makeFont(face, bold, italic, renderEm, NONANTIALIASED_QUALITY);
    SelectObject(fontDc, outlineFont);
    renderDc = CreateCompatibleDC(nullptr);
    SelectObject(renderDc, renderFont);
    return FontFault::none;
}

void closeFont() {
    for (HDC* dc : {&fontDc, &renderDc}) {
        if (*dc) {
            DeleteDC(*dc);
        }
        *dc = nullptr;
    }
    for (HFONT* font : {&outlineFont, &renderFont}) {
        if (*font) {
            DeleteObject(*font);
        }
        *font = nullptr;
    }
}

GlyphFault readGlyph(char32_t character, fitter::Glyph& glyph, double& overlapWithRendering,
                     SplineReading reading) {
    overlapWithRendering = 0.0;
    fitter::clearGlyph(glyph);
    if (character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF) || !fontDc) {
        return GlyphFault::missing;
    }
    // GDI takes 16-bit glyph indices, as fonts number their glyphs.
    const std::uint32_t found = glyphIndexOf(character);
    if (found == 0 || found > 0xFFFF) {
        return GlyphFault::missing;
    }
    const auto index = static_cast<WORD>(found);
    GLYPHMETRICS metrics;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const UINT format = GGO_NATIVE | GGO_UNHINTED | GGO_GLYPH_INDEX;
    DWORD size = GetGlyphOutlineW(fontDc, index, format, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR || size > outlineBuffer.size()) {
        return GlyphFault::unreadable;
    }
    if (size == 0) {
        return GlyphFault::empty;
    }
    if (GetGlyphOutlineW(fontDc, index, format, &metrics, size, outlineBuffer.data(), &identity) ==
        GDI_ERROR) {
        return GlyphFault::unreadable;
    }
    // A CFF font's splines are cubic whatever their label says; a TrueType font's are quadratic.
    // Either reading must match the rendering; the other is tried before giving up.
    const bool first =
        reading == SplineReading::byFont ? cffOutlines : reading == SplineReading::cubic;
    for (bool cubic : {first, !first}) {
        if (cubic != first && reading != SplineReading::byFont) {
            break;
        }
        if (!parseOutline(outlineBuffer.data(), size, cubic, glyph)) {
            return GlyphFault::unreadable;
        }
        if (glyph.contours == 0) {
            return GlyphFault::empty;
        }
        overlapWithRendering = compareWithRendering(glyph, index);
        if (overlapWithRendering >= readCheckThreshold) {
            return GlyphFault::none;
        }
    }
    return GlyphFault::mismatch;
}

} // namespace glyphs
