// The words dialog's preview: each character's figure read back from its value as the program
// will read it, filled in a cell of its own; a character still being fitted shows as grey text,
// one that could not be made is crossed out in red, one whose figure lost pieces is framed in red.
#include "dialog/words.h"
#include "figurefile/utf8.h"

#include <algorithm>

namespace dialog::words {

namespace {

constexpr int columns = 13;
constexpr double cellUnits = 110.0; // outline units across a cell: the 100-unit em and a margin

struct CellBox {
    int left, top, size;
};

void drawFigure(HDC dc, const CellBox& box, const char* value) {
    static figures::FigureRecord record;
    figures::readFigureValue(value, record);
    if (!figures::isWellFormed(record)) {
        return;
    }
    std::array<POINT, figures::maxPoints + 1> points{};
    std::array<INT, figures::maxContours + 1> counts{};
    const int contours = record.header[figures::contourCountField];
    int n = 0;
    const double scale = box.size / cellUnits;
    for (int c = 1; c <= contours; ++c) {
        for (int p = record.start[c]; p <= record.end[c]; ++p) {
            points[static_cast<std::size_t>(n++)] = {
                box.left + box.size / 2 + static_cast<LONG>(record.x[p] * scale),
                box.top + box.size / 2 - static_cast<LONG>(record.y[p] * scale)};
        }
        counts[static_cast<std::size_t>(c - 1)] = record.end[c] - record.start[c] + 1;
    }
    SetPolyFillMode(dc, ALTERNATE);
    PolyPolygon(dc, points.data(), counts.data(), contours);
}

void drawCharacter(HDC dc, const CellBox& box, char32_t c) {
    wchar_t text[3];
    figurefile::utf16Units(c, text);
    RECT area{box.left, box.top, box.left + box.size, box.top + box.size};
    SetTextColor(dc, RGB(160, 160, 160));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void markCell(HDC dc, const CellBox& box, Mark mark) {
    HPEN red = CreatePen(PS_SOLID, std::max(1, box.size / 24), RGB(220, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, red);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (mark == Mark::unmade) {
        MoveToEx(dc, box.left + 2, box.top + 2, nullptr);
        LineTo(dc, box.left + box.size - 2, box.top + box.size - 2);
        MoveToEx(dc, box.left + box.size - 2, box.top + 2, nullptr);
        LineTo(dc, box.left + 2, box.top + box.size - 2);
    } else {
        Rectangle(dc, box.left + 1, box.top + 1, box.left + box.size - 1, box.top + box.size - 1);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(red);
}

} // namespace

void drawPreview(const DRAWITEMSTRUCT& item, const Result& result) {
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    const int width = area.right - area.left - 4;
    const int height = area.bottom - area.top - 4;
    const int size = std::min(width / columns, height / 2);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int s = 1; s <= result.count; ++s) {
        const CellBox box{area.left + 2 + (s - 1) % columns * size,
                          area.top + 2 + (s - 1) / columns * size, size};
        const Cell& cell = result.cell[static_cast<std::size_t>(s)];
        if (cell.mark == Mark::sound || cell.mark == Mark::stored || cell.mark == Mark::lossy) {
            drawFigure(dc, box, cell.value);
        } else {
            drawCharacter(dc, box, cell.character);
        }
        if (cell.mark == Mark::lossy || cell.mark == Mark::unmade) {
            markCell(dc, box, cell.mark);
        }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

} // namespace dialog::words
