#pragma once

#include <cstddef>
#include <limits>

#include "geometry/PointArray.h"

// Small pieces shared by the ink stroke detectors and run tests.
namespace ink {

// k degrees in radians, with pi taken as 3.1415926 like every angle the
// point helpers return. Keep the order of operations: thresholds compared
// against stored angles must come out bit for bit the same.
constexpr double Deg(double k) { return k * 3.1415926 / 180; }

// An open interval of directions: its edges belong to neither neighbour.
struct Band {
    double lo;
    double hi;
    constexpr bool Holds(double a) const { return lo < a && a < hi; }
};

constexpr Band Degrees(double lo, double hi) { return {Deg(lo), Deg(hi)}; }
constexpr Band Below(double hi) { return {-std::numeric_limits<double>::infinity(), Deg(hi)}; }
constexpr Band Above(double lo) { return {Deg(lo), std::numeric_limits<double>::infinity()}; }

// Holds no direction at all.
constexpr Band kNoBand{0.0, 0.0};

enum class Strength { None, Weak, Strong };

// The directions a run counts as strong and as weak (at most two bands
// each; the bands of one scheme never overlap).
struct Scheme {
    Band strong;
    Band strong2 = kNoBand;
    Band weak = kNoBand;
    Band weak2 = kNoBand;

    constexpr Strength Rate(double a) const
    {
        if (strong.Holds(a) || strong2.Holds(a)) {
            return Strength::Strong;
        }
        if (weak.Holds(a) || weak2.Holds(a)) {
            return Strength::Weak;
        }
        return Strength::None;
    }
};

struct Tally {
    int strong = 0;
    int weak = 0;
    int Total() const { return strong + weak; }
};

// Rates the step angles of p[s + 1] ... p[e - 1]: those before `split` by
// `before`, the others by `after`. Indices must lie in p.
Tally CountRun(const CPointArray& p, int s, int split, int e, const Scheme& before,
               const Scheme& after);
Tally CountRun(const CPointArray& p, int s, int e, const Scheme& scheme);

inline const StrokePoint& At(const CPointArray& p, int i) { return p[static_cast<std::size_t>(i)]; }

// True when [s, e) is a non-empty range of p's indices.
inline bool HoldsRange(const CPointArray& p, int s, int e)
{
    return 0 <= s && s < e && e <= p.GetCount();
}

// The count the run tests compare with: the range's points, one more than
// the number of step angles they rate.
inline double PointCount(int s, int e) { return e - s; }

}  // namespace ink
