// figure_survey, a developer's tool: how well the importer's figures keep the shape of whole
// character sets, scored apart from the fitter's own measure. "measure" fits every character of a
// group exactly as kesta-figures add does (fitCharacter), reads the figure back from its value
// text as the program does, fills it on a 300-pixel rendering of the glyph by GDI and appends one
// CSV line per character. "report" reads such CSV files, prints a table per group and draws a
// contact sheet (BMP) of the worst figures: the glyph, the figure, and glyph-only red against
// figure-only blue. Measuring and reporting are apart so a run can be cut into processes: Wine
// keeps every glyph it has drawn at large sizes until the process ends.
//   figure_survey measure FACE [--bold] (--group kanji1|kana|ascii | --chars TEXT)
//                 [--every K] [--from I] [--count N] --csv PATH
//   figure_survey report FACE [--bold] --csv PATH [--sheet PATH.bmp] [--worst N]
#include "figurefile/add_stages.h"
#include "figurefile/figure_list.h"
#include "figurefile/utf8.h"
#include "figures/format.h"
#include "glyphs/pixel_bitmap_win32.h"
#include "tools/survey_scores.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

using namespace fitter;
using namespace glyphs;
using namespace figurefile;

enum class Mode { none, measure, report };

struct Arguments {
    Mode mode;
    const wchar_t* face;
    bool bold;
    const wchar_t* group;
    const wchar_t* chars;
    int every, from, count, worst;
    const wchar_t* csv;
    const wchar_t* sheet;
};

int number(const wchar_t* text) {
    return text ? std::max(0, static_cast<int>(std::wcstol(text, nullptr, 10))) : 0;
}

bool parseArguments(int count, wchar_t** arguments, Arguments& a) {
    a = {Mode::none,         nullptr, false,   nullptr, nullptr, 1, 0,
         tools::maxSurveyed, 40,      nullptr, nullptr};
    if (count < 3) {
        return false;
    }
    a.mode = lstrcmpW(arguments[1], L"measure") == 0  ? Mode::measure
             : lstrcmpW(arguments[1], L"report") == 0 ? Mode::report
                                                      : Mode::none;
    a.face = arguments[2];
    for (int i = 3; i < count; ++i) {
        const wchar_t* option = arguments[i];
        const wchar_t* value = i + 1 < count ? arguments[i + 1] : nullptr;
        if (lstrcmpW(option, L"--bold") == 0) {
            a.bold = true;
            continue;
        }
        if (!value) {
            return false;
        }
        ++i;
        if (lstrcmpW(option, L"--group") == 0) {
            a.group = value;
        } else if (lstrcmpW(option, L"--chars") == 0) {
            a.chars = value;
        } else if (lstrcmpW(option, L"--every") == 0) {
            a.every = std::max(1, number(value));
        } else if (lstrcmpW(option, L"--from") == 0) {
            a.from = number(value);
        } else if (lstrcmpW(option, L"--count") == 0) {
            a.count = number(value);
        } else if (lstrcmpW(option, L"--worst") == 0) {
            a.worst = number(value);
        } else if (lstrcmpW(option, L"--csv") == 0) {
            a.csv = value;
        } else if (lstrcmpW(option, L"--sheet") == 0) {
            a.sheet = value;
        } else {
            return false;
        }
    }
    return a.mode != Mode::none && a.csv &&
           (a.mode == Mode::report || (a.group != nullptr) != (a.chars != nullptr));
}

// The characters of a group, in code order.
char32_t selection[tools::maxSurveyed];
int selected;

void select(char32_t c) {
    if (selected < tools::maxSurveyed) {
        selection[selected++] = c;
    }
}

// The characters of a range of Shift-JIS codes; codes that are no character of code page 932
// (trail bytes outside the ranges, unassigned places) are left out.
void selectShiftJis(int firstCode, int lastCode) {
    for (int code = firstCode; code <= lastCode; ++code) {
        const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        wchar_t wide[2];
        if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, 2, wide, 2) == 1) {
            select(wide[0]);
        }
    }
}

bool selectGroup(const wchar_t* group) {
    selected = 0;
    if (lstrcmpW(group, L"kanji1") == 0) {
        selectShiftJis(0x889F, 0x9872);
    } else if (lstrcmpW(group, L"kana") == 0) {
        selectShiftJis(0x829F, 0x82F1); // hiragana
        selectShiftJis(0x8340, 0x8396); // katakana
    } else if (lstrcmpW(group, L"ascii") == 0) {
        for (char32_t c = 0x21; c <= 0x7E; ++c) {
            select(c);
        }
    } else {
        return false;
    }
    return true;
}

