#pragma once

#include <array>
#include <string>
#include <vector>

#include "geometry/PointArray.h"
#include "geometry/TimedPoint.h"

// A candidate's name and the degree it reached.
struct ShapeDegree {
    std::string name;
    double degree = 0.0;
};

// What a recognition decided, for tools that show more than the points.
struct ShapeReport {
    std::string shape;                   // the shape written, or empty
    std::vector<ShapeDegree> firstPass;  // every candidate's degree on the
                                         // stroke as drawn, in order
};

// The corner an open two-legged stroke (first point f, last point l) turns
// at, from the triangle v fitted to the stroke closed: the first of v[0],
// v[1] lying more than 10 pixels from both ends; else `none` when v[2] lies
// within 10 of f; else v[2] when it lies more than 10 from l; else `none`.
// The shape recogniser falls back on f, the ink stroke detectors on l.
TimedPoint OpenTriangleVertex(const std::array<TimedPoint, 3>& v, const StrokePoint& f,
                              const StrokePoint& l, const StrokePoint& none);
// The same, falling back on f.
TimedPoint OpenTriangleVertex(const std::array<TimedPoint, 3>& v, const StrokePoint& f,
                              const StrokePoint& l);

// Geometric analysis of finished strokes. Holds no data: make one on the
// stack for each call.
class CStrokeAnalyzer {
public:
    // Decides whether the stroke `in` is a line, triangle, rectangle,
    // diamond, circle or ellipse and, if so, appends the clean shape's points
    // to `out` (each as a new point with the current tick and tag 0) and
    // returns true. Otherwise `out` is left untouched and the result is
    // false. Only x and y of the input points are read; a stroke of fewer
    // than two points is never a shape.
    bool RecognizeShape(const CPointArray& in, CPointArray& out) const;

    // The same, also reporting the shape's name and the first pass's
    // degrees into `report` when it is not null.
    bool RecognizeShape(const CPointArray& in, CPointArray& out, ShapeReport* report) const;

    // Detectors of the basic strokes of Chinese handwriting. Each looks at
    // the points p[s] ... p[e - 1] of a finished ink stroke (positions and
    // the stored step angles) and answers whether the range has its form.
    // On yes it leaves in `out` the range's first point, the corners it
    // found and the range's last point, as new points (current tick, tag 0).
    // MatchStraight, MatchCorner, MatchFallCurve and MatchPressCurve append
    // to `out`; the others clear it before writing their result. On no,
    // `out` may hold what the detectors they called appended.
    bool MatchStraight(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchCorner(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchFallCurve(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchPressCurve(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchTurnFall(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchSlantHook(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchBentHook(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchBendHook(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchBendHookWide(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchTurnHook(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchTurnTurn(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchZigzag(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchStepBendHook(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchCornerRise(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchDownTurnHook(const CPointArray& p, int s, int e, CPointArray& out) const;
    bool MatchLeftCorner(const CPointArray& p, int s, int e, CPointArray& out) const;

    // Direction-run tests: count the step angles of p[s + 1] ... p[e - 1]
    // falling in a strong and a weak band and compare the counts with the
    // range's point count e - s. The two-part tests run over [s, l) and
    // change bands at f.
    bool RunMostlyLeftFall(const CPointArray& p, int s, int e) const;
    bool RunDownThenVertical(const CPointArray& p, int s, int e) const;
    bool RunVerticalThenRight(const CPointArray& p, int s, int f, int l) const;
    bool RunVerticalThenRightWide(const CPointArray& p, int s, int f, int l) const;
    bool RunMostlyRight(const CPointArray& p, int s, int e) const;
    bool RunMostlyDown(const CPointArray& p, int s, int e) const;
};
