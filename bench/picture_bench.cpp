// Full recomposition of a picture (background plus every stroke, what New,
// a background change or an erasure costs) and the live drawing of one
// mouse move, for the program's pens.
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
#include "canvas/ToolSettings.h"
#include "gfx/Surface.h"
#include "pens/PenTool.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {
constexpr int kPictureWidth = 1920;
constexpr int kPictureHeight = 1050;

QGuiApplication& App()
{
    static int argc = 1;
    static char name[] = "picture_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

// A wandering stroke of `count` points, 10 ms apart, with steps of 2 to 12
// pixels whose direction turns gently, kept inside the picture.
void FillStroke(CPenTool& pen, std::mt19937& rng, int count)
{
    std::uniform_real_distribution<double> start_x(100.0, kPictureWidth - 100.0);
    std::uniform_real_distribution<double> start_y(100.0, kPictureHeight - 100.0);
    std::uniform_real_distribution<double> turn(-0.35, 0.35);
    std::uniform_real_distribution<double> step(2.0, 12.0);
    std::uniform_real_distribution<double> heading(0.0, 6.2831852);
    double x = start_x(rng);
    double y = start_y(rng);
    double a = heading(rng);
    std::uint32_t t = 1000;
    for (int i = 0; i < count; ++i) {
        a += turn(rng);
        x = std::clamp(x + std::cos(a) * step(rng), 0.0, kPictureWidth - 1.0);
        y = std::clamp(y + std::sin(a) * step(rng), 0.0, kPictureHeight - 1.0);
        pen.AddPoint(static_cast<int>(x), static_cast<int>(y), t);
        t += 10;
    }
}

// `strokes` strokes of every pen tool in turn, 50 to 300 points, widths 2
// to 16, recognition off: as a long doodling session leaves them.
std::unique_ptr<CPicture> MakePicture(int strokes)
{
    App();
    auto picture = std::make_unique<CPicture>(kPictureWidth, kPictureHeight, 5);
    std::mt19937 rng(20261208u);
    std::uniform_int_distribution<int> length(50, 300);
    std::uniform_int_distribution<int> width(2, 16);
    for (int i = 0; i < strokes; ++i) {
        const int tool = 1 + i % kLastPenTool;
        CToolSettings settings;
        settings.m_toolWidth[static_cast<std::size_t>(tool)] = width(rng);
        std::unique_ptr<CPenTool> pen = CreatePen(settings, tool);
        FillStroke(*pen, rng, length(rng));
        pen->FinishStroke();
        picture->AddStroke(std::move(pen));
    }
    return picture;
}

void BM_FullRecomposition(benchmark::State& state)
{
    const std::unique_ptr<CPicture> picture = MakePicture(static_cast<int>(state.range(0)));
    picture->GetPictureSurface();
    for (auto _ : state) {
        picture->MarkDirty();
        benchmark::DoNotOptimize(&picture->GetPictureSurface());
    }
    state.SetLabel(std::to_string(picture->GetStrokeCount()) + " strokes");
}
BENCHMARK(BM_FullRecomposition)->Arg(0)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Only the strokes of one tool, to see which pen dominates a recomposition.
void BM_RedrawStrokesOfTool(benchmark::State& state)
{
    App();
    const int tool = static_cast<int>(state.range(0));
    CMemSurface surface(kPictureWidth, kPictureHeight, MakeRgb(255, 255, 255));
    std::vector<std::unique_ptr<CPenTool>> pens;
    std::mt19937 rng(77u + static_cast<unsigned>(tool));
    std::uniform_int_distribution<int> length(50, 300);
    std::uniform_int_distribution<int> width(2, 16);
    for (int i = 0; i < 50; ++i) {
        CToolSettings settings;
        settings.m_toolWidth[static_cast<std::size_t>(tool)] = width(rng);
        pens.push_back(CreatePen(settings, tool));
        FillStroke(*pens.back(), rng, length(rng));
        pens.back()->FinishStroke();
    }
    for (auto _ : state) {
        for (const auto& pen : pens) {
            pen->Draw(surface, 0, 0);
        }
    }
    state.SetLabel("50 strokes of tool " + std::to_string(tool));
}
BENCHMARK(BM_RedrawStrokesOfTool)->DenseRange(1, 12)->Unit(benchmark::kMillisecond);

// One mouse move while drawing: append the point and draw the new piece on
// the screen image, measured over the moves of a 300-point stroke.
void BM_LiveMove(benchmark::State& state)
{
    App();
    const int tool = static_cast<int>(state.range(0));
    CMemSurface screen(kPictureWidth, kPictureHeight, MakeRgb(255, 255, 255));
    std::mt19937 rng(5u);
    CToolSettings settings;
    settings.m_toolWidth[static_cast<std::size_t>(tool)] = 10;
    auto path = CreatePen(settings, tool);
    FillStroke(*path, rng, 300);
    const std::vector<StrokePoint> points = path->GetPoints().Points();
    std::size_t i = 0;
    std::unique_ptr<CPenTool> pen;
    for (auto _ : state) {
        if (i % points.size() == 0) {
            state.PauseTiming();
            pen = CreatePen(settings, tool);
            pen->BeginStroke(screen, points[0].x, points[0].y);
            state.ResumeTiming();
        }
        const StrokePoint& p = points[i % points.size()];
        pen->AddPoint(p.x, p.y, p.time);
        pen->ContinueStroke(screen, p.x, p.y);
        benchmark::DoNotOptimize(screen.TakeDirty());
        ++i;
    }
    state.SetLabel("tool " + std::to_string(tool));
}
BENCHMARK(BM_LiveMove)->DenseRange(1, 12)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
