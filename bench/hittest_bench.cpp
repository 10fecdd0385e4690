// The eraser's hit test: one 40 x 40 square against one 2,000-point stroke.
#include "pens/PenTool.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

class BenchPen : public CPenTool {
public:
    BenchPen() : CPenTool(4, 0) {}
};

// A wobbly spiral of 2,000 points around (960, 525), radius 100 to 400.
void FillSpiral(CPenTool& pen)
{
    for (int i = 0; i < 2000; ++i) {
        const double t = i * 0.02;
        const double r = 100.0 + i * 0.15 + 6.0 * std::sin(i * 0.7);
        pen.AddPoint(960 + static_cast<int>(r * std::cos(t)), 525 + static_cast<int>(r * std::sin(t)),
                     static_cast<std::uint32_t>(i + 1));
    }
}

void SquareAt(benchmark::State& state, int x, int y)
{
    BenchPen pen;
    FillSpiral(pen);
    bool hit = false;
    for (auto _ : state) {
        hit = pen.HitTest(x - 20, y - 20, x + 20, y + 20);
        benchmark::DoNotOptimize(hit);
    }
    state.SetLabel(hit ? "hit" : "miss");
}

// Far from the stroke: outside its bounding box.
void BM_HitTestFarAway(benchmark::State& state) { SquareAt(state, 100, 100); }
// Inside the bounding box, in the spiral's empty centre: every segment is
// looked at, none is walked.
void BM_HitTestInsideBoxMiss(benchmark::State& state) { SquareAt(state, 960, 525); }
// On the stroke's last turn: every segment before the hit is looked at.
void BM_HitTestHitNearEnd(benchmark::State& state)
{
    BenchPen pen;
    FillSpiral(pen);
    const StrokePoint& last = pen.GetPoints()[1999];
    SquareAt(state, last.x, last.y);
}

BENCHMARK(BM_HitTestFarAway);
BENCHMARK(BM_HitTestInsideBoxMiss);
BENCHMARK(BM_HitTestHitNearEnd);

}  // namespace

BENCHMARK_MAIN();