void selectText(const wchar_t* text) {
    selected = 0;
    for (const wchar_t* c = text; *c; ++c) {
        if (IS_HIGH_SURROGATE(c[0]) && IS_LOW_SURROGATE(c[1])) {
            select(0x10000 + ((static_cast<char32_t>(c[0]) - 0xD800) << 10) + (c[1] - 0xDC00));
            ++c;
        } else if (*c != L' ') {
            select(*c);
        }
    }
}

// The rendering for the survey's own score: another font of the same face, its em 300 pixels.
HDC renderDc;
HFONT renderFont;
HGDIOBJ oldRenderFont;
std::array<unsigned char, 1 << 20> glyphBits;

bool openRenderFont(const wchar_t* face, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -tools::emPixels;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    renderDc = CreateCompatibleDC(nullptr);
    renderFont = CreateFontIndirectW(&font);
    oldRenderFont = SelectObject(renderDc, renderFont);
    wchar_t chosen[LF_FACESIZE];
    GetTextFaceW(renderDc, LF_FACESIZE, chosen);
    return lstrcmpiW(chosen, face) == 0;
}

void closeRenderFont() {
    SelectObject(renderDc, oldRenderFont);
    DeleteObject(renderFont);
    DeleteDC(renderDc);
}

// Draws the glyph on the canvas, half covered pixels and more inside, and gives where the
// importer's cell origin lands: the em box's middle height, the middle of the ink across.
bool renderGlyph(char32_t c, const FontFrame& frame, tools::Canvas& canvas,
                 tools::Placement& origin) {
    canvas.fill(0);
    if (c > 0xFFFF) {
        return false;
    }
    GLYPHMETRICS metrics;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    // Unhinted where GDI allows it: hinting moves stems onto this grid, which the figure never saw.
    UINT format = GGO_GRAY8_BITMAP | GGO_UNHINTED;
    DWORD size =
        GetGlyphOutlineW(renderDc, static_cast<UINT>(c), format, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR) {
        format = GGO_GRAY8_BITMAP;
        size = GetGlyphOutlineW(renderDc, static_cast<UINT>(c), format, &metrics, 0, nullptr,
                                &identity);
    }
    if (size == GDI_ERROR || size == 0 || size > glyphBits.size() ||
        GetGlyphOutlineW(renderDc, static_cast<UINT>(c), format, &metrics, size, glyphBits.data(),
                         &identity) == GDI_ERROR) {
        return false;
    }
    const int width = static_cast<int>(metrics.gmBlackBoxX);
    const int height = static_cast<int>(metrics.gmBlackBoxY);
    const int pitch = (width + 3) & ~3;
    int left = width, right = -1;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (glyphBits[row * pitch + column] > 0) {
                left = std::min(left, column);
                right = std::max(right, column);
            }
        }
    }
    if (right < left) {
        return false;
    }
    const double inkMiddle = metrics.gmptGlyphOrigin.x + (left + right + 1) / 2.0;
    const double emMiddle =
        (frame.ascent + frame.descent) / 2 * tools::emPixels / std::max(1.0, frame.emSize);
    const int shiftX = tools::canvasSide / 2 - static_cast<int>(std::floor(inkMiddle));
    const int shiftY = tools::canvasSide / 2 + static_cast<int>(std::floor(emMiddle));
    for (int row = 0; row < height; ++row) {
        const int y = shiftY - metrics.gmptGlyphOrigin.y + row;
        for (int column = 0; column < width; ++column) {
            const int x = shiftX + metrics.gmptGlyphOrigin.x + column;
            if (x >= 0 && x < tools::canvasSide && y >= 0 && y < tools::canvasSide) {
                canvas[y * tools::canvasSide + x] = glyphBits[row * pitch + column] >= 32 ? 1 : 0;
            }
        }
    }
    origin = {shiftX + inkMiddle, shiftY - emMiddle, tools::pixelsPerUnit};
    return true;
}

tools::Canvas glyphCanvas;
tools::Canvas figureCanvas;
tools::GlyphRows glyphRows;

