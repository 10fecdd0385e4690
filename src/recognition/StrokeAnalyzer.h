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
// v[1] lying more than 10 pixels from both ends; else f when v[2] lies
// within 10 of f; else v[2] when it lies more than 10 from l; else f.
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
};
