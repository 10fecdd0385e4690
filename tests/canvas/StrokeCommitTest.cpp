#include "canvas/StrokeCommit.h"

#include "QtApp.h"
#include "TestPens.h"

#include <gtest/gtest.h>

namespace {
PenMaker TestPenMaker(int* made = nullptr)
{
    return [made](const CToolSettings& s, int tool) -> std::unique_ptr<CPenTool> {
        if (made) {
            ++*made;
        }
        return std::make_unique<CTestLinePen>(s.m_toolWidth[static_cast<std::size_t>(tool)],
                                              s.SelectedColor(tool));
    };
}

// Recognises everything as the same three-point shape.
bool AlwaysTriangle(const CPointArray& /*in*/, CPointArray& out)
{
    out.Add(0, 0, 1);
    out.Add(10, 0, 1);
    out.Add(5, 8, 1);
    return true;
}

bool NeverAShape(const CPointArray& /*in*/, CPointArray& /*out*/) { return false; }

std::unique_ptr<CTestLinePen> Captured(int points)
{
    auto pen = std::make_unique<CTestLinePen>(2, MakeRgb(0, 0, 0));
    for (int i = 0; i < points; ++i) {
        pen->AddPoint(i * 3, i, static_cast<std::uint32_t>(100 + i));
    }
    return pen;
}
}  // namespace

TEST(StrokeCommitTest, AtMostOnePointIsDropped)
{
    CToolSettings s;
    for (int n : {0, 1}) {
        const FinishedStroke f = FinishCapturedStroke(Captured(n), s, 1, TestPenMaker(), {});
        EXPECT_EQ(f.route, FinishedStroke::Route::Dropped) << n;
        EXPECT_EQ(f.pen, nullptr);
    }
}

TEST(StrokeCommitTest, RecognitionOffCommitsTheFinishedPen)
{
    CToolSettings s;
    int made = 0;
    auto pen = Captured(2);
    CTestLinePen* raw = pen.get();
    FinishedStroke f = FinishCapturedStroke(std::move(pen), s, 1, TestPenMaker(&made), AlwaysTriangle);
    EXPECT_EQ(f.route, FinishedStroke::Route::Commit);
    EXPECT_EQ(f.pen.get(), raw);
    EXPECT_EQ(raw->finishCalls, 1);
    EXPECT_EQ(made, 0);
}

TEST(StrokeCommitTest, RecognisedShapeReplacesTheStrokeWithAFreshPenOfTheTool)
{
    CToolSettings s;
    s.m_toolRecog[5] = 1;
    s.m_toolWidth[5] = 7;
    FinishedStroke f = FinishCapturedStroke(Captured(20), s, 5, TestPenMaker(), AlwaysTriangle);
    ASSERT_EQ(f.route, FinishedStroke::Route::Recognized);
    auto* shape = dynamic_cast<CTestLinePen*>(f.pen.get());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->GetWidth(), 7);
    ASSERT_EQ(shape->GetPoints().GetCount(), 3);
    EXPECT_EQ(shape->GetPoints()[2].x, 5);
    // The shape pen is committed as the recogniser wrote it.
    EXPECT_EQ(shape->finishCalls, 0);
}

TEST(StrokeCommitTest, UnrecognisedStrokeIsCommittedUnchanged)
{
    CToolSettings s;
    s.m_toolRecog[1] = 1;
    auto pen = Captured(20);
    CTestLinePen* raw = pen.get();
    FinishedStroke f = FinishCapturedStroke(std::move(pen), s, 1, TestPenMaker(), NeverAShape);
    EXPECT_EQ(f.route, FinishedStroke::Route::Commit);
    EXPECT_EQ(f.pen.get(), raw);
    EXPECT_EQ(raw->GetPoints().GetCount(), 20);
}

TEST(StrokeCommitTest, InkToolsGoToTheInkShaperNotTheShapeRecogniser)
{
    CToolSettings s;
    for (int tool = 7; tool <= 10; ++tool) {
        ASSERT_EQ(s.m_toolRecog[static_cast<std::size_t>(tool)], 1);
        int made = 0;
        FinishedStroke f =
            FinishCapturedStroke(Captured(10), s, tool, TestPenMaker(&made), AlwaysTriangle);
        EXPECT_EQ(f.route, FinishedStroke::Route::Shape) << tool;
        // The one pen made is the finished copy of the stroke as drawn, kept
        // for undo; the recogniser had no part in it.
        EXPECT_EQ(made, 1) << tool;
        ASSERT_NE(f.drawn, nullptr) << tool;
        EXPECT_TRUE(f.drawn->IsFinished()) << tool;
        EXPECT_EQ(f.drawn->GetPoints().GetCount(), f.pen->GetPoints().GetCount()) << tool;
        s.m_toolRecog[static_cast<std::size_t>(tool)] = 0;
        f = FinishCapturedStroke(Captured(10), s, tool, TestPenMaker(&made), AlwaysTriangle);
        EXPECT_EQ(f.route, FinishedStroke::Route::Commit) << tool;
    }
}
