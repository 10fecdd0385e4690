#include "pens/SpeedHistory.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr int kScale = 50;

TEST(InkSpeedHistory, OpensWithFourSamplesAtFullFactor)
{
    CSpeedHistory h;
    h.AddSample(7, 9, 1000, kScale);
    ASSERT_EQ(h.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(h.At(i).x, 7);
        EXPECT_EQ(h.At(i).y, 9);
        EXPECT_EQ(h.At(i).time, 1000u);
        EXPECT_EQ(h.At(i).factor, 1.0);
    }
    EXPECT_EQ(h.MeanFactor(), 1.0);
}

TEST(InkSpeedHistory, FactorIsHalfTheMillisecondsPerPixel)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    h.AddSample(100, 0, 1010, kScale);  // 10 ms over 100 px
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.05);
    EXPECT_DOUBLE_EQ(h.MeanFactor(), (3.0 + 0.05) * 0.25);
    EXPECT_EQ(h.GetCount(), 5);
}

TEST(InkSpeedHistory, SlowerThanTwoMillisecondsPerPixelIsCappedAtOne)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    h.AddSample(100, 0, 1010, kScale);
    h.AddSample(110, 0, 1050, kScale);  // 4 ms per pixel
    EXPECT_EQ(h.Last().factor, 1.0);
    h.AddSample(120, 0, 1070, kScale);  // exactly 2 ms per pixel
    EXPECT_EQ(h.Last().factor, 1.0);
}

TEST(InkSpeedHistory, DistanceIsTruncatedAndAtLeastOne)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    h.AddSample(1, 1, 1001, kScale);  // 1.41 px counts as 1
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.5);
    h.AddSample(1, 1, 1002, kScale);  // no movement counts as 1 px
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.5);
    h.AddSample(4, 5, 1003, kScale);  // 5 px exactly
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.1);
}

TEST(InkSpeedHistory, MoveWithinTheSameTickKeepsThePreviousFactor)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    h.AddSample(100, 0, 1010, kScale);
    const double fast = h.Last().factor;
    h.AddSample(300, 0, 1010, kScale);  // 200 px in no time at all
    EXPECT_EQ(h.Last().factor, fast);
    h.AddSample(310, 0, 1005, kScale);  // an older tick: time did not advance
    EXPECT_EQ(h.Last().factor, fast);
}

TEST(InkSpeedHistory, WrappedTickCountStillMovesForward)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 0xFFFFFFF6u, kScale);
    h.AddSample(100, 0, 0x0000000Au, kScale);  // 20 ms later, past the wrap
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.1);

    // The same across the sign bit of the tick count.
    CSpeedHistory g;
    g.AddSample(0, 0, 0x7FFFFFF6u, kScale);
    g.AddSample(100, 0, 0x8000000Au, kScale);
    EXPECT_DOUBLE_EQ(g.Last().factor, 0.1);
}

TEST(InkSpeedHistory, MeanFactorUsesOnlyTheLastFourSamples)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    std::uint32_t t = 1000;
    for (int i = 1; i <= 4; ++i) {
        t += 1;
        h.AddSample(i * 100, 0, t, kScale);  // 1 ms per 100 px: 0.005 each
    }
    EXPECT_EQ(h.GetCount(), 8);
    EXPECT_DOUBLE_EQ(h.MeanFactor(), 0.005);
}

TEST(InkSpeedHistory, MeanFactorSumsOldestFirst)
{
    // Factors 1, 1, 1/66 and 7/22: added oldest first the sum rounds
    // differently from the newest-first sum, so the order is observable.
    const double a = 1.0, b = 1.0;
    const double c = 1.0 / 33 * kScale * 0.01;  // 1 ms over 33 px
    const double d = 7.0 / 11 * kScale * 0.01;  // 7 ms over 11 px
    ASSERT_NE(((a + b) + c) + d, ((d + c) + b) + a);

    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    h.AddSample(33, 0, 1001, kScale);
    h.AddSample(44, 0, 1008, kScale);
    EXPECT_EQ(h.At(4).factor, c);
    EXPECT_EQ(h.At(5).factor, d);
    EXPECT_EQ(h.MeanFactor(), (((a + b) + c) + d) * 0.25);
    EXPECT_NE(h.MeanFactor(), (((d + c) + b) + a) * 0.25);
}

TEST(InkSpeedHistory, ClearEmptiesAndTheNextSampleOpensAgain)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    h.AddSample(100, 0, 1001, kScale);
    h.Clear();
    EXPECT_TRUE(h.IsEmpty());
    h.AddSample(3, 4, 2000, kScale);
    EXPECT_EQ(h.GetCount(), 4);
    EXPECT_EQ(h.MeanFactor(), 1.0);
}

}  // namespace
