#pragma once

#include "tracing/ContourChain.h"

#include <vector>

// Direction of the vector (dx, dy) in radians in [0, 2*pi): arccos(dx / length),
// taken as 2*pi minus that when dy < 0. The zero vector has direction 0.
double ContourDirection(double dx, double dy);

// Thins out a traced vertex list. Lists of fewer than 8 vertices come back
// unchanged. Otherwise a vertex is kept where the run since the last kept
// vertex stops being straight: when some skipped vertex lies `tolerance` or
// farther from the line through the last kept vertex and the candidate, or
// when the direction to the candidate turns by 2*pi/3 or more from the
// previous direction. Directions are compared without wrap-around, so a
// direction crossing 0 always keeps a vertex. The first and last vertices are
// always kept.
std::vector<TracePoint> SimplifyContour(const std::vector<TracePoint>& vertices, double tolerance);
