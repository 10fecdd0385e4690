// Drawing costs of the smooth, fill, marker, dotted and stamp pens.
//
// Draw: a whole 500-point stroke at width 10 on a 1920 x 1050 surface, as a
// full re-render does for every stored stroke.
// LiveStep: one ContinueStroke at the end of a 2,000-point stroke, as the
// canvas calls it for each mouse move; the fill pen redraws its whole stroke
// under a clip there. LiveStamp: a live step long enough that the stamp pen
// stamps on every call.

#include "gfx/Surface.h"
#include "pens/CharPen.h"
#include "pens/DotPen.h"
#include "pens/FillPen.h"
#include "pens/SmoothPen.h"
#include "pens/TransPen.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1050;
constexpr int kPenWidth = 10;

const COLORREF kC0 = MakeRgb(220, 40, 40);
const COLORREF kC1 = MakeRgb(40, 180, 60);
const COLORREF kC2 = MakeRgb(50, 60, 230);

struct PenKind {
    const char* name;
    std::function<std::unique_ptr<CPenTool>()> make;
};

const std::vector<PenKind>& Kinds()
{
    static const std::vector<PenKind> kinds = {
        {"Solid", [] { return std::make_unique<CSmoothPen>(kPenWidth, kC0); }},
        {"SolidMulticolor", [] { return std::make_unique<CSmoothPen>(kPenWidth, kC0, kC1, kC2); }},
        {"Fill", [] { return std::make_unique<CFillPen>(kPenWidth, kC0, kC1, kC2); }},
        {"Marker", [] { return std::make_unique<CTransPen>(kPenWidth, MakeRgb(255, 220, 40)); }},
        {"Dotted", [] { return std::make_unique<CDotPen>(kPenWidth, kC2); }},
        {"DottedMulticolor", [] { return std::make_unique<CDotPen>(kPenWidth, kC0, kC1, kC2); }},
        {"Stamp",
         [] {
             return std::make_unique<CCharPen>(kPenWidth, kC0, QStringLiteral("wingdings"), 0xF0AB);
         }},
        {"StampMulticolor",
         [] {
             return std::make_unique<CCharPen>(kPenWidth, kC0, kC1, kC2,
                                               QStringLiteral("wingdings"), 0xF0AB);
         }},
    };
    return kinds;
}

// A hand-like path wandering over the whole surface in steps of about
// 4 to 8 pixels.
std::vector<std::pair<int, int>> Wander(int count)
{
    std::vector<std::pair<int, int>> pts;
    pts.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = i * 0.0075;
        pts.emplace_back(static_cast<int>(960 + 880 * std::sin(t * 3.0) + 20 * std::sin(i * 0.3)),
                         static_cast<int>(525 + 480 * std::sin(t * 4.0 + 1.0)));
    }
    return pts;
}

std::unique_ptr<CPenTool> StrokeOf(const PenKind& kind, int count)
{
    auto pen = kind.make();
    std::uint32_t tick = 1;
    for (const auto& [x, y] : Wander(count)) {
        pen->AddPoint(x, y, tick++);
    }
    return pen;
}

void BM_Draw(benchmark::State& state, const PenKind& kind)
{
    auto pen = StrokeOf(kind, 500);
    pen->FinishStroke();
    CMemSurface surface(kWidth, kHeight, MakeRgb(255, 255, 255));
    for (auto _ : state) {
        pen->Draw(surface, 0, 0);
    }
}

// Captures a 2,000-point stroke live, then times further live steps: back
// and forth between the last two points (short steps), or on along a
// serpentine of 64-pixel steps across the surface (long steps, each far
// enough from the last stamp to stamp again).
void TimeLiveSteps(benchmark::State& state, const PenKind& kind, bool longSteps)
{
    const auto pts = Wander(2000);
    auto pen = kind.make();
    CMemSurface surface(kWidth, kHeight, MakeRgb(255, 255, 255));
    pen->BeginStroke(surface, pts.front().first, pts.front().second);
    std::uint32_t tick = 1;
    for (const auto& [x, y] : pts) {
        pen->AddPoint(x, y, tick++);
        pen->ContinueStroke(surface, x, y);
    }
    const auto [ax, ay] = pts[pts.size() - 2];
    const auto [lx, ly] = pts.back();
    bool toLast = false;
    int x = lx;
    int y = ly;
    int dx = x < kWidth / 2 ? 64 : -64;
    for (auto _ : state) {
        if (longSteps) {
            if (x + dx < 64 || x + dx > kWidth - 64) {
                dx = -dx;
                y = y + 64 > kHeight - 64 ? 64 : y + 64;
            } else {
                x += dx;
            }
            pen->ContinueStroke(surface, x, y);
        } else {
            pen->ContinueStroke(surface, toLast ? lx : ax, toLast ? ly : ay);
            toLast = !toLast;
        }
        surface.TakeDirty();
    }
}

void BM_LiveStep(benchmark::State& state, const PenKind& kind)
{
    TimeLiveSteps(state, kind, false);
}

void BM_LiveStamp(benchmark::State& state, const PenKind& kind)
{
    TimeLiveSteps(state, kind, true);
}

// Construction at the press: the stamp pen records its glyph then, the
// multicolour kinds build their texture tile.
void BM_Construct(benchmark::State& state, const PenKind& kind)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(kind.make());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Fonts need the application object.
    QGuiApplication app(argc, argv);
    for (const PenKind& kind : Kinds()) {
        benchmark::RegisterBenchmark((std::string("Draw500/") + kind.name).c_str(), BM_Draw, kind)
            ->Unit(benchmark::kMillisecond);
    }
    for (const PenKind& kind : Kinds()) {
        benchmark::RegisterBenchmark((std::string("LiveStep2000/") + kind.name).c_str(),
                                     BM_LiveStep, kind)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const PenKind& kind : Kinds()) {
        if (std::string(kind.name).rfind("Stamp", 0) == 0) {
            benchmark::RegisterBenchmark((std::string("LiveStamp2000/") + kind.name).c_str(),
                                         BM_LiveStamp, kind)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (const PenKind& kind : Kinds()) {
        benchmark::RegisterBenchmark((std::string("Construct/") + kind.name).c_str(),
                                     BM_Construct, kind)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
