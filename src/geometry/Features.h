#pragma once

class CStrokeGroup;

// The feature catalogue of the shape rules: numbers measured on a stroke
// group, mostly ratios of areas and perimeters of its derived polygons.
// Each computes only the polygons it needs (they stay cached in the group).
// No division can be by zero: areas and perimeters are at least 1e-30.

double LengthPerHullPerimeter(CStrokeGroup& group);
double HullThinness(CStrokeGroup& group);
double HullPerimeterPerMeanStroke(CStrokeGroup& group);
double InnerPointCount(CStrokeGroup& group);
double EnclosingRectAspect(CStrokeGroup& group);
double TriangleHullAreaRatio(CStrokeGroup& group);
double HullRectAreaRatio(CStrokeGroup& group);
double HullBoxAreaRatio(CStrokeGroup& group);
double TriangleBoxAreaRatio(CStrokeGroup& group);
double QuadHullAreaRatio(CStrokeGroup& group);
double QuadRectAreaRatio(CStrokeGroup& group);
double TriangleQuadAreaRatio(CStrokeGroup& group);
double TrianglePerimeterRatio(CStrokeGroup& group);
double HullRectPerimeterRatio(CStrokeGroup& group);
double HullBoxPerimeterRatio(CStrokeGroup& group);
