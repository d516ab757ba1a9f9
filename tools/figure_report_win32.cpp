// figure_report, a developer's tool: how well the importer keeps the shape of a set of characters.
// For every character, the overlap (intersection over union on the outline-unit grid, even-odd fill
// of the figure against the font's glyph at the same scale) of the fitted figure, of the figure
// before the points are moved, and the ceiling (all rounded points, only the contour limits);
// then the median and minimum per group. With a path it also writes a contact sheet (PGM):
// white where figure and glyph agree, light grey figure only, dark grey glyph only.
//   figure_report [FACE] [SHEET.pgm] [CHARACTERS]   (the characters replace the groups)
#include "fitter/fit.h"
#include "fitter/raster.h"
#include "glyphs/glyph_reader.h"
#include "tools/figure_scores.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <span>

namespace {

using namespace fitter;
using namespace glyphs;

struct Group {
    const char* name;
    const wchar_t* characters;
    double floor;
    double medianTarget;
};

constexpr Group groups[] = {
    {"Latin", L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 0.92, 0.96},
    {"digits", L"0123456789", 0.92, 0.96},
    {"hiragana",
     L"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわを"
     L"ん",
     0.90, 0.96},
    {"katakana",
     L"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲ"
     L"ン",
     0.92, 0.96},
    {"kanji", L"日本語漢字東京大学生愛夢風山川花鳥月星空", 0.78, 0.95},
};

FitWork work;
Glyph glyph;
Shape figure;
FigureMask glyphMask;
FigureMask figureMask;

constexpr int tile = figureRasterSide / samplesPerUnit;
constexpr int sheetColumns = 16;
constexpr int maxTiles = 256;
unsigned char sheet[(maxTiles / sheetColumns + 1) * tile][sheetColumns * tile];
int tiles;

void addTile() {
    if (tiles >= maxTiles) {
        return;
    }
    const int top = tiles / sheetColumns * tile, left = tiles % sheetColumns * tile;
    for (int row = 0; row < tile; ++row) {
        for (int column = 0; column < tile; ++column) {
            int inGlyph = 0, inFigure = 0;
            for (int dy = 0; dy < samplesPerUnit; ++dy) {
                for (int dx = 0; dx < samplesPerUnit; ++dx) {
                    int sample = (row * samplesPerUnit + dy) * figureRasterSide +
                                 column * samplesPerUnit + dx;
                    inGlyph += glyphMask[sample];
                    inFigure += figureMask[sample];
                }
            }
            const bool g = inGlyph * 2 > samplesPerUnit * samplesPerUnit;
            const bool f = inFigure * 2 > samplesPerUnit * samplesPerUnit;
            sheet[top + row][left + column] = g && f ? 255 : f ? 170 : g ? 80 : 0;
        }
    }
    ++tiles;
}

} // namespace

int wmain(int count, wchar_t** arguments) {
    const wchar_t* face = count > 1 ? arguments[1] : L"Noto Sans CJK JP";
    FontFrame frame;
    wchar_t chosenFace[32];
    if (openFont(face, false, false, frame, chosenFace) != FontFault::none) {
        std::fprintf(stderr, "font not installed\n");
        return 1;
    }
    std::printf("%-9s %-6s %6s %7s %7s %7s %4s %3s %4s\n", "group", "char", "read", "ceiling",
                "reduced", "fitted", "pts", "ctr", "drop");
    bool allMet = true;
    const Group chosen[] = {{"chosen", count > 3 ? arguments[3] : L"", 0.0, 0.0}};
    for (const Group& group :
         count > 3 ? std::span<const Group>(chosen) : std::span<const Group>(groups)) {
        tools::GroupScores scores{};
        double lowest = 1.0;
        for (const wchar_t* c = group.characters; *c; ++c) {
            if (scores.count == tools::scoredCharacters) {
                std::printf("%-9s only the first %d characters are measured\n", group.name,
                            tools::scoredCharacters);
                break;
            }
            double readOverlap = 0.0;
            char shown[8];
            int length =
                WideCharToMultiByte(CP_UTF8, 0, c, 1, shown, sizeof shown - 1, nullptr, nullptr);
            shown[length > 0 ? length : 0] = '\0';
            if (readGlyph(*c, glyph, readOverlap) != GlyphFault::none) {
                std::printf("%-9s %-6s %6.3f  not read\n", group.name, shown, readOverlap);
                allMet = false;
                continue;
            }
            placeInCell(glyph, frame);
            FitReport report;
            if (!fitFigure(work, glyph, figure, report)) {
                std::printf("%-9s %-6s  nothing drawable\n", group.name, shown);
                allMet = false;
                continue;
            }
            fillGlyphFigureGrid(glyph, glyphMask, work.winding);
            fillShape(figure, figureMask);
            addTile();
            std::printf("%-9s %-6s %6.3f %7.3f %7.3f %7.3f %4d %3d %4d\n", group.name, shown,
                        readOverlap, report.ceiling, report.reduced, report.fitted, figure.points,
                        figure.contours, report.droppedContours);
            tools::keepScores(scores, report.fitted, report.reduced, report.ceiling);
            lowest = std::min(lowest, report.fitted);
        }
        const int n = scores.count;
        const double medianFitted = tools::median(scores.fitted, n);
        const bool met = medianFitted >= group.medianTarget && lowest >= group.floor;
        allMet = allMet && met;
        std::printf("== %-9s n=%d  median fitted %.3f (target %.2f)  min %.3f (floor %.2f)  "
                    "median reduced %.3f  median ceiling %.3f  %s\n",
                    group.name, n, medianFitted, group.medianTarget, lowest, group.floor,
                    tools::median(scores.reduced, n), tools::median(scores.ceiling, n),
                    met ? "met" : "NOT MET");
    }
    closeFont();
    if (count > 2) {
        FILE* out = _wfopen(arguments[2], L"wb");
        if (out) {
            const int rows = (tiles + sheetColumns - 1) / sheetColumns * tile;
            std::fprintf(out, "P5 %d %d 255\n", sheetColumns * tile, rows);
            std::fwrite(sheet, 1, static_cast<std::size_t>(rows) * sheetColumns * tile, out);
            std::fclose(out);
        }
    }
    return allMet ? 0 : 3;
}
