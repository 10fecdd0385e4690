#pragma once

#include "geometry/StrokePoint.h"

// The crossing test the ink outline builder uses to split a stroke where it
// runs over itself. It works on whole pixels: intersections are truncated
// toward zero, and a pair of lines without one finite common point
// (parallel, or a segment of zero length among sloped lines) does not cross.

// The integer point where the line through p and q meets the line through
// P and Q. The x of two sloped lines is their truncated intersection; y is
// then taken at that integer x on the line with the smaller slope magnitude
// (point-slope form through that line's first point), so the point lies on
// the line it is least sensitive to. Returns false when the lines have no
// single finite common point or it lies outside the int range.
bool LineIntersection(const StrokePoint& p, const StrokePoint& q, const StrokePoint& P,
                      const StrokePoint& Q, int& x, int& y);

// Whether the new segment P -> Q crosses the earlier segment p -> q: their
// bounding boxes (inclusive) must overlap; two vertical (or two horizontal)
// segments on one line cross unless the earlier lies strictly inside the
// new one along it; otherwise the lines' integer intersection must lie in
// the new segment's bounding box.
bool SegmentsCross(const StrokePoint& P, const StrokePoint& Q, const StrokePoint& p,
                   const StrokePoint& q);
