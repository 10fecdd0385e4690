// Cost of one stroke recognition (what runs between mouse-up and commit) as
// the stroke grows: a wobbly circle, which every candidate fits, and a
// scribble, whose hull and inner-point count see every point.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "recognition/StrokeAnalyzer.h"

namespace {

CPointArray WobblyCircle(int count)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> wobble(-3.0, 3.0);
    CPointArray stroke;
    for (int k = 0; k < count; ++k) {
        const double t = 2 * 3.141592653589793 * k / (count - 1);
        const double r = 200 + wobble(rng);
        stroke.Add(static_cast<int>(std::lround(400 + r * std::cos(t))),
                   static_cast<int>(std::lround(300 + r * std::sin(t))), 1);
    }
    return stroke;
}

CPointArray Scribble(int count)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coordinate(100, 500);
    CPointArray stroke;
    for (int k = 0; k < count; ++k) {
        stroke.Add(coordinate(rng), coordinate(rng), 1);
    }
    return stroke;
}

void Run(benchmark::State& state, const CPointArray& in)
{
    for (auto _ : state) {
        CPointArray out;
        benchmark::DoNotOptimize(CStrokeAnalyzer().RecognizeShape(in, out));
        benchmark::DoNotOptimize(out.GetCount());
    }
    state.SetComplexityN(in.GetCount());
}

void BM_RecognizeWobblyCircle(benchmark::State& state)
{
    Run(state, WobblyCircle(static_cast<int>(state.range(0))));
}

void BM_RecognizeScribble(benchmark::State& state)
{
    Run(state, Scribble(static_cast<int>(state.range(0))));
}

}  // namespace

BENCHMARK(BM_RecognizeWobblyCircle)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
BENCHMARK(BM_RecognizeScribble)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

BENCHMARK_MAIN();
