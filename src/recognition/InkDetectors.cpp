// Detectors of the basic strokes of Chinese handwriting over a range of a
// finished ink stroke. The line and the corner come from the fuzzy shape
// recogniser; the compound forms combine them with extreme points, step
// direction runs and directions between chosen points.

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "geometry/PointHelpers.h"
#include "geometry/Stroke.h"
#include "geometry/StrokeGroup.h"
#include "recognition/InkBands.h"
#include "recognition/ShapeRecognizer.h"
#include "recognition/Shapes.h"
#include "recognition/StrokeAnalyzer.h"

namespace {

using ink::At;
using ink::Deg;
using ink::Degrees;
using ink::HoldsRange;

// a strictly between lo and hi degrees.
bool Between(double a, double lo, double hi) { return Degrees(lo, hi).Holds(a); }

// a below lo or above hi degrees.
bool Outside(double a, double lo, double hi) { return a < Deg(lo) || a > Deg(hi); }

double Direction(const CPointArray& p, int from, int to) { return Angle(At(p, from), At(p, to)); }

// Extreme coordinates over p[s] ... p[end - 1], and the first index that
// reaches the lowest point on screen (largest y) and the leftmost x. With
// end <= s + 1 only p[s] is looked at.
struct Extremes {
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int minXAt = 0;
    int maxYAt = 0;
};

Extremes FindExtremes(const CPointArray& p, int s, int end)
{
    const StrokePoint& first = At(p, s);
    Extremes x{first.x, first.x, first.y, first.y, s, s};
    for (int i = s + 1; i < end; ++i) {
        const StrokePoint& q = At(p, i);
        if (q.x < x.minX) {
            x.minX = q.x;
            x.minXAt = i;
        }
        x.maxX = std::max(x.maxX, q.x);
        x.minY = std::min(x.minY, q.y);
        if (q.y > x.maxY) {
            x.maxY = q.y;
            x.maxYAt = i;
        }
    }
    return x;
}

// The index in [s, end) nearest (x, y), the earliest on ties; s when the
// range holds no more than p[s].
int Nearest(const CPointArray& p, int s, int end, int x, int y)
{
    int best = s;
    double bestDistSq = DistanceSq(At(p, s).x, At(p, s).y, x, y);
    for (int i = s + 1; i < end; ++i) {
        const double d = DistanceSq(At(p, i).x, At(p, i).y, x, y);
        if (d < bestDistSq) {
            bestDistSq = d;
            best = i;
        }
    }
    return best;
}

// End of the first third of [s, e).
int FirstThirdEnd(int s, int e) { return s + (e - s) / 3; }

// Replaces the content of `out` by copies of `points`. The list holds its
// own copies, made before `out` is emptied, so points of `out` may be given.
void Rewrite(CPointArray& out, std::initializer_list<StrokePoint> points)
{
    out.RemoveAll();
    for (const StrokePoint& q : points) {
        out.AddCopy(q);
    }
}

}  // namespace

bool CStrokeAnalyzer::MatchStraight(const CPointArray& p, int s, int e, CPointArray& out) const
{
    // A line needs two points.
    if (!HoldsRange(p, s, e) || e - s < 2) {
        return false;
    }
    // Declared first: the group refers to it.
    CStroke stroke;
    for (int i = s; i < e; ++i) {
        stroke.AddPoint(At(p, i).x, At(p, i).y, 0);
    }
    CStrokeGroup group;
    group.AddStroke(&stroke);
    CShapeRecognizer recognizer(0.0);
    if (dynamic_cast<const CLineShape*>(recognizer.RecognizeLine(group)) == nullptr) {
        return false;
    }
    out.AddCopy(At(p, s));
    out.AddCopy(At(p, e - 1));
    return true;
}

bool CStrokeAnalyzer::MatchCorner(const CPointArray& p, int s, int e, CPointArray& out) const
{
    // With the closing point the stroke needs three.
    if (!HoldsRange(p, s, e) || e - s < 2) {
        return false;
    }
    const StrokePoint& first = At(p, s);
    const StrokePoint& last = At(p, e - 1);
    CStroke stroke;
    for (int i = s; i < e; ++i) {
        stroke.AddPoint(At(p, i).x, At(p, i).y, 0);
    }
    stroke.AddPoint(first.x, first.y, 0);
    CStrokeGroup group;
    group.AddStroke(&stroke);
    CShapeRecognizer recognizer(0.0);
    const auto* triangle = dynamic_cast<const CTriangleShape*>(recognizer.RecognizeTriangle(group));
    if (triangle == nullptr) {
        return false;
    }
    const TimedPoint corner = OpenTriangleVertex(triangle->Corners(), first, last, last);
    out.AddCopy(first);
    out.Add(corner.x, corner.y);
    out.AddCopy(last);
    return true;
}

