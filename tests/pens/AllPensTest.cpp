#include "PenTestSupport.h"

#include "pens/CharPen.h"
#include "pens/DotPen.h"
#include "pens/FillPen.h"
#include "pens/KeptDrawing.h"
#include "pens/SmoothPen.h"
#include "pens/TransPen.h"

#include <gtest/gtest.h>

using namespace pentest;

namespace {

const COLORREF kC0 = MakeRgb(220, 40, 40);
const COLORREF kC1 = MakeRgb(40, 180, 60);
const COLORREF kC2 = MakeRgb(50, 60, 230);

struct PenKind {
    const char* name;
    std::function<std::unique_ptr<CPenTool>()> make;
};

[[maybe_unused]] void PrintTo(const PenKind& kind, std::ostream* os) { *os << kind.name; }

// Every pen kind of this family, as the canvas constructs them.
std::vector<PenKind> Kinds()
{
    return {
        {"Solid", [] { return std::make_unique<CSmoothPen>(6, kC0); }},
        {"SolidMulticolor", [] { return std::make_unique<CSmoothPen>(9, kC0, kC1, kC2); }},
        {"Fill", [] { return std::make_unique<CFillPen>(3, kC0, kC1, kC2); }},
        {"Marker", [] { return std::make_unique<CTransPen>(10, MakeRgb(255, 220, 40)); }},
        {"Dotted", [] { return std::make_unique<CDotPen>(4, kC2); }},
        {"DottedMulticolor", [] { return std::make_unique<CDotPen>(6, kC0, kC1, kC2); }},
        {"Stamp",
         [] { return std::make_unique<CCharPen>(4, kC0, QStringLiteral("wingdings"), 0xF0AB); }},
        {"StampMulticolor",
         [] {
             return std::make_unique<CCharPen>(8, kC0, kC1, kC2, QStringLiteral("Times New Roman"),
                                               0x2665);
         }},
    };
}

// A stroke with straight runs, sharp turns and a loop.
const std::vector<QPoint> kStroke = {{20, 30},  {40, 34},  {62, 42},  {90, 60},   {110, 96},
                                     {96, 120}, {70, 118}, {60, 96},  {78, 70},   {120, 52},
                                     {150, 48}, {176, 64}, {186, 96}, {170, 130}, {200, 142}};

class AllPensTest : public ::testing::TestWithParam<PenKind> {};

}  // namespace

TEST_P(AllPensTest, EveryDrawGivesTheSamePixels)
{
    auto pen = GetParam().make();
    // A live capture first, so any state it leaves behind would show.
    CMemSurface screen(240, 180, kWhite);
    Capture(*pen, screen, {18, 28}, kStroke);
    pen->FinishStroke();
    CMemSurface a(240, 180, kWhite);
    CMemSurface b(240, 180, kWhite);
    pen->Draw(a, 0, 0);
    pen->Draw(b, 0, 0);
    EXPECT_GT(CountInk(a.Image()), 200);
    EXPECT_EQ(a.Image(), b.Image());
}

