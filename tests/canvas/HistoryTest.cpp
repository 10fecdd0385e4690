#include "canvas/CommitSteps.h"
#include "canvas/EraseStep.h"
#include "canvas/History.h"
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
#include "canvas/PictureSteps.h"

#include "QtApp.h"
#include "TestPens.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
// The picture's strokes, by identity, in drawing order.
std::vector<const CPenTool*> Strokes(const CPicture& picture)
{
    std::vector<const CPenTool*> list;
    for (int i = 0; i < picture.GetStrokeCount(); ++i) {
        list.push_back(&picture.GetStroke(i));
    }
    return list;
}

// The composed surface as the steps left it must be what a full rebuild of
// the same strokes gives, pixel for pixel.
void ExpectComposedIsFullRedraw(CPicture& picture, const std::string& where)
{
    const QImage kept = picture.GetPictureSurface().Image().copy();
    picture.Redraw();
    ASSERT_EQ(kept, picture.GetPictureSurface().Image()) << where;
}

// A finished stroke of one of the program's own pens (tools 1 to 5), whose
// extents are measured, so undo and redo rebuild only their area.
std::unique_ptr<CPenTool> RealStroke(int tool, std::initializer_list<std::pair<int, int>> points,
                                     COLORREF color, int width)
{
    CToolSettings settings;
    const auto t = static_cast<std::size_t>(tool);
    settings.m_toolWidth[t] = width;
    settings.m_toolColor[t][0] = color;
    settings.m_toolColorSel[t] = 0;
    std::unique_ptr<CPenTool> pen = CreatePen(settings, tool);
    std::uint32_t tick = 100;
    for (const auto& [x, y] : points) {
        pen->AddPoint(x, y, tick += 20);
    }
    pen->FinishStroke();
    return pen;
}

struct State {
    std::vector<const CPenTool*> strokes;
    int background = 0;
};
}  // namespace

// Random runs of commits, eraser drags of several positions, New, background
// changes, undo and redo: after every step the stroke list (order included)
// and background are those of the state the history says it is in, and the
// composed surface equals a full redraw. A new change after undoing drops
// the redo steps, so the expected states are truncated the same way.
TEST(HistoryTest, EveryStepUndoesAndRedoesToTheExactPicture)
{
    TestApp();
    std::mt19937 rng(1311);
    CPicture picture(160, 120, 0);
    CHistory history;
    std::vector<State> states{State{{}, 0}};
    auto pushState = [&] {
        states.resize(history.GetDoneCount());
        states.push_back(State{Strokes(picture), picture.GetBackground().index});
    };
    auto coord = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int changes = 0;
    for (int step = 0; step < 400; ++step) {
        const int what = coord(20);
        if (what < 8) {
            const COLORREF c = MakeRgb(coord(256), coord(256), coord(256));
            PushCommit(history, picture,
                       RealStroke(1 + coord(5),
                                  {{coord(160), coord(120)}, {coord(160), coord(120)},
                                   {coord(160), coord(120)}},
                                  c, 1 + coord(9)));
            pushState();
        } else if (what < 11) {
            std::vector<CPicture::RemovedStrokes> groups;
            for (int n = 1 + coord(3); n > 0; --n) {
                CPicture::RemovedStrokes removed = picture.EraseStrokes(coord(160), coord(120));
                if (!removed.empty()) {
                    groups.push_back(std::move(removed));
                }
            }
            if (groups.empty()) {
                continue;
            }
            history.Push(std::make_unique<CEraseStep>(picture, std::move(groups)), true);
            pushState();
        } else if (what == 11 && picture.GetStrokeCount() > 0) {
            history.Push(std::make_unique<CClearStep>(picture));
            pushState();
        } else if (what == 12) {
            CBackground after = picture.GetBackground();
            after.index = after.index == 0 ? 5 : 0;
            history.Push(
                std::make_unique<CBackgroundStep>(picture, picture.GetBackground(), after));
            pushState();
        } else if (what < 17) {
            history.Undo();
        } else {
            history.Redo();
        }
        ++changes;
        const State& expected = states.at(history.GetDoneCount());
        ASSERT_EQ(Strokes(picture), expected.strokes) << "step " << step;
        ASSERT_EQ(picture.GetBackground().index, expected.background) << "step " << step;
        ExpectComposedIsFullRedraw(picture, "step " + std::to_string(step));
    }
    EXPECT_GT(changes, 300);
    // Undoing everything gives the empty start.
    while (history.Undo()) {
    }
    EXPECT_EQ(picture.GetStrokeCount(), 0);
    EXPECT_EQ(picture.GetBackground().index, 0);
}