bool CStrokeAnalyzer::MatchFallCurve(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    // A left-falling curve never climbs back more than 20 pixels above its
    // lowest point so far, nor turns more than 20 to the right of it or of
    // its start.
    const StrokePoint& first = At(p, s);
    int lowX = first.x;
    int lowY = first.y;
    for (int i = s + 1; i < e; ++i) {
        const StrokePoint& q = At(p, i);
        if (q.y < lowY - 20) {
            return false;
        }
        if (q.x > lowX + 20 || q.x > first.x + 20 || q.y < first.y - 20) {
            return false;
        }
        if (q.y > lowY) {
            lowX = q.x;
            lowY = q.y;
        }
    }
    const ink::Scheme fall{
        .strong = Degrees(195, 255), .weak = Degrees(255, 285), .weak2 = Degrees(165, 195)};
    const ink::Tally tally = ink::CountRun(p, s, e, fall);
    const double count = ink::PointCount(s, e);
    if (0.1 * count > tally.strong || 0.6 * count >= tally.Total()) {
        return false;
    }
    out.AddCopy(first);
    out.AddCopy(At(p, e - 1));
    return true;
}

bool CStrokeAnalyzer::MatchPressCurve(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const ink::Scheme press{
        .strong = Degrees(285, 345), .weak = Degrees(270, 285), .weak2 = ink::Above(345)};
    const ink::Tally tally = ink::CountRun(p, s, e, press);
    const double count = ink::PointCount(s, e);
    if (0.1 * count > tally.strong || 0.8 * count >= tally.Total()) {
        return false;
    }
    out.AddCopy(At(p, s));
    out.AddCopy(At(p, e - 1));
    return true;
}

bool CStrokeAnalyzer::MatchTurnFall(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const Extremes x = FindExtremes(p, s, e);
    const int k = Nearest(p, s, e, x.maxX, x.minY);
    if (!MatchStraight(p, s, k, out) || !RunMostlyLeftFall(p, k, e)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, k), At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchSlantHook(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const int b = FindExtremes(p, s, e).maxYAt;
    if (!MatchPressCurve(p, s, b, out) || !MatchStraight(p, b, e, out)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, b), At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchBentHook(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const int b = FindExtremes(p, s, e).maxYAt;
    if (!RunDownThenVertical(p, s, b)) {
        return false;
    }
    if (!MatchStraight(p, b, e, out) && !MatchCorner(p, b, e, out)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, b), At(p, e - 1)});
    return true;
}

namespace {

// The vertical, bend, horizontal, upward-hook form over [s, e): the bend
// at the bottom left (the point nearest the range's minimum x and maximum
// y) and the one at the bottom right (nearest its maximum x and y), a run
// down then right between them, and each leg heading its way: down at
// `minDown` to 300 degrees, right within 30 of level, then up at 45 to
// 135. The wide form accepts a start leaning further left.
bool FindBendHook(const CStrokeAnalyzer& analyzer, const CPointArray& p, int s, int e,
                  bool wide, int& left, int& right)
{
    const Extremes x = FindExtremes(p, s, e);
    left = Nearest(p, s, e, x.minX, x.maxY);
    right = Nearest(p, s, e, x.maxX, x.maxY);
    const bool runs = wide ? analyzer.RunVerticalThenRightWide(p, s, left, right)
                           : analyzer.RunVerticalThenRight(p, s, left, right);
    if (right - left <= 2 || e - right <= 2 || !runs) {
        return false;
    }
    return !Outside(Direction(p, s, left), wide ? 210 : 240, 300) &&
           !Between(Direction(p, left, right), 30, 330) &&
           !Outside(Direction(p, right, e - 1), 45, 135);
}

}  // namespace

bool CStrokeAnalyzer::MatchBendHook(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    int f = 0;
    int l = 0;
    if (!FindBendHook(*this, p, s, e, false, f, l) || !MatchStraight(p, s, f, out)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, f), At(p, l), At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchBendHookWide(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    // Here f names the bottom-right bend and l the bottom-left one.
    int l = 0;
    int f = 0;
    if (!FindBendHook(*this, p, s, e, true, l, f)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, l), At(p, f), At(p, e - 1)});
    return true;
}