// The survey's score of a figure value: the best overlap of the value's figure, as the program
// reads it, with the glyph's rendering; -1 when the glyph does not render, 0 when the program
// would not draw the figure.
double scoreValue(char32_t c, const FontFrame& frame, std::string_view value,
                  tools::Placement& best) {
    figures::FigureRecord record;
    figures::readFigureValue(value, record);
    tools::Placement origin;
    if (!renderGlyph(c, frame, glyphCanvas, origin)) {
        return -1.0;
    }
    best = origin;
    if (!figures::isWellFormed(record)) {
        fillFigure(record, origin, figureCanvas);
        return 0.0;
    }
    tools::countGlyphRows(glyphCanvas, glyphRows);
    const double overlap = tools::bestOverlap(record, origin, glyphRows, best);
    tools::fillFigure(record, best, figureCanvas);
    return overlap;
}

// In the order of FitOutcome.
constexpr const char* outcomeNames[] = {"fitted",     "missing",  "empty",
                                        "unreadable", "mismatch", "tooLong"};
constexpr int outcomeCount = 6;
constexpr int made = static_cast<int>(FitOutcome::fitted);
constexpr int mismatch = static_cast<int>(FitOutcome::mismatch);

const char* outcomeName(FitOutcome outcome) {
    const int n = static_cast<int>(outcome);
    return n >= 0 && n < outcomeCount ? outcomeNames[n] : "?";
}

int utf8Of(char32_t c, char (&text)[8]) {
    wchar_t wide[3];
    const int units = figurefile::utf16Units(c, wide);
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, units, text, 7, nullptr, nullptr);
    text[std::max(0, n)] = '\0';
    return n;
}

int shiftJisOf(char32_t c, char (&bytes)[8]) {
    if (c > 0xFFFF) {
        return 0;
    }
    const wchar_t wide = static_cast<wchar_t>(c);
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes,
                                      nullptr, &lost);
    return n > 0 && !lost ? n : 0;
}

constexpr const char* csvHeader = "group,character,code,sjis,outcome,points,contours,dropped,"
                                  "fitted,independent,ms,read,value\n";

// The importer's font and the survey's own rendering font of the same face; false (said) when
// GDI chose another face.
bool openFonts(const Arguments& a, FontFrame& frame) {
    wchar_t opened[32];
    if (openFaceOrDefault(a.face, a.bold, false, frame, opened) != FontFault::none ||
        !openRenderFont(a.face, a.bold)) {
        std::fprintf(stderr, "font not installed (GDI chose another face)\n");
        return false;
    }
    return true;
}

