// The wall ordering of one frame of the heaviest row: 26 slots of the 45-point comb, each turned
// and tilted differently; and the digit rounding that every crossing test uses.
#include "figures/numbers.h"
#include "render/walls.h"
#include "tests/native/render_test_figures.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

void heaviestRow() {
    for (int s = 1; s <= figures::maxSlots; ++s) {
        rendertest::buildComb(s);
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
