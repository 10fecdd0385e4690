// Speed of the ink pens: the redraw of a whole stroke, one live step at the
// end of a long stroke, the outline builder, and the ink worker's whole job
// (classification, widths and outline) with recognition on.
#include "canvas/InkShaping.h"
#include "gfx/Surface.h"
#include "tracing/Outline.h"
#include "pens/GangbiPen.h"
#include "pens/MaobiPen.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

constexpr int kCanvasW = 1920;
constexpr int kCanvasH = 1050;
constexpr COLORREF kInk = MakeRgb(10, 10, 10);
constexpr COLORREF kPaper = MakeRgb(255, 255, 255);

// Point i of a wavy stroke that sweeps back and forth across the canvas,
// about 9 px per point, moved every 8 ms (speeds vary along the wave).
struct WavePoint {
    int x;
    int y;
    std::uint32_t tick;
};
WavePoint Wave(int i)
{
    const double t = i * 0.02;
    const int x = 100 + static_cast<int>(860.0 * (1.0 - std::cos(t * 0.37)));
    const int y = 525 + static_cast<int>(380.0 * std::sin(t));
    return {x, y, 10000u + static_cast<std::uint32_t>(i) * 8u};
}

template <typename Pen>
std::unique_ptr<Pen> FinishedStroke(int points, int width)
{
    auto pen = std::make_unique<Pen>(width, kInk);
    for (int i = 0; i < points; ++i) {
        const WavePoint p = Wave(i);
        pen->AddPoint(p.x, p.y, p.tick);
    }
    pen->FinishStroke();
    return pen;
}

template <typename Pen>
void BM_Draw500(benchmark::State& state)
{
    auto pen = FinishedStroke<Pen>(500, 10);
    CMemSurface surface(kCanvasW, kCanvasH, kPaper);
    for (auto _ : state) {
        pen->Draw(surface, 0, 0);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
}

template <typename Pen>
void BM_LiveStepAfter2000(benchmark::State& state)
{
    auto pen = std::make_unique<Pen>(10, kInk);
    CMemSurface surface(kCanvasW, kCanvasH, kPaper);
    const WavePoint start = Wave(0);
    pen->BeginStroke(surface, start.x, start.y, start.tick);
    int i = 1;
    for (; i < 2000; ++i) {
        const WavePoint p = Wave(i);
        pen->AddPoint(p.x, p.y, p.tick);
        pen->ContinueStroke(surface, p.x, p.y);
    }
    // Each iteration is the next move of the same stroke.
    for (auto _ : state) {
        const WavePoint p = Wave(i++);
        pen->AddPoint(p.x, p.y, p.tick);
        pen->ContinueStroke(surface, p.x, p.y);
        benchmark::DoNotOptimize(surface.TakeDirty());
    }
}

// A 300-point brush stroke of three loops, each crossing the stroke, so
// the outline is traced in several pieces.
std::unique_ptr<CMaobiPen> LoopedStroke()
{
    auto pen = std::make_unique<CMaobiPen>(10, kInk);
    for (int i = 0; i < 300; ++i) {
        const double a = i * 0.06;
        pen->AddPoint(200 + static_cast<int>(40.0 * a - 150.0 * std::sin(a)),
                      500 - static_cast<int>(150.0 * std::cos(a)),
                      10000u + static_cast<std::uint32_t>(i) * 8u);
    }
    pen->FinishStroke();
    return pen;
}

// The outline of a brush stroke traced on a canvas-sized mask, end to end.
void BM_BuildOutline300(benchmark::State& state)
{
    auto pen = LoopedStroke();
    for (auto _ : state) {
        pen->BuildOutline(kCanvasW, kCanvasH);
        benchmark::DoNotOptimize(pen->GetOutline());
    }
    state.counters["contours"] = pen->GetOutline()->GetCount();
}

// The same stroke drawn from its outline.
void BM_DrawOutline300(benchmark::State& state)
{
    auto pen = LoopedStroke();
    pen->BuildOutline(kCanvasW, kCanvasH);
    CMemSurface surface(kCanvasW, kCanvasH, kPaper);
    for (auto _ : state) {
        pen->Draw(surface, 0, 0);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
}

// The ink shaper's cascade alone (classification and widths) on a stroke
// that fits no class, so every detector runs: its worst case.
void BM_ShapeCascade(benchmark::State& state)
{
    auto pen = state.range(0) == 300 ? LoopedStroke() : FinishedStroke<CMaobiPen>(2000, 10);
    const StrokeRect& box = pen->GetBounds();
    std::string label;
    for (auto _ : state) {
        CInkStrokeShaper shaper({&pen->GetPoints(), pen->GetWidth(),
                                 {box.left, box.top, box.right, box.bottom}, 7},
                                {});
        label = shaper.ShapeInkStroke().label;
        benchmark::DoNotOptimize(label);
    }
    state.SetLabel(label.empty() ? "no class" : label);
}

// What the worker thread does for one stroke: shape it and build its
// outline on the canvas.
void BM_ShapeAndOutline300(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto pen = LoopedStroke();
        state.ResumeTiming();
        ShapeInkPen(*pen, 7, [&pen] { pen->BuildOutline(kCanvasW, kCanvasH); });
        benchmark::DoNotOptimize(pen->GetOutline());
    }
}

}  // namespace

BENCHMARK(BM_ShapeCascade)->Name("BrushShapeCascade")->Arg(300)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShapeAndOutline300)->Name("BrushShapeAndOutline300Points")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildOutline300)->Name("BrushBuildOutline300Points")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawOutline300)->Name("BrushDrawOutline300Points")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw500<CMaobiPen>)->Name("BrushDraw500Points")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw500<CGangbiPen>)->Name("FountainDraw500Points")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveStepAfter2000<CMaobiPen>)
    ->Name("BrushLiveStepAfter2000Points")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveStepAfter2000<CGangbiPen>)
    ->Name("FountainLiveStepAfter2000Points")
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
