#include "saver/saver.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace saver {

namespace {

constexpr std::size_t maxEdges = 2 * maxMonitors;

struct Edges {
    std::array<std::int32_t, maxEdges> at{};
    std::size_t count = 0;
};

void addEdge(Edges& edges, std::int32_t at) {
    if (std::find(edges.at.begin(), edges.at.begin() + edges.count, at) ==
        edges.at.begin() + edges.count) {
        edges.at[edges.count++] = at;
    }
}

void sortEdges(Edges& edges) {
    std::sort(edges.at.begin(), edges.at.begin() + edges.count);
}

bool empty(const figures::Area& a) {
    return a.right <= a.left || a.bottom <= a.top;
}

bool covers(const figures::Area& monitor, std::int32_t left, std::int32_t top, std::int32_t right,
            std::int32_t bottom) {
    return monitor.left <= left && right <= monitor.right && monitor.top <= top &&
           bottom <= monitor.bottom;
}

} // namespace

// The monitors' edges cut the plane into cells, each wholly inside a monitor or wholly outside
// all; the largest rectangle of covered cells has its sides on those edges. A table of the
// uncovered cells summed from the top left tells in one step whether a rectangle of cells holds
// any, so every pair of edges on both axes is tried.
figures::Area largestShownArea(const figures::Area* monitors, std::size_t count) {
    count = std::min(count, maxMonitors);
    Edges xs, ys;
    for (std::size_t m = 0; m < count; ++m) {
        if (!empty(monitors[m])) {
            addEdge(xs, monitors[m].left);
            addEdge(xs, monitors[m].right);
            addEdge(ys, monitors[m].top);
            addEdge(ys, monitors[m].bottom);
        }
    }
    if (xs.count < 2 || ys.count < 2) {
        return {};
    }
    sortEdges(xs);
    sortEdges(ys);
    // uncovered[j][i]: cells left of column i and above row j that no monitor shows.
    std::array<std::array<std::int32_t, maxEdges>, maxEdges> uncovered{};
    for (std::size_t j = 1; j < ys.count; ++j) {
        for (std::size_t i = 1; i < xs.count; ++i) {
            bool shown = false;
            for (std::size_t m = 0; m < count && !shown; ++m) {
                shown = covers(monitors[m], xs.at[i - 1], ys.at[j - 1], xs.at[i], ys.at[j]);
            }
            uncovered[j][i] = (shown ? 0 : 1) + uncovered[j - 1][i] + uncovered[j][i - 1] -
                              uncovered[j - 1][i - 1];
        }
    }
    figures::Area best{};
    std::uint64_t bestSize = 0;
    for (std::size_t top = 0; top < ys.count; ++top) {
        for (std::size_t bottom = top + 1; bottom < ys.count; ++bottom) {
            for (std::size_t left = 0; left < xs.count; ++left) {
                for (std::size_t right = left + 1; right < xs.count; ++right) {
                    const std::int32_t holes = uncovered[bottom][right] - uncovered[top][right] -
                                               uncovered[bottom][left] + uncovered[top][left];
                    if (holes != 0) {
                        break; // a wider rectangle holds the same hole
                    }
                    // Each side is below 2^32, so the product fits unsigned 64 bits.
                    const std::uint64_t size =
                        static_cast<std::uint64_t>(std::int64_t{xs.at[right]} - xs.at[left]) *
                        static_cast<std::uint64_t>(std::int64_t{ys.at[bottom]} - ys.at[top]);
                    if (size > bestSize) {
                        bestSize = size;
                        best = {xs.at[left], ys.at[top], xs.at[right], ys.at[bottom]};
                    }
                }
            }
        }
    }
    return best;
}

bool grabbable(const figures::Area& grip, const figures::Area* monitors, std::size_t count,
               std::int32_t leastWidth, std::int32_t leastHeight) {
    for (std::size_t m = 0; m < std::min(count, maxMonitors); ++m) {
        const std::int64_t left = std::max(grip.left, monitors[m].left);
        const std::int64_t right = std::min(grip.right, monitors[m].right);
        const std::int64_t top = std::max(grip.top, monitors[m].top);
        const std::int64_t bottom = std::min(grip.bottom, monitors[m].bottom);
        if (right - left >= std::max(leastWidth, 1) && bottom - top >= std::max(leastHeight, 1)) {
            return true;
        }
    }
    return false;
}

} // namespace saver
