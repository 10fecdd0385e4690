#include "TraceTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

bool IsClosed(const Contour& c)
{
    return c.size() >= 2 && c.front() == c.back();
}

// Every pixel the contours fill is ink and every ink pixel is filled, all
// with one winding value for the ink.
void ExpectFillEqualsInk(const InkImage& image, const std::vector<Contour>& contours)
{
    const std::vector<int> winding = WindingNumbers(contours, image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int w = winding[static_cast<std::size_t>(y) * image.width + x];
            EXPECT_EQ(w, image.At(x, y) ? -1 : 0) << "pixel " << x << "," << y;
        }
    }
}

}  // namespace

// ---------------------------------------------------------------------------

TEST(OutlineTracerShapes, ImageWithoutInkGivesNoContour)
{
    EXPECT_TRUE(TraceImage(InkImage(40, 7)).empty());
    EXPECT_TRUE(TraceImage(InkImage(1, 1)).empty());
}

TEST(OutlineTracerShapes, SinglePixelAtOrigin)
{
    const auto contours = TraceImage(InkImage::FromRows({"#..", "...", "..."}));
    ASSERT_EQ(contours.size(), 1u);
    EXPECT_EQ(contours[0], (Contour{{1, 1}, {1, 0}, {0, 0}, {0, 1}, {1, 1}}));
}

TEST(OutlineTracerShapes, SinglePixelInsideAndAtEveryCorner)
{
    for (const auto& [x, y] : std::vector<Vertex>{{3, 2}, {6, 0}, {0, 4}, {6, 4}}) {
        InkImage image(7, 5);
        image.Set(x, y);
        const auto contours = TraceImage(image);
        ASSERT_EQ(contours.size(), 1u) << x << "," << y;
        EXPECT_EQ(contours[0], (Contour{{x + 1, y + 1}, {x + 1, y}, {x, y}, {x, y + 1}, {x + 1, y + 1}}));
    }
}

TEST(OutlineTracerShapes, FilledRectangleGivesItsFourCornersWhateverItsSize)
{
    for (const auto& [w, h] : std::vector<Vertex>{{1, 3}, {5, 1}, {2, 2}, {9, 4}, {40, 33}, {70, 70}}) {
        InkImage image(w + 5, h + 4);
        for (int y = 2; y < 2 + h; ++y) {
            for (int x = 3; x < 3 + w; ++x) {
                image.Set(x, y);
            }
        }
        const auto contours = TraceImage(image);
        ASSERT_EQ(contours.size(), 1u) << w << "x" << h;
        const Contour& c = contours[0];
        ASSERT_EQ(c.size(), 5u) << w << "x" << h;
        ASSERT_TRUE(IsClosed(c));
        const std::set<Vertex> corners(c.begin(), c.end());
        EXPECT_EQ(corners, (std::set<Vertex>{{3, 2}, {3 + w, 2}, {3, 2 + h}, {3 + w, 2 + h}}));
        EXPECT_DOUBLE_EQ(SignedArea(c), static_cast<double>(w) * h);
    }
}

TEST(OutlineTracerShapes, DiagonalPixelsShareOneBoundaryInEitherDirection)
{
    for (const auto& rows : std::vector<std::vector<std::string>>{{"#.", ".#"}, {".#", "#."}}) {
        const InkImage image = InkImage::FromRows(rows);
        const auto exact = TraceImage(image, 0.0);
        ASSERT_EQ(exact.size(), 1u) << rows[0];
        EXPECT_TRUE(IsClosed(exact[0]));
        ExpectFillEqualsInk(image, exact);
        EXPECT_EQ(TraceImage(image).size(), 1u) << rows[0];
    }
}

TEST(OutlineTracerShapes, RingGivesTwoContoursOfOppositeDirection)
{
    const InkImage image = InkImage::FromRows({
        "..........",
        ".#######..",
        ".#######..",
        ".##...##..",
        ".##...##..",
        ".#######..",
        "..........",
    });
    const auto contours = TraceImage(image);
    ASSERT_EQ(contours.size(), 2u);
    const double a0 = SignedArea(contours[0]);
    const double a1 = SignedArea(contours[1]);
    EXPECT_EQ(std::max(a0, a1), 7.0 * 5.0);   // outer boundary, anticlockwise on screen
    EXPECT_EQ(std::min(a0, a1), -3.0 * 2.0);  // the hole runs the other way
    ExpectFillEqualsInk(image, contours);
}

