#include "fitter/raster.h"

#include <algorithm>
#include <cmath>

namespace fitter {

namespace {

// Columns whose centre lies left of x.
int columnsLeftOf(double x, int width) {
    double k = std::ceil(x - 0.5);
    return static_cast<int>(std::clamp(k, 0.0, static_cast<double>(width)));
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return q + ((a % b != 0) && (a > 0) ? 1 : 0);
}

// Row j's samples lie at y = 511 - 2j eighths of a unit.
std::int64_t rowY(int row) {
    return figureRasterSide - 1 - 2 * std::int64_t{row};
}

} // namespace

void fillGlyph(const Glyph& glyph, double scale, double originX, double originY, int width,
               int height, std::uint8_t* mask, std::span<std::int32_t> winding) {
    width = std::clamp(width, 0, maxRasterSide);
    height = std::clamp(height, 0, maxRasterSide);
    const int stride = width + 1;
    const int asked = height;
    height = static_cast<int>(std::min<std::size_t>(height, winding.size() / stride));
    std::fill(mask + height * width, mask + asked * width, 0);
    std::fill(winding.begin(), winding.begin() + stride * height, 0);
    for (int c = 1; c <= glyph.contours; ++c) {
        for (int k = glyph.first[c]; k <= glyph.last[c]; ++k) {
            int j = k == glyph.last[c] ? glyph.first[c] : k + 1;
            double x1 = originX + glyph.x[k] * scale, y1 = originY - glyph.y[k] * scale;
            double x2 = originX + glyph.x[j] * scale, y2 = originY - glyph.y[j] * scale;
            if (y1 == y2) {
                continue;
            }
            int direction = y2 > y1 ? 1 : -1;
            double top = std::min(y1, y2), bottom = std::max(y1, y2);
            int firstRow = static_cast<int>(std::clamp(std::ceil(top - 0.5), 0.0, 1.0 * height));
            int lastRow = static_cast<int>(std::clamp(std::ceil(bottom - 0.5), 0.0, 1.0 * height));
            for (int row = firstRow; row < lastRow; ++row) {
                double sy = row + 0.5;
                if ((y1 > sy) == (y2 > sy)) {
                    continue;
                }
                double x = x1 + (sy - y1) * (x2 - x1) / (y2 - y1);
                winding[row * stride + columnsLeftOf(x, width)] += direction;
            }
        }
    }
    for (int row = 0; row < height; ++row) {
        std::int32_t sum = 0;
        for (int i = 0; i < width; ++i) {
            sum += winding[row * stride + i];
            mask[row * width + i] = sum != 0 ? 1 : 0;
        }
    }
}

void fillGlyphFigureGrid(const Glyph& glyph, FigureMask& mask, FigureWinding& winding) {
    fillGlyph(glyph, samplesPerUnit, figureRasterSide / 2.0, figureRasterSide / 2.0,
              figureRasterSide, figureRasterSide, mask.data(), winding);
}

int edgeColumn(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, int row) {
    const std::int64_t sy = rowY(row);
    if ((y1 > sy) == (y2 > sy)) {
        return -1;
    }
    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    // The crossing x is num / den; column i (at 2i - 511) lies left of it when
    // (2i - 511) * den < num.
    const std::int64_t den = y2 - y1;
    const std::int64_t num = x1 * den + (sy - y1) * (x2 - x1);
    std::int64_t k = ceilDiv(num + 511 * den, 2 * den);
    return static_cast<int>(std::clamp<std::int64_t>(k, 0, figureRasterSide));
}

void fillShape(const Shape& shape, FigureMask& mask) {
    mask.fill(0);
    constexpr std::int64_t eighths = 2 * samplesPerUnit;
    constexpr std::int64_t half = figureRasterSide / 2;
    for (int c = 1; c <= shape.contours; ++c) {
        for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
            int j = k == shape.last[c] ? shape.first[c] : k + 1;
            std::int64_t x1 = eighths * shape.x[k], y1 = eighths * shape.y[k];
            std::int64_t x2 = eighths * shape.x[j], y2 = eighths * shape.y[j];
            // Rows whose y lies between the two ends.
            std::int64_t top = std::max(y1, y2), bottom = std::min(y1, y2);
            std::int64_t firstRow =
                std::clamp<std::int64_t>((half * 2 - 1 - top) / 2 - 1, 0, figureRasterSide);
            std::int64_t lastRow =
                std::clamp<std::int64_t>((half * 2 - 1 - bottom) / 2 + 2, 0, figureRasterSide);
            for (auto row = static_cast<int>(firstRow); row < lastRow; ++row) {
                int column = edgeColumn(x1, y1, x2, y2, row);
                if (column >= 0 && column < figureRasterSide) {
                    mask[row * figureRasterSide + column] ^= 1;
                }
            }
        }
    }
    for (int row = 0; row < figureRasterSide; ++row) {
        std::uint8_t inside = 0;
        for (int i = 0; i < figureRasterSide; ++i) {
            inside ^= mask[row * figureRasterSide + i];
            mask[row * figureRasterSide + i] = inside;
        }
    }
}

Overlap overlapOf(const std::uint8_t* a, const std::uint8_t* b, int samples) {
    Overlap overlap{0, 0};
    for (int i = 0; i < samples; ++i) {
        overlap.both += a[i] & b[i];
        overlap.either += a[i] | b[i];
    }
    return overlap;
}

double iouOf(const Overlap& overlap) {
    return overlap.either == 0 ? 0.0 : static_cast<double>(overlap.both) / overlap.either;
}

namespace {

bool coversNear(const std::uint8_t* mask, int width, int height, int x, int y, int reach) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < width && ny < height && mask[ny * width + nx] != 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

double tolerantOverlap(const std::uint8_t* a, const std::uint8_t* b, int width, int height,
                       int reach) {
    std::int64_t either = 0, unforgiven = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inA = a[y * width + x] != 0, inB = b[y * width + x] != 0;
            either += inA || inB ? 1 : 0;
            if (inA != inB && !coversNear(inA ? b : a, width, height, x, y, reach)) {
                ++unforgiven;
            }
        }
    }
    return either == 0 ? 0.0 : 1.0 - static_cast<double>(unforgiven) / static_cast<double>(either);
}

bool centroidOf(const std::uint8_t* mask, int width, int height, double& x, double& y) {
    double sumX = 0, sumY = 0, count = 0;
    for (int row = 0; row < height; ++row) {
        for (int i = 0; i < width; ++i) {
            if (mask[row * width + i]) {
                sumX += i;
                sumY += row;
                ++count;
            }
        }
    }
    x = count > 0 ? sumX / count : 0;
    y = count > 0 ? sumY / count : 0;
    return count > 0;
}

} // namespace fitter
