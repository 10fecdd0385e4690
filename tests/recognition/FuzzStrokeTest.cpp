#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>

#include "StrokeFixtures.h"
#include "recognition/StrokeAnalyzer.h"

namespace {

constexpr int kLimit = 100000;

int Clamp(double v)
{
    return static_cast<int>(std::fmax(-kLimit, std::fmin(kLimit, std::round(v))));
}

// One random stroke of 2 to 2000 points, of a kind chosen by `kind`.
CPointArray RandomStroke(std::mt19937& rng, int kind)
{
    std::uniform_int_distribution<int> countDist(2, 2000);
    std::uniform_int_distribution<int> anywhere(-kLimit, kLimit);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int count = kind == 5 ? 2 : countDist(rng);
    const double scale = std::pow(10.0, 1 + 4 * unit(rng));  // 10 .. 100,000
    const int ox = anywhere(rng) / 2, oy = anywhere(rng) / 2;
    CPointArray stroke;
    switch (kind) {
        case 0:  // points scattered in a box
            for (int i = 0; i < count; ++i) {
                stroke.Add(Clamp(ox + scale * (unit(rng) - 0.5)),
                           Clamp(oy + scale * (unit(rng) - 0.5)), 1);
            }
            break;
        case 1: {  // one point repeated
            const int x = anywhere(rng), y = anywhere(rng);
            for (int i = 0; i < count; ++i) {
                stroke.Add(x, y, 1);
            }
            break;
        }
        case 2: {  // collinear, often axis-parallel, forwards and back
            const int dx = static_cast<int>(rng() % 3) == 0 ? 0 : static_cast<int>(rng() % 7) - 3;
            const int dy = dx != 0 && rng() % 2 == 0 ? 0 : static_cast<int>(rng() % 7) - 3;
            int t = 0;
            for (int i = 0; i < count; ++i) {
                t += static_cast<int>(rng() % 5) - 1;
                stroke.Add(Clamp(ox + static_cast<double>(dx) * t * scale / 1000),
                           Clamp(oy + static_cast<double>(dy) * t * scale / 1000), 1);
            }
            break;
        }
        case 3: {  // random walk with repeated points
            double x = ox, y = oy;
            for (int i = 0; i < count; ++i) {
                if (rng() % 4 != 0) {
                    x += (unit(rng) - 0.5) * scale / 20;
                    y += (unit(rng) - 0.5) * scale / 20;
                }
                stroke.Add(Clamp(x), Clamp(y), 1);
            }
            break;
        }
        default: {  // rough ellipses and polygons of any size: shapes get fitted
            const double a = scale * (0.2 + unit(rng)), b = scale * (0.2 + unit(rng));
            const double turn = unit(rng) * fixtures::kPi;
            const int corners = 3 + static_cast<int>(rng() % 6);
            const bool round = rng() % 2 == 0;
            const double sweep = 2 * fixtures::kPi * (0.6 + 0.5 * unit(rng));
            for (int i = 0; i < count; ++i) {
                double t = sweep * i / count;
                if (!round) {
                    t = std::floor(t / (2 * fixtures::kPi / corners)) *
                        (2 * fixtures::kPi / corners);
                }
                const double w = 1 + 0.05 * (unit(rng) - 0.5);
                const double lx = a * w * std::cos(t), ly = b * w * std::sin(t);
                stroke.Add(Clamp(ox + lx * std::cos(turn) - ly * std::sin(turn)),
                           Clamp(oy + lx * std::sin(turn) + ly * std::cos(turn)), 1);
            }
            break;
        }
    }
    return stroke;
}

}  // namespace

// Random strokes of every kind must never crash, hang or give points that
// are not real pixels; the result and the output must agree.
TEST(RecognizeShapeFuzz, RandomStrokesAreHandledSafely)
{
    std::mt19937 rng(20261208);
    const auto start = std::chrono::steady_clock::now();
    int recognised = 0;
    constexpr int kStrokes = 8000;
    for (int n = 0; n < kStrokes; ++n) {
        const int kind = static_cast<int>(rng() % 6);
        const CPointArray in = RandomStroke(rng, kind);
        CPointArray out;
        const bool ok = CStrokeAnalyzer().RecognizeShape(in, out);
        ASSERT_EQ(ok, out.GetCount() > 0) << "stroke " << n;
        if (!ok) {
            continue;
        }
        ++recognised;
        const int c = out.GetCount();
        ASSERT_TRUE(c == 2 || c == 3 || c == 4 || c == 5 || c == 37 || c % 4 == 0)
            << "stroke " << n << " gave " << c << " points";
        for (const StrokePoint& p : out) {
            // Every shape lies within a few times the input's reach.
            ASSERT_LE(std::abs(p.x), 4 * kLimit) << "stroke " << n;
            ASSERT_LE(std::abs(p.y), 4 * kLimit) << "stroke " << n;
        }
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("recognised", recognised);
    RecordProperty("seconds", std::to_string(seconds));
    EXPECT_GT(recognised, 0);
}

// Small shapes near the ends of the int range: every product and difference
// of coordinates must stay defined (the sanitizer build checks it).
TEST(RecognizeShapeFuzz, ShapesNearTheEndsOfTheIntRange)
{
    constexpr int kFar = 2147483647 - 1000;
    for (const int ox : {kFar, -kFar - 1, 0}) {
        for (const int oy : {kFar, -kFar - 1}) {
            const std::vector<CPointArray> strokes = {
                fixtures::Circle(0, 0, 200, 60),
                fixtures::Path(fixtures::RectangleCorners(0, 0, 300, 200, 0.3), 20),
                fixtures::Path({{0, -200}, {200, 150}, {-200, 150}, {0, -195}}, 20),
                fixtures::Scribble(300, 4)};
            for (const CPointArray& shape : strokes) {
                CPointArray in;
                for (const StrokePoint& p : shape) {
                    // Shift toward the far corner without leaving the int range.
                    const long long x =
                        static_cast<long long>(p.x) + (ox > 0 ? ox - 600 : ox + 600);
                    const long long y =
                        static_cast<long long>(p.y) + (oy > 0 ? oy - 600 : oy + 600);
                    in.Add(static_cast<int>(x), static_cast<int>(y), 1);
                }
                CPointArray out;
                const bool ok = CStrokeAnalyzer().RecognizeShape(in, out);
                EXPECT_EQ(ok, out.GetCount() > 0);
                EXPECT_LT(out.GetCount(), 100000);
            }
        }
    }
}