namespace {

// The horizontal-then-down form over [s, e): f is the point nearest the
// range's top-right extreme, b its first lowest point; the stroke runs
// mostly right up to f and mostly down from f to b.
bool FindTurnDown(const CStrokeAnalyzer& analyzer, const CPointArray& p, int s, int e, int& f,
                  int& b)
{
    const Extremes x = FindExtremes(p, s, e);
    b = x.maxYAt;
    f = Nearest(p, s, e, x.maxX, x.minY);
    return b - f > 1 && analyzer.RunMostlyRight(p, s, f) && analyzer.RunMostlyDown(p, f, b);
}

}  // namespace

bool CStrokeAnalyzer::MatchTurnHook(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    int f = 0;
    int b = 0;
    if (!FindTurnDown(*this, p, s, e, f, b) || e - b <= 1 ||
        Outside(Direction(p, b, e - 1), 90, 165)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, f), At(p, b), At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchTurnTurn(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    int f = 0;
    int b = 0;
    if (!FindTurnDown(*this, p, s, e, f, b)) {
        return false;
    }
    // The stroke ends at its lowest point. f < b - 1 < e - 1, so e - 2 is
    // still inside the range.
    const int maxY = At(p, b).y;
    if (maxY != At(p, e - 1).y && maxY != At(p, e - 2).y) {
        return false;
    }
    // The last step that still heads right of straight down ends the turn.
    int h = e - 1;
    for (int k = e - 1; k > f; --k) {
        if (At(p, k).angle > Deg(275)) {
            h = k;
            break;
        }
    }
    Rewrite(out, {At(p, s), At(p, f), At(p, h), At(p, e - 1)});
    return true;
}

namespace {

// The lead-in of a stroke that starts with a stroke to the right: d is the
// index of the first third nearest its top-right extreme, and [s, d) must be
// a line heading within 45 degrees of due right.
std::optional<int> RightwardLeadIn(const CStrokeAnalyzer& analyzer, const CPointArray& p, int s,
                                   int e, CPointArray& out)
{
    const int m = FirstThirdEnd(s, e);
    const Extremes x = FindExtremes(p, s, m);
    const int d = Nearest(p, s, m, x.maxX, x.minY);
    if (!analyzer.MatchStraight(p, s, d, out) || Between(Direction(p, s, d), 45, 315)) {
        return std::nullopt;
    }
    return d;
}

}  // namespace

bool CStrokeAnalyzer::MatchZigzag(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const std::optional<int> d = RightwardLeadIn(*this, p, s, e, out);
    if (!d) {
        return false;
    }
    // The corner is read from this call's own result.
    out.RemoveAll();
    if (!MatchCorner(p, *d, e, out)) {
        return false;
    }
    const StrokePoint v = out[1];
    if (Outside(Angle(At(p, *d), v), 225, 315) || Between(Angle(v, At(p, e - 1)), 45, 315)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, *d), v, At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchStepBendHook(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const std::optional<int> d = RightwardLeadIn(*this, p, s, e, out);
    if (!d) {
        return false;
    }
    out.RemoveAll();
    if (!MatchBendHookWide(p, *d, e, out)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, *d), out[1], out[2], At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchCornerRise(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const int a = FindExtremes(p, s, e).maxYAt;
    out.RemoveAll();
    if (!MatchCorner(p, s, a, out)) {
        return false;
    }
    const StrokePoint v = out[1];
    if (Between(Angle(At(p, s), v), 45, 315) || Outside(Angle(v, At(p, a)), 225, 315)) {
        return false;
    }
    if (!MatchStraight(p, a, e, out) || Outside(Direction(p, a, e - 1), 30, 90)) {
        return false;
    }
    Rewrite(out, {At(p, s), v, At(p, a), At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchDownTurnHook(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    // The lead-in runs down to the bottom-left extreme of the first third.
    const int m = FirstThirdEnd(s, e);
    const Extremes x = FindExtremes(p, s, m);
    const int d = Nearest(p, s, m, x.minX, x.maxY);
    if (!MatchStraight(p, s, d, out) || Outside(Direction(p, s, d), 225, 315)) {
        return false;
    }
    out.RemoveAll();
    if (!MatchTurnHook(p, d, e, out)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, d), out[1], out[2], At(p, e - 1)});
    return true;
}

bool CStrokeAnalyzer::MatchLeftCorner(const CPointArray& p, int s, int e, CPointArray& out) const
{
    if (!HoldsRange(p, s, e)) {
        return false;
    }
    const int a = FindExtremes(p, s, e).minXAt;
    out.RemoveAll();
    if (!MatchCorner(p, a, e, out)) {
        return false;
    }
    const StrokePoint v = out[1];
    if (Angle(At(p, a), v) < Deg(270) || Angle(v, At(p, e - 1)) > Deg(90)) {
        return false;
    }
    Rewrite(out, {At(p, s), At(p, a), v, At(p, e - 1)});
    return true;
}