TEST(OutlineTracerShapes, InkOnEveryBorderIsClosedAlongTheBorder)
{
    InkImage full(37, 6);
    std::fill(full.ink.begin(), full.ink.end(), 1);
    const auto contours = TraceImage(full);
    ASSERT_EQ(contours.size(), 1u);
    EXPECT_EQ(std::set<Vertex>(contours[0].begin(), contours[0].end()),
              (std::set<Vertex>{{0, 0}, {37, 0}, {0, 6}, {37, 6}}));

    InkImage frame(33, 9);
    for (int x = 0; x < frame.width; ++x) {
        frame.Set(x, 0);
        frame.Set(x, frame.height - 1);
    }
    for (int y = 0; y < frame.height; ++y) {
        frame.Set(0, y);
        frame.Set(frame.width - 1, y);
    }
    const auto framed = TraceImage(frame);
    ASSERT_EQ(framed.size(), 2u);
    for (const Contour& c : framed) {
        EXPECT_TRUE(IsClosed(c));
        EXPECT_EQ(c.size(), 5u);
    }
    ExpectFillEqualsInk(frame, framed);
}

TEST(OutlineTracerShapes, ChainWithBothEndsInOneColumnStillCloses)
{
    // Here one chain has both ends in one column when its head moves on; the
    // end that stays must remain findable or the boundaries stay open.
    const InkImage image = InkImage::FromRows({"####", ".#.#", "#.#.", ".#.."});
    for (double tolerance : {0.0, 1.4143}) {
        const auto contours = TraceImage(image, tolerance);
        ASSERT_FALSE(contours.empty());
        for (const Contour& c : contours) {
            EXPECT_TRUE(IsClosed(c)) << "tolerance " << tolerance;
        }
    }
    ExpectFillEqualsInk(image, TraceImage(image, 0.0));
}

TEST(OutlineTracerShapes, StaircaseIsThinnedToItsEnds)
{
    // A long diagonal staircase: every step is within the tolerance of the
    // straight line, so far fewer vertices survive than corners exist.
    InkImage image(30, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x <= y; ++x) {
            image.Set(x, y);
        }
    }
    const auto exact = TraceImage(image, 0.0);
    const auto thinned = TraceImage(image);
    ASSERT_EQ(exact.size(), 1u);
    ASSERT_EQ(thinned.size(), 1u);
    EXPECT_GT(exact[0].size(), 60u);
    EXPECT_LE(thinned[0].size(), 6u);
    EXPECT_TRUE(IsClosed(thinned[0]));
    EXPECT_NEAR(SignedArea(thinned[0]), 30.0 * 31.0 / 2.0, 30.0);
}

// ---------------------------------------------------------------------------

TEST(OutlineTracerInput, BothPolaritiesAndAnyPitchTraceTheSameInk)
{
    // A block, a ring with its hole, a plus and a block at the right border.
    const InkImage image = InkImage::FromRows({
        "........................................",
        ".##...#####.....................#.....##",
        ".##..##...##...................###....##",
        "......#####.....................#.......",
    });
    const auto expected = TraceImage(image, 0.0);
    ASSERT_EQ(expected.size(), 5u);
    for (int padding : {0, 1}) {
        for (int pitch : {5, 8, 13}) {
            for (int inkBit : {0, 1}) {
                const auto bits = PackImage(image, pitch, inkBit, padding);
                COutlineTracer tracer(inkBit == 0 ? COutlineTracer::kInkBitZero
                                                  : COutlineTracer::kInkBitOne);
                ASSERT_TRUE(tracer.TraceBitmap(
                    MakeMonoBitmap(image.width, image.height, pitch, bits.data()), 0.0, -4.0));
                const COutline& outline = tracer.GetResult();
                ASSERT_EQ(outline.GetCount(), 5);
                EXPECT_EQ(tracer.GetEmittedCount(), 5);
                for (int i = 0; i < outline.GetCount(); ++i) {
                    Contour c;
                    for (const StrokePoint& p : outline.At(i)) {
                        c.emplace_back(p.x, p.y);
                    }
                    EXPECT_EQ(c, expected[static_cast<std::size_t>(i)])
                        << "pitch " << pitch << " ink bit " << inkBit << " padding " << padding;
                }
            }
        }
    }
}

