#include "geometry/Features.h"

#include "geometry/Planar.h"
#include "geometry/StrokeGroup.h"

double LengthPerHullPerimeter(CStrokeGroup& group)
{
    return group.GetLength() / group.GetConvexHull().GetPerimeter();
}

double HullThinness(CStrokeGroup& group)
{
    CPolygon& hull = group.GetConvexHull();
    const double perimeter = hull.GetPerimeter();
    return perimeter * perimeter / hull.GetArea();
}

double HullPerimeterPerMeanStroke(CStrokeGroup& group)
{
    return group.GetConvexHull().GetPerimeter() / (group.GetLength() / group.GetStrokeCount());
}

double InnerPointCount(CStrokeGroup& group)
{
    return static_cast<double>(group.CountInnerPoints());
}

double EnclosingRectAspect(CStrokeGroup& group)
{
    CPolygon& rect = group.GetEnclosingRect();
    const TimedPoint r0 = rect.GetPoint(0);
    const TimedPoint r1 = rect.GetPoint(1);
    const TimedPoint r2 = rect.GetPoint(2);
    const double first = PointDistance(r1, r0);
    const double second = PointDistance(r2, r1);
    if (first == 0 || second == 0) {
        return 0.0;
    }
    const double s = first / second;
    return s > 1 ? 1 / s : s;
}

double TriangleHullAreaRatio(CStrokeGroup& group)
{
    return group.GetLargestTriangle().GetArea() / group.GetConvexHull().GetArea();
}

double HullRectAreaRatio(CStrokeGroup& group)
{
    return group.GetConvexHull().GetArea() / group.GetEnclosingRect().GetArea();
}

double HullBoxAreaRatio(CStrokeGroup& group)
{
    return group.GetConvexHull().GetArea() / group.GetBoundingBox().GetArea();
}

double TriangleBoxAreaRatio(CStrokeGroup& group)
{
    return group.GetLargestTriangle().GetArea() / group.GetBoundingBox().GetArea();
}

double QuadHullAreaRatio(CStrokeGroup& group)
{
    return group.GetLargestQuad().GetArea() / group.GetConvexHull().GetArea();
}

double QuadRectAreaRatio(CStrokeGroup& group)
{
    return group.GetLargestQuad().GetArea() / group.GetEnclosingRect().GetArea();
}

double TriangleQuadAreaRatio(CStrokeGroup& group)
{
    return group.GetLargestTriangle().GetArea() / group.GetLargestQuad().GetArea();
}

double TrianglePerimeterRatio(CStrokeGroup& group)
{
    return group.GetLargestTriangle().GetPerimeter() / group.GetConvexHull().GetPerimeter();
}

double HullRectPerimeterRatio(CStrokeGroup& group)
{
    return group.GetConvexHull().GetPerimeter() / group.GetEnclosingRect().GetPerimeter();
}

double HullBoxPerimeterRatio(CStrokeGroup& group)
{
    return group.GetConvexHull().GetPerimeter() / group.GetBoundingBox().GetPerimeter();
}
