#include "app/CommandBar.h"

#include <gtest/gtest.h>

namespace {
constexpr QSize kButton(50, 32);

CommandBar::Layout LayoutFor(int width)
{
    return CommandBar::ComputeLayout(width, kButton, kButton, kButton, kButton);
}

// x range [left, right) and y range [top, bottom) of a button.
void ExpectSpan(const QRect& r, int left, int right)
{
    EXPECT_EQ(r.left(), left);
    EXPECT_EQ(r.left() + r.width(), right);
    EXPECT_EQ(r.top(), 7);
    EXPECT_EQ(r.top() + r.height(), 39);
}
}  // namespace

TEST(CommandBarTest, ButtonsOnA1024PixelWideView)
{
    const CommandBar::Layout l = LayoutFor(1024);
    ExpectSpan(l.exit, 964, 1014);
    ExpectSpan(l.save, 904, 954);
    ExpectSpan(l.setup, 844, 894);
    ExpectSpan(l.newPicture, 784, 834);
}

TEST(CommandBarTest, ButtonsOnAn800PixelWideView)
{
    const CommandBar::Layout l = LayoutFor(800);
    ExpectSpan(l.exit, 740, 790);
    ExpectSpan(l.save, 680, 730);
    ExpectSpan(l.setup, 620, 670);
    // New lands under the pen-attribute panel (x 341..637).
    ExpectSpan(l.newPicture, 560, 610);
}

TEST(CommandBarTest, HitTestEdgesLeftTopInsideRightBottomOutside)
{
    using CommandBar::Command;
    const CommandBar::Layout l = LayoutFor(1024);
    EXPECT_EQ(CommandBar::HitTest(l, 964, 7), Command::Exit);
    EXPECT_EQ(CommandBar::HitTest(l, 1013, 38), Command::Exit);
    EXPECT_EQ(CommandBar::HitTest(l, 1014, 20), std::nullopt);
    EXPECT_EQ(CommandBar::HitTest(l, 990, 39), std::nullopt);
    EXPECT_EQ(CommandBar::HitTest(l, 990, 6), std::nullopt);
    EXPECT_EQ(CommandBar::HitTest(l, 954, 20), std::nullopt);
    EXPECT_EQ(CommandBar::HitTest(l, 953, 20), Command::Save);
    EXPECT_EQ(CommandBar::HitTest(l, 844, 20), Command::Setup);
    EXPECT_EQ(CommandBar::HitTest(l, 833, 20), Command::New);
    EXPECT_EQ(CommandBar::HitTest(l, 500, 20), std::nullopt);
}

TEST(CommandBarTest, MissingImageLeavesAOnePixelButtonAndShiftsTheRest)
{
    const CommandBar::Layout l =
        CommandBar::ComputeLayout(1024, QSize(1, 1), kButton, kButton, kButton);
    EXPECT_EQ(l.exit.left(), 1013);
    EXPECT_EQ(l.exit.top(), 22);
    EXPECT_EQ(l.save.left() + l.save.width(), 1003);
    EXPECT_EQ(l.newPicture.left(), 1003 - 50 - 60 - 60);
}