TEST(OutlineTracerInput, InkBesideSkippedBackgroundWordsIsFound)
{
    // Ink just before, at and after 32-pixel word boundaries, in a row that is
    // otherwise blank, so the unpacker's skipping must stop in time.
    for (int x : {0, 7, 8, 31, 32, 33, 63, 64, 95, 99}) {
        InkImage image(100, 3);
        image.Set(x, 1);
        const auto contours = TraceImage(image);
        ASSERT_EQ(contours.size(), 1u) << x;
        EXPECT_EQ(contours[0], (Contour{{x + 1, 2}, {x + 1, 1}, {x, 1}, {x, 2}, {x + 1, 2}}));
    }
}

TEST(OutlineTracerInput, RefusesBitmapsItCannotReadSafely)
{
    const std::vector<std::uint8_t> bits(64, 0xFF);
    const auto refuses = [&](MonoBitmap bitmap) {
        COutlineTracer tracer;
        const bool ok = tracer.TraceBitmap(bitmap, 1.4143, -4.0);
        if (!ok) {
            EXPECT_EQ(tracer.GetResult().GetCount(), 0);
        }
        return !ok;
    };
    MonoBitmap deep = MakeMonoBitmap(8, 8, 8, bits.data());
    deep.bitsPerPixel = 8;
    EXPECT_TRUE(refuses(deep));
    MonoBitmap planes = MakeMonoBitmap(8, 8, 1, bits.data());
    planes.planes = 2;
    EXPECT_TRUE(refuses(planes));
    EXPECT_TRUE(refuses(MakeMonoBitmap(17, 4, 2, bits.data())));  // rows too short
    EXPECT_TRUE(refuses(MakeMonoBitmap(8, 8, 1, nullptr)));
    EXPECT_TRUE(refuses(MakeMonoBitmap(-1, 8, 1, bits.data())));
    EXPECT_TRUE(refuses(MakeMonoBitmap(8, 8, -1, bits.data())));
    EXPECT_FALSE(refuses(MakeMonoBitmap(0, 0, 0, nullptr)));  // empty, nothing to read
    EXPECT_FALSE(refuses(MakeMonoBitmap(8, 8, 1, bits.data())));
}

TEST(OutlineTracerInput, FailedTraceLeavesNoContoursOfAnEarlierTrace)
{
    const InkImage image = InkImage::FromRows({"#.#", "...", "#.#"});
    const auto bits = PackImage(image, 4);
    COutlineTracer tracer;
    ASSERT_TRUE(tracer.TraceBitmap(MakeMonoBitmap(3, 3, 4, bits.data()), 1.4143, -4.0));
    EXPECT_EQ(tracer.GetResult().GetCount(), 4);
    MonoBitmap wrong = MakeMonoBitmap(3, 3, 4, bits.data());
    wrong.bitsPerPixel = 4;
    EXPECT_FALSE(tracer.TraceBitmap(wrong, 1.4143, -4.0));
    EXPECT_EQ(tracer.GetResult().GetCount(), 0);
    EXPECT_EQ(tracer.GetEmittedCount(), 0);
}

TEST(OutlineTracerInput, SizeDivisorSetsTheMinimumPerimeter)
{
    // One pixel (perimeter 4) and a 3x3 block (perimeter 12) in a 40-wide image.
    InkImage image(40, 10);
    image.Set(2, 2);
    for (int y = 5; y < 8; ++y) {
        for (int x = 20; x < 23; ++x) {
            image.Set(x, y);
        }
    }
    EXPECT_EQ(TraceImage(image, 1.4143, -4.0).size(), 2u);  // minimum 1.0
    EXPECT_EQ(TraceImage(image, 1.4143, 10.0).size(), 2u);  // minimum 4: not below it
    EXPECT_EQ(TraceImage(image, 1.4143, 8.0).size(), 1u);   // minimum 5 drops the pixel
    EXPECT_EQ(TraceImage(image, 1.4143, 4.0).size(), 1u);   // minimum 10 keeps the block
    EXPECT_EQ(TraceImage(image, 1.4143, 3.0).size(), 0u);   // minimum 13.3 drops both
}
