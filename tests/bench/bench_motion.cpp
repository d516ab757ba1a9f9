// Time per frame of the projection and motion, and time of one figure build, on the heaviest row
// the outline format allows: 26 slots of 45 points, every slot turning individually, the
// steepest view and the strongest perspective the menus offer, the row travelling.
#include "figures/builder.h"
#include "figures/motion.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace figures;

namespace {

// A 33-point wavy outer contour with three square holes: 45 points, 4 contours.
void fillHeaviestRow() {
    using namespace settings;
    OPTIONN = maxSlots;
    OPTIONP = 2;
    HABAJIDO = 1;
    SIZE = 10;
    SIZEY = 10;
    SIZEIDO = 10;
    COLORS = 1;
    STEPRAG = 9;
    VIEW = 9;
    ENKIN = 50;
    KAITEN = 0;
    clientWidth = 1920;
    clientHeight = 1080;
    for (int s = 1; s <= maxSlots; ++s) {
        OPTIONC[s] = s % 8 + 1;
        ZKAITEN[s] = 1;
        STEPRAGS[s] = 5 + s;
        pointCount[s] = maxPoints;
        figureHeader[s] = {0, 1, 0, 0, 0, 4};
        contourStart[s] = {};
        contourEnd[s] = {};
        contourStart[s][1] = 1;
        contourEnd[s][1] = 33;
        for (int k = 1; k <= 33; ++k) {
            double a = 2 * 3.141593 * k / 33;
            double r = k % 2 == 0 ? 45 : 38;
            outlineX[s][k] = static_cast<int>(r * std::cos(a));
            outlineY[s][k] = static_cast<int>(r * std::sin(a));
        }
        const int holeX[] = {-15, 15, 0};
        const int holeY[] = {-10, -10, 15};
        for (int h = 0; h < 3; ++h) {
            int first = 34 + 4 * h;
            contourStart[s][2 + h] = first;
            contourEnd[s][2 + h] = first + 3;
            const int cornerX[] = {-4, 4, 4, -4};
            const int cornerY[] = {-4, -4, 4, 4};
            for (int i = 0; i < 4; ++i) {
                outlineX[s][first + i] = holeX[h] + cornerX[i];
                outlineY[s][first + i] = holeY[h] + cornerY[i];
            }
        }
    }
}

void projectAndMove(benchmark::State& state) {
    fillHeaviestRow();
    buildFigures();
    for (auto _ : state) {
        projectFigures();
        advanceMotion();
        benchmark::DoNotOptimize(screenX[maxSlots][maxVertices]);
        benchmark::ClobberMemory();
    }
    state.SetLabel("per frame");
}
BENCHMARK(projectAndMove);

void build(benchmark::State& state) {
    fillHeaviestRow();
    auto savedX = outlineX;
    auto savedY = outlineY;
    for (auto _ : state) {
        // The build rewrites the outlines in place, as the outline reader's next load would.
        state.PauseTiming();
        outlineX = savedX;
        outlineY = savedY;
        state.ResumeTiming();
        buildFigures();
        benchmark::DoNotOptimize(hullEdge[maxSlots][maxPoints]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(build)->Unit(benchmark::kMicrosecond);

} // namespace
