// Full recomposition of a picture (background plus every stroke, what New
// or a background change costs), one eraser step (which rebuilds only what
// the erased strokes covered) and the live drawing of one mouse move, for
// the program's pens.
#include "canvas/InkShaping.h"
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
#include "canvas/ToolSettings.h"
#include "gfx/Surface.h"
#include "pens/InkPen.h"
#include "pens/KeptDrawing.h"
#include "pens/PenTool.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <string>
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
// to 16, recognition off: as a long doodling session leaves them. With
// `shapeInk`, the writing-brush and fountain-pen strokes go through the ink
// shaper and get their outline, as recognition (on by default for them)
// leaves them.
std::unique_ptr<CPicture> MakePicture(int strokes, bool shapeInk = false)
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
        if (auto* ink = dynamic_cast<CInkPen*>(pen.get()); ink && shapeInk) {
            ShapeInkPen(*ink, tool, [ink] { ink->BuildOutline(kPictureWidth, kPictureHeight); });
        }
        picture->AddStroke(std::move(pen));
    }
    return picture;
}

// What the pens keep between draws to redraw faster, in megabytes.
std::string KeptLabel()
{
    return ", " + std::to_string((kept_drawing::KeptBytes() + (1u << 19)) >> 20) + " MB kept";
}

void BM_FullRecomposition(benchmark::State& state)
{
    const std::unique_ptr<CPicture> picture =
        MakePicture(static_cast<int>(state.range(0)), state.range(1) != 0);
    picture->GetPictureSurface();
    for (auto _ : state) {
        picture->MarkDirty();
        benchmark::DoNotOptimize(&picture->GetPictureSurface());
    }
    state.SetLabel(std::to_string(picture->GetStrokeCount()) + " strokes" +
                   (state.range(1) != 0 ? ", ink shaped" : "") + KeptLabel());
}
BENCHMARK(BM_FullRecomposition)
    ->ArgsProduct({{0, 200, 1000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// The crowded picture of the lab's timings (strokes.py dense): `strokes`
// random walks of 500 points, 3.6 pixels apart, turning by a normal angle
// of 0.25 radians a step, from anywhere on the canvas, tools and widths
// drawn as there, times 8 to 16 ms apart, recognition off. Every part of
// the canvas lies under many strokes.
std::unique_ptr<CPicture> MakeCrowdedPicture(int strokes)
{
    App();
    auto picture = std::make_unique<CPicture>(kPictureWidth, kPictureHeight, 5);
    std::mt19937 rng(20261209u);
    constexpr std::array<int, 11> kTools = {1, 1, 1, 2, 3, 4, 5, 6, 7, 9, 11};
    constexpr std::array<int, 5> kWidths = {2, 4, 6, 10, 14};
    std::uniform_int_distribution<std::size_t> tool(0, kTools.size() - 1);
    std::uniform_int_distribution<std::size_t> width(0, kWidths.size() - 1);
    std::uniform_real_distribution<double> across(0.0, kPictureWidth);
    std::uniform_real_distribution<double> down(0.0, kPictureHeight);
    std::uniform_real_distribution<double> heading(0.0, 6.2831852);
    std::normal_distribution<double> turn(0.0, 0.25);
    std::uniform_int_distribution<int> gap(8, 16);
    for (int i = 0; i < strokes; ++i) {
        const int t = kTools[tool(rng)];
        double x = across(rng);
        double y = down(rng);
        double a = heading(rng);
        CToolSettings settings;
        settings.m_toolWidth[static_cast<std::size_t>(t)] = kWidths[width(rng)];
        std::unique_ptr<CPenTool> pen = CreatePen(settings, t);
        std::uint32_t time = 0;
        for (int k = 0; k < 500; ++k) {
            a += turn(rng);
            x = std::clamp(x + std::cos(a) * 3.6, 0.0, kPictureWidth - 1.0);
            y = std::clamp(y + std::sin(a) * 3.6, 0.0, kPictureHeight - 1.0);
            time += static_cast<std::uint32_t>(gap(rng));
            pen->AddPoint(static_cast<int>(x), static_cast<int>(y), time);
        }
        pen->FinishStroke();
        picture->AddStroke(std::move(pen));
    }
    return picture;
}

// A full rebuild of the crowded picture, as a background change or New
// undone makes it.
void BM_FullRecompositionCrowded(benchmark::State& state)
{
    const std::unique_ptr<CPicture> picture = MakeCrowdedPicture(static_cast<int>(state.range(0)));
    picture->GetPictureSurface();
    for (auto _ : state) {
        picture->MarkDirty();
        benchmark::DoNotOptimize(&picture->GetPictureSurface());
    }
    state.SetLabel("dense " + std::to_string(picture->GetStrokeCount()) + KeptLabel());
}
BENCHMARK(BM_FullRecompositionCrowded)->Arg(300)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Eraser steps on the 1000-stroke picture: erase under the eraser and
// rebuild just the area the erased strokes had covered. The picture is so
// dense that the first touch anywhere takes some 15 to 50 strokes spread
// over most of it; the steps that follow in a drag take the few strokes
// that come newly under the eraser.
constexpr std::array<QPoint, 4> kEraserPlaces = {QPoint(960, 525), QPoint(400, 300),
                                                 QPoint(1500, 800), QPoint(15, 1035)};

// A fresh 1000-stroke picture with its caches built, including the eraser's
// scratch surface (made at the first step of the first drag).
std::unique_ptr<CPicture> MakeErasablePicture()
{
    std::unique_ptr<CPicture> picture = MakePicture(1000);
    picture->GetPictureSurface();
    picture->RedrawArea(QRect(0, 0, 1, 1));
    return picture;
}

long long Pixels(const QRegion& region)
{
    long long n = 0;
    for (const QRect& r : region) {
        n += static_cast<long long>(r.width()) * r.height();
    }
    return n;
}

std::string EraseLabel(const QPoint& at, int steps, int erased, long long rebuiltPixels)
{
    return "at " + std::to_string(at.x()) + "," + std::to_string(at.y()) + ": " +
           std::to_string(erased) + " strokes erased and " +
           std::to_string(rebuiltPixels / std::max(steps, 1) / 1000) + "k pixels rebuilt a step";
}

// The first step at a place: each repetition times one step on a fresh
// picture.
void BM_EraserFirstStep(benchmark::State& state)
{
    const QPoint at = kEraserPlaces.at(static_cast<std::size_t>(state.range(0)));
    const std::unique_ptr<CPicture> picture = MakeErasablePicture();
    const int before = picture->GetStrokeCount();
    long long rebuilt = 0;
    for (auto _ : state) {
        const CPicture::Erased step = picture->EraseStrokesAt(at.x(), at.y());
        picture->RedrawArea(step.damaged);
        rebuilt += Pixels(step.damaged);
    }
    state.SetLabel(EraseLabel(at, 1, before - picture->GetStrokeCount(), rebuilt));
}
BENCHMARK(BM_EraserFirstStep)
    ->DenseRange(0, 3)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

// The steps of a drag after its first: 30 moves of 4 pixels across and 3
// along, toward the middle of the picture, timed per step.
void BM_EraserDragStep(benchmark::State& state)
{
    const QPoint at = kEraserPlaces.at(static_cast<std::size_t>(state.range(0)));
    const std::unique_ptr<CPicture> picture = MakeErasablePicture();
    picture->RedrawArea(picture->EraseStrokesAt(at.x(), at.y()).damaged);
    const int before = picture->GetStrokeCount();
    const QPoint move(at.x() < kPictureWidth / 2 ? 4 : -4, at.y() < kPictureHeight / 2 ? 3 : -3);
    QPoint here = at;
    long long rebuilt = 0;
    for (auto _ : state) {
        here += move;
        const CPicture::Erased step = picture->EraseStrokesAt(here.x(), here.y());
        picture->RedrawArea(step.damaged);
        rebuilt += Pixels(step.damaged);
    }
    state.SetLabel(EraseLabel(at, 30, before - picture->GetStrokeCount(), rebuilt));
}
BENCHMARK(BM_EraserDragStep)
    ->DenseRange(0, 3)
    ->Iterations(30)
    ->Repetitions(2)
    ->Unit(benchmark::kMillisecond);

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

// The fill pen's live step at the end of a long stroke: the stroke so far
// has `range(0)` points, and each repetition appends one more and draws the
// step. Its cost should not grow with the length.
void BM_FillLiveStepAtLength(benchmark::State& state)
{
    App();
    const int length = static_cast<int>(state.range(0));
    CMemSurface screen(kPictureWidth, kPictureHeight, MakeRgb(255, 255, 255));
    CToolSettings settings;
    settings.m_toolWidth[3] = 10;
    std::mt19937 rng(31u);
    auto path = CreatePen(settings, 3);
    FillStroke(*path, rng, length + 4096);
    const std::vector<StrokePoint> points = path->GetPoints().Points();
    std::unique_ptr<CPenTool> pen = CreatePen(settings, 3);
    pen->BeginStroke(screen, points[0].x, points[0].y);
    for (int i = 0; i < length; ++i) {
        pen->AddPoint(points[static_cast<std::size_t>(i)].x, points[static_cast<std::size_t>(i)].y,
                      points[static_cast<std::size_t>(i)].time);
    }
    pen->ContinueStroke(screen, points[static_cast<std::size_t>(length - 1)].x,
                        points[static_cast<std::size_t>(length - 1)].y);
    std::size_t next = static_cast<std::size_t>(length);
    for (auto _ : state) {
        const StrokePoint& p = points[next++ % points.size()];
        pen->AddPoint(p.x, p.y, p.time);
        pen->ContinueStroke(screen, p.x, p.y);
        benchmark::DoNotOptimize(screen.TakeDirty());
    }
    state.SetLabel(std::to_string(length) + " points before");
}
BENCHMARK(BM_FillLiveStepAtLength)
    ->Arg(2000)
    ->Arg(10000)
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
