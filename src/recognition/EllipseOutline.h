#pragma once

#include <array>
#include <memory>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/TimedPoint.h"

// One first-quadrant step of the midpoint ellipse walk, relative to the
// ellipse's centre (x to the right, y up to the top of the quadrant).
struct QuadrantPoint {
    int x = 0;
    int y = 0;
};

// The first quadrant of an ellipse with semi-axes rx (along x) and ry by the
// midpoint method: from (0, trunc(ry)) down past the x axis, ending at
// y = -2. The array grows with the ellipse, so any size is safe.
std::vector<QuadrantPoint> EllipseQuadrant(double rx, double ry);

// The polygon of an ellipse inscribed in the rectangle of consecutive corners
// p[0] .. p[3]: semi-axis rx along p1 -> p2, ry along p1 -> p0, rotated by
// the direction p0 -> p3, the four quadrants mirrored from one. No closing
// repeat: the first vertex is not appended again.
std::unique_ptr<CPolygon> MakeEllipseOutline(const std::array<TimedPoint, 4>& p);
