// Glyphs read through GDI and fitted into figures: every read must match GDI's own rendering of
// the glyph (the reader refuses it otherwise), and representative characters of a CFF font (Noto
// Sans CJK JP) and a TrueType font (DejaVu Sans) must keep their shape in the figure.
#include "fitter/fit.h"
#include "fitter/geometry.h"
#include "glyphs/glyph_reader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

namespace {

using namespace fitter;
using namespace glyphs;

FitWork work;
Glyph glyph;
Shape figure;

struct Expected {
    char32_t character;
    double floor; // the lowest overlap the figure may keep
};

void checkFont(const wchar_t* face, std::initializer_list<Expected> characters) {
    FontFrame frame;
    wchar_t chosen[32];
    ASSERT_EQ(openFont(face, false, false, frame, chosen), FontFault::none) << "chose " << chosen;
    for (const Expected& expected : characters) {
        SCOPED_TRACE(static_cast<unsigned>(expected.character));
        double readOverlap = 0.0;
        ASSERT_EQ(readGlyph(expected.character, glyph, readOverlap), GlyphFault::none)
            << "overlap with GDI's rendering " << readOverlap;
        EXPECT_GE(readOverlap, readCheckThreshold);
        placeInCell(glyph, frame);
        FitReport report;
        ASSERT_TRUE(fitFigure(work, glyph, figure, report));
        figures::FigureRecord record;
        shapeToRecord(figure, record);
        EXPECT_EQ(figureFault(record), Fault::none);
        EXPECT_GE(report.fitted, expected.floor);
        EXPECT_GE(report.fitted, report.reduced);
        Box box = inkBox(glyph);
        EXPECT_LT(box.right - box.left, cellSize + 1) << "wider than its cell";
    }
    closeFont();
}

TEST(ImporterGlyphs, CffCurvesReadRightAndFit) {
    checkFont(L"Noto Sans CJK JP", {{U'A', 0.92},
                                    {U'g', 0.92},
                                    {U'O', 0.92},
                                    {U'&', 0.92},
                                    {U'8', 0.92},
                                    {U'あ', 0.90},
                                    {U'ぬ', 0.90},
                                    {U'ア', 0.92},
                                    {U'永', 0.78},
                                    {U'語', 0.78},
                                    // Beyond the 16-bit range, found in the font's own map.
                                    {U'\U0002000B', 0.90},
                                    {U'\U00020BB7', 0.90},
                                    {U'\U00029E3D', 0.60}});
}

TEST(ImporterGlyphs, TheCheckTellsAMisreadCurveFromTheRasterisers) {
    FontFrame frame;
    wchar_t chosen[32];
    // Characters the check once refused in both Noto faces, though their outlines are clean.
    for (const wchar_t* face : {L"Noto Sans CJK JP", L"Noto Serif CJK JP"}) {
        ASSERT_EQ(openFont(face, false, false, frame, chosen), FontFault::none) << chosen;
        for (char32_t c : {U'浮', U'蒙', U'量', U'零', U'学', U'文', U'案', U'返', U'縁', U'髪'}) {
            double overlap = 0.0;
            EXPECT_EQ(readGlyph(c, glyph, overlap), GlyphFault::none)
                << static_cast<unsigned>(c) << " " << overlap;
        }
        // A CFF font's cubic curves read as quadratic splines bend away from the glyph.
        double misread = 1.0, right = 0.0;
        EXPECT_EQ(readGlyph(U'O', glyph, misread, SplineReading::quadratic), GlyphFault::mismatch);
        EXPECT_EQ(readGlyph(U'O', glyph, right, SplineReading::cubic), GlyphFault::none);
        EXPECT_LT(misread, right);
        closeFont();
    }
}

// Wine keeps every glyph drawn as text for the life of the process; the check must not draw so.
TEST(ImporterGlyphs, ReadingManyCharactersKeepsMemoryBounded) {
    FontFrame frame;
    wchar_t chosen[32];
    ASSERT_EQ(openFont(L"Noto Sans CJK JP", false, false, frame, chosen), FontFault::none);
    auto residentBytes = [] {
        PROCESS_MEMORY_COUNTERS counters{};
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return static_cast<double>(counters.WorkingSetSize);
    };
    double overlap;
    readGlyph(U'亜', glyph, overlap);
    const double start = residentBytes();
    int read = 0;
    for (char32_t c = U'一'; read < 500; ++c) {
        read += readGlyph(c, glyph, overlap) == GlyphFault::none ? 1 : 0;
    }
    EXPECT_LT(residentBytes() - start, 50.0 * 1024 * 1024);
    closeFont();
}

TEST(ImporterGlyphs, TrueTypeCurvesReadRightAndFit) {
    checkFont(L"DejaVu Sans", {{U'A', 0.92}, {U'g', 0.92}, {U'O', 0.92}, {U'@', 0.85}});
}

TEST(ImporterGlyphs, MissingFacesAndCharactersAreRefused) {
    FontFrame frame;
    wchar_t chosen[32];
    EXPECT_EQ(openFont(L"No Such Face Anywhere", false, false, frame, chosen),
              FontFault::notInstalled);
    EXPECT_NE(lstrcmpiW(chosen, L"No Such Face Anywhere"), 0);
    ASSERT_EQ(openFont(L"DejaVu Sans", false, false, frame, chosen), FontFault::none);
    double overlap;
    EXPECT_EQ(readGlyph(U'漢', glyph, overlap), GlyphFault::missing) << "no .notdef box";
    EXPECT_EQ(readGlyph(U'\uE000', glyph, overlap), GlyphFault::missing);
    EXPECT_EQ(readGlyph(U'\U0002000B', glyph, overlap), GlyphFault::missing);
    EXPECT_EQ(readGlyph(char32_t{0x110000}, glyph, overlap), GlyphFault::missing);
    EXPECT_EQ(readGlyph(U' ', glyph, overlap), GlyphFault::empty);
    closeFont();
}

} // namespace
