// The wall ordering of one frame of the heaviest row: 26 slots of the 45-point comb, each turned
// and tilted differently; the frames of the frame benchmark's heaviest row with and without the
// ordering; and the digit rounding that every crossing test uses.
#include "figures/numbers.h"
#include "render/frame_box.h"
#include "render/walls.h"
#include "tests/bench/heaviest_row.h"
#include "tests/native/render_test_figures.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <tuple>

namespace {

using rendertest::buildPrism;
using rendertest::Contour;

// A contour in the builder's order: clockwise with y up, starting at its rightmost point (the
// upper one of a tie).
Contour normalised(Contour contour) {
    long long area = 0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        auto [x0, y0] = contour[i];
        auto [x1, y1] = contour[(i + 1) % contour.size()];
        area += static_cast<long long>(x0) * y1 - static_cast<long long>(x1) * y0;
    }
    if (area > 0) {
        std::reverse(contour.begin(), contour.end());
    }
    auto start = std::max_element(contour.begin(), contour.end());
    std::rotate(contour.begin(), start, contour.end());
    return contour;
}

// The heaviest figure the format allows: 45 points, a comb of seven teeth (whose inner walls
// hide one another when turned) with four square holes in its back.
void buildComb(int s) {
    Contour comb{{-50, -50}, {0, -50}, {50, -50}};
    for (int tooth = 0; tooth < 7; ++tooth) {
        int right = 50 - 15 * tooth, left = right - 10;
        comb.insert(comb.end(), {{right, 50}, {left, 50}});
        if (tooth < 6) {
            comb.insert(comb.end(), {{left, 0}, {left - 5, 0}});
        }
    }
    std::vector<Contour> holes;
    for (int h = 0; h < 4; ++h) {
        int x = -45 + 25 * h;
        holes.push_back(normalised({{x, -45}, {x + 15, -45}, {x + 15, -25}, {x, -25}}));
    }
    buildPrism(s, {normalised(comb), holes[0], holes[1], holes[2], holes[3]});
}

void heaviestRow() {
    for (int s = 1; s <= figures::maxSlots; ++s) {
        buildComb(s);
        rendertest::projectPrism(s, 13.7 * s, 5.0 + s, 10);
    }
}

void BM_OrderWallsOfTheHeaviestRow(benchmark::State& state) {
    heaviestRow();
    int drawn = 0;
    for (auto _ : state) {
        drawn = 0;
        for (int s = 1; s <= figures::maxSlots; ++s) {
            render::decideFaces(s);
            render::orderWalls(s);
            drawn += render::wallOrderCount;
        }
        benchmark::DoNotOptimize(drawn);
    }
    state.counters["walls"] = drawn;
}
BENCHMARK(BM_OrderWallsOfTheHeaviestRow)->Unit(benchmark::kMicrosecond);

// The frames that the frame benchmark (tests/wine/programs/bench_frame.cpp) times under Wine
// without drawing, from the same start: the ordering's share per frame is the difference between
// the two, to set beside the frame benchmark's.
constexpr int travellingFrames = 500;

template <bool order> void BM_FramesOfTheTravellingHeaviestRow(benchmark::State& state) {
    heaviest_row::setUp();
    figures::clientWidth = heaviest_row::clientWidth;
    figures::clientHeight = heaviest_row::clientHeight;
    // The builder scales the outlines in place: every run starts from the same tables.
    auto start = std::make_tuple(figures::pointCount, figures::figureHeader, figures::contourStart,
                                 figures::contourEnd, figures::outlineX, figures::outlineY,
                                 figures::slotAngle);
    for (auto _ : state) {
        state.PauseTiming();
        std::tie(figures::pointCount, figures::figureHeader, figures::contourStart,
                 figures::contourEnd, figures::outlineX, figures::outlineY, figures::slotAngle) =
            start;
        figures::seedRandom(1);
        figures::buildFigures();
        state.ResumeTiming();
        for (int i = 0; i < travellingFrames; ++i) {
            heaviest_row::frameWithoutDrawing(order);
        }
        benchmark::ClobberMemory();
    }
    state.counters["per_frame"] =
        benchmark::Counter(travellingFrames, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}
BENCHMARK(BM_FramesOfTheTravellingHeaviestRow<true>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FramesOfTheTravellingHeaviestRow<false>)->Unit(benchmark::kMillisecond);

template <int digits> void BM_RoundToDigits(benchmark::State& state) {
    std::mt19937_64 gen(1);
    std::uniform_real_distribution<double> value(-300.0, 300.0);
    std::array<double, 1024> values;
    for (double& v : values) {
        v = value(gen);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numbers::roundToDigits(values[i++ & 1023], digits));
    }
}
BENCHMARK(BM_RoundToDigits<13>);

void BM_RoundToDigitsFast(benchmark::State& state) {
    std::mt19937_64 gen(1);
    std::uniform_real_distribution<double> value(-300.0, 300.0);
    std::array<double, 1024> values;
    for (double& v : values) {
        v = value(gen);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numbers::roundToDigitsFast(values[i++ & 1023], 13));
    }
}
BENCHMARK(BM_RoundToDigitsFast);

} // namespace
