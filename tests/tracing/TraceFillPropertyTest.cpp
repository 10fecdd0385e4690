#include "TraceTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

// Property: filling all traced contours together with the nonzero winding
// rule gives back the ink, exactly without simplification and within the
// tolerance with it, for many random images.

namespace {

constexpr double kTolerance = 1.4143;

struct Case {
    std::string kind;
    InkImage image;
};

InkImage Noise(std::mt19937& rng, int w, int h, double density)
{
    InkImage image(w, h);
    std::bernoulli_distribution on(density);
    for (auto& px : image.ink) {
        px = on(rng);
    }
    return image;
}

// Rings (some filled, some with islands in their holes) at random places.
InkImage Rings(std::mt19937& rng, int w, int h)
{
    InkImage image(w, h);
    std::uniform_int_distribution<int> count(1, 4);
    std::uniform_real_distribution<double> cx(-3.0, w + 3.0), cy(-3.0, h + 3.0), r(1.0, 12.0);
    std::uniform_real_distribution<double> thickness(0.6, 4.0);
    for (int n = count(rng); n > 0; --n) {
        const double x0 = cx(rng), y0 = cy(rng), outer = r(rng);
        const double inner = std::max(0.0, outer - thickness(rng));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const double d = std::hypot(x + 0.5 - x0, y + 0.5 - y0);
                if (d <= outer && d >= inner) {
                    image.Set(x, y, !image.At(x, y) || inner > 0.0);
                }
            }
        }
    }
    return image;
}

// Pixels that meet only at corners: checkerboard patches, diagonal lines and
// sparse points on a diagonal lattice.
InkImage DiagonalTouches(std::mt19937& rng, int w, int h)
{
    InkImage image(w, h);
    std::uniform_int_distribution<int> pick(0, 2);
    std::bernoulli_distribution keep(0.8);
    const int pattern = pick(rng);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool on = false;
            if (pattern == 0) {
                on = (x + y) % 2 == 0 && keep(rng);
            } else if (pattern == 1) {
                on = (x - y) % 5 == 0 || (x + y) % 7 == 0;
            } else {
                on = x % 2 == y % 2 && (x / 3 + y / 2) % 2 == 0 && keep(rng);
            }
            image.Set(x, y, on);
        }
    }
    return image;
}

std::vector<Case> RandomCases()
{
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> width(1, 75), height(1, 45);
    std::vector<Case> cases;
    for (int i = 0; i < 120; ++i) {
        const int w = width(rng), h = height(rng);
        const double density = std::array<double, 4>{0.15, 0.35, 0.5, 0.7}[i % 4];
        cases.push_back({"noise", Noise(rng, w, h, density)});
        cases.push_back({"rings", Rings(rng, w, h)});
        cases.push_back({"diagonal", DiagonalTouches(rng, w, h)});
    }
    // Rings with noise sprinkled over them.
    for (int i = 0; i < 40; ++i) {
        const int w = width(rng), h = height(rng);
        InkImage image = Rings(rng, w, h);
        const InkImage specks = Noise(rng, w, h, 0.08);
        for (std::size_t k = 0; k < image.ink.size(); ++k) {
            image.ink[k] ^= specks.ink[k];
        }
        cases.push_back({"noisy rings", image});
    }
    return cases;
}

double DistanceToSegment(double px, double py, const Vertex& a, const Vertex& b)
{
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((px - a.first) * dx + (py - a.second) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.first + t * dx), py - (a.second + t * dy));
}

double DistanceToContours(double px, double py, const std::vector<Contour>& contours)
{
    double best = INFINITY;
    for (const Contour& c : contours) {
        for (std::size_t i = 0; i + 1 < c.size(); ++i) {
            best = std::min(best, DistanceToSegment(px, py, c[i], c[i + 1]));
        }
    }
    return best;
}

}  // namespace

TEST(OutlineTracerFill, UnsimplifiedContoursReproduceTheInkExactly)
{
    for (const Case& test : RandomCases()) {
        const InkImage& image = test.image;
        const auto contours = TraceImage(image, 0.0);
        for (const Contour& c : contours) {
            ASSERT_GE(c.size(), 5u) << test.kind;
            ASSERT_EQ(c.front(), c.back()) << test.kind << ": open contour";
            for (std::size_t i = 0; i + 1 < c.size(); ++i) {
                ASSERT_TRUE(c[i].first == c[i + 1].first || c[i].second == c[i + 1].second)
                    << test.kind << ": an edge off the pixel grid";
            }
        }
        const std::vector<int> winding = WindingNumbers(contours, image.width, image.height);
        int wrong = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                // Outer boundaries all turn one way, so ink has winding -1
                // everywhere and background 0 (holes cancel their ring).
                const int expected = image.At(x, y) ? -1 : 0;
                wrong += winding[static_cast<std::size_t>(y) * image.width + x] != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << test.kind << " " << image.width << "x" << image.height;
    }
}

TEST(OutlineTracerFill, SimplifiedContoursStayWithinTheTolerance)
{
    int compared = 0;
    for (const Case& test : RandomCases()) {
        const InkImage& image = test.image;
        const auto exact = TraceImage(image, 0.0);
        const auto thinned = TraceImage(image, kTolerance);
        std::size_t exactVertices = 0, thinnedVertices = 0;
        for (const Contour& c : exact) {
            exactVertices += c.size();
        }
        for (const Contour& c : thinned) {
            thinnedVertices += c.size();
            ASSERT_EQ(c.front(), c.back()) << test.kind << ": open contour";
        }
        EXPECT_LE(thinnedVertices, exactVertices);
        const std::vector<int> winding = WindingNumbers(thinned, image.width, image.height);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const bool filled = winding[static_cast<std::size_t>(y) * image.width + x] != 0;
                if (filled == image.At(x, y)) {
                    continue;
                }
                ++compared;
                // A pixel the thinned outline gets wrong lies within the
                // tolerance of the true boundary.
                EXPECT_LE(DistanceToContours(x + 0.5, y + 0.5, exact), kTolerance)
                    << test.kind << " pixel " << x << "," << y;
            }
        }
    }
    // The check above must have had something to look at.
    EXPECT_GT(compared, 0);
}
