#pragma once

#include "geometry/StrokePoint.h"

// Distances and directions on integer canvas points (x right, y down).
//
// The angle constants are the doubles of short decimal literals, not exact
// multiples of pi: recognition thresholds are compared against results built
// from them, so they must stay exactly these values.
inline constexpr double PI_APPROX = 3.1415926;
inline constexpr double HALF_PI_APPROX = 1.5707963;
inline constexpr double THREE_HALF_PI_APPROX = 4.7123889;
inline constexpr double TWO_PI_APPROX = 6.2831852;

// Euclidean distance. The squared sum equals the 32-bit integer sum for any
// on-screen pair and cannot overflow for points far apart.
double Distance(int x1, int y1, int x2, int y2);

// Squared distance, formed in floating point (no integer overflow).
double DistanceSq(int x1, int y1, int x2, int y2);
double DistanceSq(const StrokePoint& p, const StrokePoint& q);

// Direction from the first point to the second in [0, TWO_PI_APPROX), with
// y pointing up the screen: a point straight above lies at a quarter turn.
// Identical points give PI_APPROX.
double Angle(int x1, int y1, int x2, int y2);
double Angle(const StrokePoint& p, const StrokePoint& q);

// Counter-clockwise sweep (as seen on screen) at the middle point from the
// ray toward the first point to the ray toward the third.
double TurnAngle(int x1, int y1, int x2, int y2, int x3, int y3);
double TurnAngle(const StrokePoint& p1, const StrokePoint& p2, const StrokePoint& p3);

struct FitPoint {
    int x = 0;
    int y = 0;
};
struct FitSize {
    int cx = 0;
    int cy = 0;
};

// Places an image of iw x ih in a box of bw x bh keeping its aspect ratio and
// never enlarging it: `position` is moved by the centring offset, `size`
// receives the drawn size. Divisions truncate toward zero.
void FitRect(int iw, int ih, int bw, int bh, FitPoint& position, FitSize& size);