TEST(HistoryTest, KeepsAtMostAThousandStepsDroppingTheOldest)
{
    TestApp();
    CPicture picture(64, 48, -1);
    CHistory history;
    for (int i = 0; i < 1003; ++i) {
        PushCommit(history, picture, MakeLine({{i % 64, 0}, {i % 64, 40}}));
    }
    EXPECT_EQ(history.GetCount(), CHistory::kMaxSteps);
    int undone = 0;
    while (history.Undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, 1000);
    // The three oldest commits are no longer steps; their strokes stay.
    EXPECT_EQ(picture.GetStrokeCount(), 3);
}

// Stroke data held only by the history (erased strokes here) is bounded:
// the oldest done steps go, and the newest step always stays.
TEST(HistoryTest, BoundsTheStrokeDataItHoldsOldestFirst)
{
    TestApp();
    CPicture picture(200, 60, -1);
    std::vector<std::unique_ptr<CTestLinePen>> pens;
    for (int i = 0; i < 4; ++i) {
        pens.push_back(MakeLine({{20 + 50 * i, 10}, {20 + 50 * i, 50}}));
    }
    const std::size_t one = PenBytes(*pens[0]);
    CHistory history(100, one * 5 / 2);
    for (auto& pen : pens) {
        PushCommit(history, picture, std::move(pen));
    }
    for (int i = 0; i < 4; ++i) {
        std::vector<CPicture::RemovedStrokes> groups;
        groups.push_back(picture.EraseStrokes(20 + 50 * i, 30));
        ASSERT_EQ(groups.back().size(), 1u);
        history.Push(std::make_unique<CEraseStep>(picture, std::move(groups)), true);
        EXPECT_LE(history.GetHeldBytes(), one * 5 / 2) << i;
    }
    // Two erase steps are left; undoing them brings back the two newest.
    EXPECT_EQ(history.GetCount(), 2u);
    EXPECT_TRUE(history.Undo());
    EXPECT_TRUE(history.Undo());
    EXPECT_FALSE(history.Undo());
    ASSERT_EQ(picture.GetStrokeCount(), 2);
    EXPECT_EQ(picture.GetStroke(0).GetPoints()[0].x, 120);
    EXPECT_EQ(picture.GetStroke(1).GetPoints()[0].x, 170);

    // One step over the bound on its own (New of everything) stays.
    CHistory tight(100, 1);
    tight.Push(std::make_unique<CClearStep>(picture));
    EXPECT_EQ(picture.GetStrokeCount(), 0);
    EXPECT_TRUE(tight.Undo());
    EXPECT_EQ(picture.GetStrokeCount(), 2);
}

TEST(HistoryTest, CleanOnlyWhereTheLastSaveLeftThePicture)
{
    TestApp();
    CPicture picture(64, 48, -1);
    CHistory history;
    EXPECT_TRUE(history.IsClean());
    PushCommit(history, picture, MakeLine({{1, 1}, {30, 30}}));
    EXPECT_FALSE(history.IsClean());
    history.SetClean();
    PushCommit(history, picture, MakeLine({{1, 30}, {30, 1}}));
    history.Undo();
    EXPECT_TRUE(history.IsClean());
    history.Undo();
    EXPECT_FALSE(history.IsClean());
    history.Redo();
    EXPECT_TRUE(history.IsClean());
    // A new change once the saved state was undone away: never clean again.
    history.Undo();
    PushCommit(history, picture, MakeLine({{5, 5}, {9, 40}}));
    while (history.Undo()) {
        EXPECT_FALSE(history.IsClean());
    }
}

// The picture tells its listeners what each change covered: a commit its
// stroke's extent, New and a background the whole picture (a null area).
TEST(HistoryTest, PictureAnnouncesTheAreaEachChangeCovered)
{
    TestApp();
    CPicture picture(100, 80, -1);
    picture.GetPictureSurface();
    std::vector<QRect> told;
    const int id = picture.AddChangeListener([&](const QRect& area) { told.push_back(area); });
    CHistory history;
    PushCommit(history, picture, RealStroke(1, {{10, 10}, {40, 10}}, MakeRgb(0, 0, 0), 4));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_LT(told[0].width(), 50);
    EXPECT_EQ(told[0], picture.GetStroke(0).DrawnExtent() & QRect(0, 0, 100, 80));
    history.Undo();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1], told[0]);
    history.Redo();
    history.Push(std::make_unique<CClearStep>(picture));
    ASSERT_EQ(told.size(), 4u);
    EXPECT_TRUE(told[3].isNull());
    picture.RemoveChangeListener(id);
    history.Undo();
    EXPECT_EQ(told.size(), 4u);
}