TEST_P(AllPensTest, DrawingFromWhatThePenKeptGivesWhatDrawingAfreshGives)
{
    // A pen may keep what it made on one draw (outlines, distances) to draw
    // faster on the next; with nothing kept every draw starts afresh. Both
    // pens are captured live first (the fill pen takes its live distances
    // over), then drawn whole, clipped, at another origin, back again, and
    // after one more point: each draw must give the same pixels both ways.
    const auto withBudget = [](std::size_t bytes, const std::function<void()>& draw) {
        kept_drawing::SetBudget(bytes);
        draw();
        kept_drawing::SetBudget(kept_drawing::kBudget);
    };
    auto keeping = GetParam().make();
    auto afresh = GetParam().make();
    CMemSurface keepingScreen(240, 180, kWhite);
    CMemSurface afreshScreen(240, 180, kWhite);
    Capture(*keeping, keepingScreen, {18, 28}, kStroke);
    withBudget(0, [&] { Capture(*afresh, afreshScreen, {18, 28}, kStroke); });
    keeping->FinishStroke();
    afresh->FinishStroke();
    EXPECT_EQ(keepingScreen.Image(), afreshScreen.Image());
    const QRegion clip = QRegion(0, 0, 70, 180) + QRegion(90, 40, 30, 20) + QRegion(100, 100, 140, 35);
    struct Step {
        QPoint origin;
        bool clipped;
        bool addPoint;
    };
    const Step steps[] = {{{0, 0}, false, false},  {{0, 0}, true, false}, {{-30, -20}, true, false},
                          {{0, 0}, true, false},   {{0, 0}, false, true}, {{0, 0}, true, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE("origin " + std::to_string(step.origin.x()) + (step.clipped ? ", clipped" : "") +
                     (step.addPoint ? ", a point more" : ""));
        if (step.addPoint) {
            keeping->AddPoint(228, 120, 0);
            afresh->AddPoint(228, 120, 0);
        }
        CMemSurface kept(240, 180, kWhite);
        CMemSurface fresh(240, 180, kWhite);
        if (step.clipped) {
            kept.SetPaintClip(clip);
            fresh.SetPaintClip(clip);
        }
        keeping->Draw(kept, step.origin.x(), step.origin.y());
        withBudget(0, [&] { afresh->Draw(fresh, step.origin.x(), step.origin.y()); });
        EXPECT_GT(CountInk(kept.Image()), 100);
        EXPECT_EQ(kept.Image(), fresh.Image());
    }
}

TEST_P(AllPensTest, LiveStepsChangeOnlyWhatTheyReport)
{
    auto pen = GetParam().make();
    CMemSurface screen(240, 180, kWhite);
    int changedSteps = 0;
    Capture(*pen, screen, {18, 28}, kStroke,
            [&](const QImage& before, const QImage& after, const QRect& dirty) {
                const QRect changed = DiffBounds(before, after);
                if (changed.isNull()) {
                    return;
                }
                ++changedSteps;
                EXPECT_TRUE(dirty.contains(changed))
                    << "changed " << changed.x() << "," << changed.y() << " " << changed.width()
                    << "x" << changed.height() << " outside the reported rectangle";
            });
    EXPECT_GT(changedSteps, 3);
}

TEST_P(AllPensTest, OriginShiftsTheWholeStroke)
{
    auto pen = GetParam().make();
    AddPoints(*pen, kStroke);
    // A shift by the tile size keeps the multicolour pattern in place too.
    constexpr int kShift = 179;
    CMemSurface plain(240, 180, kWhite);
    CMemSurface shifted(240 + kShift, 180 + kShift, kWhite);
    pen->Draw(plain, 0, 0);
    pen->Draw(shifted, -kShift, -kShift);
    EXPECT_EQ(shifted.Image().copy(kShift, kShift, 240, 180), plain.Image());
}

TEST_P(AllPensTest, OnePointStrokeDrawsNothing)
{
    auto pen = GetParam().make();
    AddPoints(*pen, {{60, 60}});
    CMemSurface surface(120, 120, kWhite);
    pen->Draw(surface, 0, 0);
    EXPECT_EQ(CountInk(surface.Image()), 0);
}

TEST_P(AllPensTest, MatchesItsReferenceImage)
{
    auto pen = GetParam().make();
    AddPoints(*pen, kStroke);
    CMemSurface surface(220, 170, kWhite);
    // The marker shows its AND on a patch of dark paint under the stroke.
    surface.Fill(QRect(100, 40, 30, 100), MakeRgb(60, 90, 200));
    pen->Draw(surface, 0, 0);
    // Anti-aliasing may shift an edge pixel's coverage a little between
    // rasteriser versions, never a whole pixel.
    EXPECT_TRUE(MatchesReference(surface.Image(),
                                 QStringLiteral("pen-%1").arg(QLatin1String(GetParam().name)), 24));
}

INSTANTIATE_TEST_SUITE_P(PenKinds, AllPensTest, ::testing::ValuesIn(Kinds()),
                         [](const ::testing::TestParamInfo<PenKind>& info) {
                             return std::string(info.param.name);
                         });
