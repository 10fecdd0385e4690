// Direction-run tests of the ink stroke detectors: how many of a range's
// step angles point the expected way.

#include "recognition/InkBands.h"
#include "recognition/StrokeAnalyzer.h"

namespace ink {

Tally CountRun(const CPointArray& p, int s, int split, int e, const Scheme& before,
               const Scheme& after)
{
    Tally tally;
    for (int i = s + 1; i < e; ++i) {
        const Scheme& scheme = i < split ? before : after;
        switch (scheme.Rate(At(p, i).angle)) {
            case Strength::Strong:
                ++tally.strong;
                break;
            case Strength::Weak:
                ++tally.weak;
                break;
            case Strength::None:
                break;
        }
    }
    return tally;
}

Tally CountRun(const CPointArray& p, int s, int e, const Scheme& scheme)
{
    return CountRun(p, s, e, e, scheme, scheme);
}

}  // namespace ink

namespace {

using ink::Above;
using ink::At;
using ink::Below;
using ink::CountRun;
using ink::Degrees;
using ink::PointCount;
using ink::Scheme;
using ink::Tally;

bool Passes(const Tally& tally, double count, double strongShare, double totalShare)
{
    return tally.strong > strongShare * count && tally.Total() > totalShare * count;
}

// Straight down, with some lean either way.
constexpr Scheme kVertical{
    .strong = Degrees(255, 285), .weak = Degrees(240, 255), .weak2 = Degrees(285, 300)};

// Rightward, after the stroke has come down.
constexpr Scheme kRightward{.strong = Below(30),
                            .strong2 = Above(330),
                            .weak = Degrees(300, 330),
                            .weak2 = Degrees(30, 60)};

}  // namespace

bool CStrokeAnalyzer::RunMostlyLeftFall(const CPointArray& p, int s, int e) const
{
    if (!ink::HoldsRange(p, s, e)) {
        return false;
    }
    const int rightLimit = At(p, s).x + 5;
    for (int i = s + 1; i < e; ++i) {
        if (At(p, i).x > rightLimit) {
            return false;
        }
    }
    const Scheme leftFall{
        .strong = Degrees(195, 255), .weak = Degrees(255, 270), .weak2 = Degrees(180, 195)};
    return Passes(CountRun(p, s, e, leftFall), PointCount(s, e), 0.1, 0.7);
}

bool CStrokeAnalyzer::RunDownThenVertical(const CPointArray& p, int s, int e) const
{
    if (!ink::HoldsRange(p, s, e)) {
        return false;
    }
    const int m = s + (e - s) / 3;
    const Scheme downRight{.strong = Degrees(285, 345), .weak = Degrees(255, 285)};
    return Passes(CountRun(p, s, m, e, downRight, kVertical), PointCount(s, e), 0.1, 0.5);
}

bool CStrokeAnalyzer::RunVerticalThenRight(const CPointArray& p, int s, int f, int l) const
{
    if (!ink::HoldsRange(p, s, l)) {
        return false;
    }
    return Passes(CountRun(p, s, f, l, kVertical, kRightward), PointCount(s, l), 0.1, 0.6);
}

bool CStrokeAnalyzer::RunVerticalThenRightWide(const CPointArray& p, int s, int f, int l) const
{
    if (!ink::HoldsRange(p, s, l)) {
        return false;
    }
    // Accepts a start leaning well to the left.
    const Scheme vertical{
        .strong = Degrees(255, 285), .weak = Degrees(210, 255), .weak2 = Degrees(285, 300)};
    const Tally tally = CountRun(p, s, f, l, vertical, kRightward);
    return tally.Total() > 0.6 * PointCount(s, l);
}

bool CStrokeAnalyzer::RunMostlyRight(const CPointArray& p, int s, int e) const
{
    if (!ink::HoldsRange(p, s, e)) {
        return false;
    }
    const Scheme right{.strong = Below(15),
                       .strong2 = Above(345),
                       .weak = Degrees(15, 45),
                       .weak2 = Degrees(315, 345)};
    return Passes(CountRun(p, s, e, right), PointCount(s, e), 0.1, 0.5);
}

bool CStrokeAnalyzer::RunMostlyDown(const CPointArray& p, int s, int e) const
{
    if (!ink::HoldsRange(p, s, e)) {
        return false;
    }
    const Tally down = CountRun(p, s, e, Scheme{.strong = Degrees(210, 330)});
    const double count = PointCount(s, e);
    return down.strong > 0.1 * count && down.strong > 0.5 * count;
}
