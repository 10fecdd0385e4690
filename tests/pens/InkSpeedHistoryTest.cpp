#include "pens/SpeedHistory.h"

#include <gtest/gtest.h>

namespace {

constexpr int kScale = 50;

TEST(InkSpeedHistory, OpensWithFourSamplesAtFullFactor)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 900, kScale);
    h.AddSample(100, 0, 901, kScale);
    h.Clear();
    h.AddSample(7, 9, 1000, kScale);
    ASSERT_EQ(h.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(h.At(i).x, 7);
        EXPECT_EQ(h.At(i).time, 1000u);
        EXPECT_EQ(h.At(i).factor, 1.0);
    }
    EXPECT_EQ(h.MeanFactor(), 1.0);
}

TEST(InkSpeedHistory, FactorIsHalfTheMillisecondsPerWholePixelCappedAtOne)
{
    CSpeedHistory h;
    h.AddSample(0, 0, 1000, kScale);
    h.AddSample(100, 0, 1010, kScale);  // 10 ms over 100 px
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.05);
    EXPECT_DOUBLE_EQ(h.MeanFactor(), (3.0 + 0.05) * 0.25);
    h.AddSample(101, 1, 1011, kScale);  // 1.41 px counts as 1
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.5);
    h.AddSample(101, 1, 1012, kScale);  // no movement counts as 1 px
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.5);
    h.AddSample(111, 1, 1032, kScale);  // exactly 2 ms per pixel
    EXPECT_EQ(h.Last().factor, 1.0);
    h.AddSample(121, 1, 1132, kScale);  // 10 ms per pixel
    EXPECT_EQ(h.Last().factor, 1.0);
    // Time that does not advance keeps the previous factor.
    h.AddSample(131, 1, 1133, kScale);
    h.AddSample(331, 1, 1133, kScale);  // 200 px within the same tick
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.05);
    h.AddSample(341, 1, 1100, kScale);  // an older tick
    EXPECT_DOUBLE_EQ(h.Last().factor, 0.05);
}

}  // namespace