int measure(const Arguments& a) {
    const char* groupName = "chosen";
    char groupText[16] = "chosen";
    if (a.group) {
        if (!selectGroup(a.group)) {
            std::fprintf(stderr, "unknown group (kanji1, kana, ascii)\n");
            return 2;
        }
        WideCharToMultiByte(CP_UTF8, 0, a.group, -1, groupText, sizeof groupText - 1, nullptr,
                            nullptr);
        groupName = groupText;
    } else {
        selectText(a.chars);
    }
    FontFrame frame;
    if (!openFonts(a, frame)) {
        return 1;
    }
    FILE* csv = _wfopen(a.csv, L"ab");
    if (!csv) {
        std::fprintf(stderr, "cannot write the CSV file\n");
        return 1;
    }
    std::fseek(csv, 0, SEEK_END);
    if (std::ftell(csv) == 0) {
        std::fputs(csvHeader, csv);
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    int taken = 0;
    for (int i = 0; i < selected; ++i) {
        if (i % a.every != 0) {
            continue;
        }
        const int rank = i / a.every;
        if (rank < a.from || rank >= a.from + a.count) {
            continue;
        }
        const char32_t c = selection[i];
        char sjis[8];
        const int sjisLength = shiftJisOf(c, sjis);
        char name[maxNameBytes + 1];
        figureName(c, std::string_view(sjis, static_cast<std::size_t>(sjisLength)), name);
        static char value[figures::figureValueSize];
        value[0] = '\0';
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const CharacterFit fit = fitCharacter(c, frame, name, value);
        QueryPerformanceCounter(&end);
        const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        double independent = -1.0;
        tools::Placement best;
        // The name is Shift-JIS, not the CSV's UTF-8: the stored value keeps the code instead.
        char stored[figures::figureValueSize + 16] = "";
        if (fit.outcome == FitOutcome::fitted) {
            independent = scoreValue(c, frame, value, best);
            const std::string_view fields = value;
            const std::size_t comma = std::min(fields.find(','), fields.size());
            std::snprintf(stored, sizeof stored, "U+%04X%s", static_cast<unsigned>(c),
                          value + comma);
        }
        char shown[8];
        utf8Of(c, shown);
        const bool quote = c == U',' || c == U'"';
        char sjisHex[8] = "";
        if (sjisLength == 2) {
            std::snprintf(sjisHex, sizeof sjisHex, "%02X%02X", static_cast<unsigned char>(sjis[0]),
                          static_cast<unsigned char>(sjis[1]));
        }
        std::fprintf(csv, "%s,%s%s%s,U+%04X,%s,%s,%d,%d,%d,%.4f,%.4f,%.1f,%.4f,\"%s\"\n", groupName,
                     quote ? "\"" : "", c == U'"' ? "\"\"" : shown, quote ? "\"" : "",
                     static_cast<unsigned>(c), sjisHex, outcomeName(fit.outcome), fit.points,
                     fit.contours, fit.report.droppedContours, fit.report.fitted, independent, ms,
                     fit.readOverlap, stored);
        std::fflush(csv);
        std::printf("%-7s %s U+%04X %-9s own %.3f survey %.3f drop %d %6.0f ms\n", groupName, shown,
                    static_cast<unsigned>(c), outcomeName(fit.outcome), fit.report.fitted,
                    independent, fit.report.droppedContours, ms);
        std::fflush(stdout);
        ++taken;
    }
    std::fclose(csv);
    closeRenderFont();
    closeFont();
    std::printf("measured %d characters of %d\n", taken, selected);
    return 0;
}

// One character of the CSV files.
struct Row {
    int group;
    char32_t code;
    int outcome;
    int points, contours, dropped;
    double fitted, independent, ms, read;
    char value[figures::figureValueSize + 16];
};

constexpr int maxGroups = 8;
char groupNames[maxGroups][16];
int groupCount;
Row rows[tools::maxSurveyed];
int rowCount;

int groupIndex(std::string_view name) {
    for (int g = 0; g < groupCount; ++g) {
        if (name == groupNames[g]) {
            return g;
        }
    }
    if (groupCount == maxGroups) {
        return -1;
    }
    const std::size_t n = std::min(name.size(), sizeof groupNames[0] - 1);
    std::memcpy(groupNames[groupCount], name.data(), n);
    groupNames[groupCount][n] = '\0';
    return groupCount++;
}

double decimal(std::string_view field) {
    char text[32];
    const std::size_t n = std::min(field.size(), sizeof text - 1);
    std::memcpy(text, field.data(), n);
    text[n] = '\0';
    return std::strtod(text, nullptr);
}

bool readRows(const wchar_t* path) {
    FILE* in = _wfopen(path, L"rb");
    if (!in) {
        return false;
    }
    static char line[2048];
    while (std::fgets(line, sizeof line, in) && rowCount < tools::maxSurveyed) {
        std::array<std::string_view, 13> f;
        if (tools::csvFields(line, f) < 13 || f[0] == "group") {
            continue;
        }
        Row& row = rows[rowCount];
        row.group = groupIndex(f[0]);
        unsigned code = 0;
        std::from_chars(f[2].data() + std::min<std::size_t>(2, f[2].size()),
                        f[2].data() + f[2].size(), code, 16);
        row.code = code;
        row.outcome = outcomeCount;
        for (int o = 0; o < outcomeCount; ++o) {
            row.outcome = f[4] == outcomeNames[o] ? o : row.outcome;
        }
        row.points = static_cast<int>(decimal(f[5]));
        row.contours = static_cast<int>(decimal(f[6]));
        row.dropped = static_cast<int>(decimal(f[7]));
        row.fitted = decimal(f[8]);
        row.independent = decimal(f[9]);
        row.ms = decimal(f[10]);
        row.read = decimal(f[11]);
        const std::size_t n = std::min(f[12].size(), sizeof row.value - 1);
        std::memcpy(row.value, f[12].data(), n);
        row.value[n] = '\0';
        if (row.group >= 0 && row.outcome < outcomeCount) {
            ++rowCount;
        }
    }
    std::fclose(in);
    return true;
}

tools::Overlaps overlaps;
tools::Overlaps ownOverlaps;

void printTable() {
    std::printf("%-7s %5s %5s %7s %7s %7s %7s %6s %6s %6s %6s %6s %5s %8s\n", "group", "n", "made",
                "missing", "empty", "unread", "mismat", "long", "median", "p10", ">=0.90", "<0.80",
                "drop", "ms/char");
    for (int g = 0; g < groupCount; ++g) {
        int n = 0, fitted = 0, dropped = 0, refusals[outcomeCount] = {};
        double ms = 0.0;
        for (int r = 0; r < rowCount; ++r) {
            const Row& row = rows[r];
            if (row.group != g) {
                continue;
            }
            ++n;
            ms += row.ms;
            ++refusals[row.outcome];
            if (row.outcome == made) {
                ownOverlaps[fitted] = row.fitted;
                overlaps[fitted++] = std::max(0.0, row.independent);
                dropped += row.dropped > 0 ? 1 : 0;
            }
        }
        const tools::OverlapSummary s = tools::summarise(overlaps, fitted);
        std::printf("%-7s %5d %5d %7d %7d %7d %7d %6d %6.3f %6.3f %5.1f%% %5.1f%% %5d %8.0f\n",
                    groupNames[g], n, fitted, refusals[1], refusals[2], refusals[3], refusals[4],
                    refusals[5], s.median, s.tenth, 100 * s.good, 100 * s.rough, dropped,
                    n ? ms / n : 0.0);
        std::printf("%-7s the importer's own overlap: median %.3f  p10 %.3f\n", "",
                    tools::percentile(ownOverlaps, fitted, 0.5),
                    tools::percentile(ownOverlaps, fitted, 0.1));
    }
}

// The made figures by the survey's score, worst first.
int worst[tools::maxSurveyed];
int worstCount;

void rankWorst(int limit) {
    worstCount = 0;
    for (int r = 0; r < rowCount; ++r) {
        if (rows[r].outcome == made) {
            worst[worstCount++] = r;
        }
    }
    std::stable_sort(worst, worst + worstCount,
                     [](int a, int b) { return rows[a].independent < rows[b].independent; });
    worstCount = std::min(worstCount, limit);
    std::printf("\nworst %d: group char code survey own points contours dropped\n", worstCount);
    for (int i = 0; i < worstCount; ++i) {
        const Row& row = rows[worst[i]];
        char shown[8];
        utf8Of(row.code, shown);
        std::printf("%3d %-7s %s U+%04X %.3f %.3f %2d %2d %d\n", i + 1, groupNames[row.group],
                    shown, static_cast<unsigned>(row.code), row.independent, row.fitted, row.points,
                    row.contours, row.dropped);
    }
}

// The characters refused, by group and outcome; with a mismatch, how far the reading of the
// outline was from GDI's rendering of it.
void printRefusals() {
    for (int g = 0; g < groupCount; ++g) {
        for (int outcome = 0; outcome < outcomeCount; ++outcome) {
            int n = 0;
            for (int r = 0; r < rowCount; ++r) {
                if (rows[r].group == g && rows[r].outcome == outcome && outcome != made) {
                    overlaps[n++] = rows[r].read;
                }
            }
            if (n == 0) {
                continue;
            }
            std::printf("\nrefused %s %s: %d", groupNames[g], outcomeNames[outcome], n);
            if (outcome == mismatch) {
                std::printf(" (read check overlap: min %.3f median %.3f max %.3f)",
                            tools::percentile(overlaps, n, 0.0),
                            tools::percentile(overlaps, n, 0.5),
                            tools::percentile(overlaps, n, 1.0));
            }
            std::printf("\n ");
            for (int r = 0; r < rowCount; ++r) {
                if (rows[r].group == g && rows[r].outcome == outcome) {
                    char shown[8];
                    utf8Of(rows[r].code, shown);
                    std::printf(" %s", shown);
                }
            }
            std::printf("\n");
        }
    }
}

// The contact sheet: per character a label line over three tiles (glyph, figure, difference),
// the cell and a margin around it at half the canvas's resolution.
constexpr int tileUnits = 120;
constexpr int tileSide = static_cast<int>(tileUnits * tools::pixelsPerUnit) / 2;
constexpr int labelHeight = 22;
constexpr int blocksAcross = 4;
constexpr int blockWidth = 3 * tileSide + 8;
constexpr int blockHeight = tileSide + labelHeight + 6;

COLORREF tilePixel(int tile, bool glyph, bool figure) {
    if (tile == 0) {
        return glyph ? RGB(0, 0, 0) : RGB(255, 255, 255);
    }
    if (tile == 1) {
        return figure ? RGB(0, 0, 0) : RGB(255, 255, 255);
    }
    return glyph && figure ? RGB(90, 90, 90)
           : glyph         ? RGB(230, 0, 0)
           : figure        ? RGB(0, 60, 255)
                           : RGB(255, 255, 255);
}

void drawTiles(std::uint32_t* bits, int stride, int left, int top) {
    const int crop = (tools::canvasSide - 2 * tileSide) / 2;
    for (int tile = 0; tile < 3; ++tile) {
        for (int y = 0; y < tileSide; ++y) {
            for (int x = 0; x < tileSide; ++x) {
                int red = 0, green = 0, blue = 0;
                for (int dy = 0; dy < 2; ++dy) {
                    for (int dx = 0; dx < 2; ++dx) {
                        const int at = (crop + 2 * y + dy) * tools::canvasSide + crop + 2 * x + dx;
                        const COLORREF p = tilePixel(tile, glyphCanvas[at], figureCanvas[at]);
                        red += GetRValue(p);
                        green += GetGValue(p);
                        blue += GetBValue(p);
                    }
                }
                bits[(top + y) * stride + left + tile * tileSide + x] =
                    static_cast<std::uint32_t>((red / 4) << 16 | (green / 4) << 8 | blue / 4);
            }
        }
    }
}

bool writeSheet(const wchar_t* path, const FontFrame& frame) {
    const int across = std::min(worstCount, blocksAcross);
    const int down = (worstCount + blocksAcross - 1) / blocksAcross;
    if (across == 0) {
        return true;
    }
    const int width = across * blockWidth, height = down * blockHeight;
    const BITMAPINFO info = glyphs::pixelBitmapInfo(width, height);
    void* pixels = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = glyphs::createPixelBitmap(dc, width, height, pixels);
    if (!bitmap || !pixels) {
        DeleteDC(dc);
        return false;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    LOGFONTW labelFont{};
    labelFont.lfHeight = -15;
    labelFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(labelFont.lfFaceName, L"Noto Sans CJK JP");
    HFONT font = CreateFontIndirectW(&labelFont);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    GdiFlush();
    for (int i = 0; i < worstCount; ++i) {
        const Row& row = rows[worst[i]];
        const int left = i % blocksAcross * blockWidth, top = i / blocksAcross * blockHeight;
        tools::Placement best;
        scoreValue(row.code, frame, row.value, best);
        drawTiles(static_cast<std::uint32_t*>(pixels), width, left, top + labelHeight);
        wchar_t label[96];
        wchar_t shown = row.code <= 0xFFFF ? static_cast<wchar_t>(row.code) : L'?';
        std::swprintf(label, 96, L"%d. %lc U+%04X  %.3f (own %.3f) %d pt %d ctr%ls", i + 1, shown,
                      static_cast<unsigned>(row.code), row.independent, row.fitted, row.points,
                      row.contours, row.dropped > 0 ? L" lost" : L"");
        TextOutW(dc, left + 2, top + 2, label, lstrlenW(label));
        GdiFlush();
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    // GDI leaves the fourth byte 0, which readers of 32-bit BMPs take for transparent.
    auto* bits = static_cast<std::uint32_t*>(pixels);
    for (int i = 0; i < width * height; ++i) {
        bits[i] |= 0xFF000000u;
    }
    bool written = false;
    if (FILE* out = _wfopen(path, L"wb")) {
        BITMAPFILEHEADER file{};
        const DWORD bytes = static_cast<DWORD>(width) * height * 4;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + bytes;
        written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  std::fwrite(pixels, bytes, 1, out) == 1;
        written = std::fclose(out) == 0 && written;
    }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return written;
}

int report(const Arguments& a) {
    if (!readRows(a.csv)) {
        std::fprintf(stderr, "cannot read the CSV file\n");
        return 1;
    }
    printTable();
    rankWorst(a.worst);
    printRefusals();
    if (!a.sheet) {
        return 0;
    }
    FontFrame frame;
    if (!openFonts(a, frame)) {
        return 1;
    }
    closeFont();
    const bool written = writeSheet(a.sheet, frame);
    closeRenderFont();
    if (!written) {
        std::fprintf(stderr, "cannot write the contact sheet\n");
        return 1;
    }
    return 0;
}

} // namespace

int wmain(int count, wchar_t** arguments) {
    Arguments a;
    if (!parseArguments(count, arguments, a)) {
        std::fprintf(stderr,
                     "usage: figure_survey measure FACE [--bold] (--group kanji1|kana|ascii | "
                     "--chars TEXT) [--every K] [--from I] [--count N] --csv PATH\n"
                     "       figure_survey report FACE [--bold] --csv PATH [--sheet PATH.bmp] "
                     "[--worst N]\n");
        return 2;
    }
    return a.mode == Mode::measure ? measure(a) : report(a);
}
