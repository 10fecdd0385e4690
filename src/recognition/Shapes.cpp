#include "recognition/Shapes.h"

#include <cmath>
#include <cstddef>

#include "geometry/Features.h"
#include "geometry/FuzzySet.h"
#include "geometry/Planar.h"
#include "geometry/StrokeGroup.h"
#include "recognition/EllipseOutline.h"

namespace {
constexpr double kOpen = CFuzzySet::kOpen;

template <std::size_t N>
void CopyCorners(CPolygon& polygon, std::array<TimedPoint, N>& corners)
{
    for (std::size_t k = 0; k < N; ++k) {
        corners[k] = polygon.GetPoint(static_cast<int>(k));
    }
}
}  // namespace

CLineShape::CLineShape(bool rotated) : CShape(rotated)
{
    m_rule = std::make_unique<CFuzzyRule>(CCondition{EnclosingRectAspect, 0, 0, 0.06, 0.08});
    // A line is long and thin whether or not its ends meet: its own common
    // rules look at the length against the hull's perimeter (about 0.5 for a
    // straight stroke) instead of at closure.
    m_closedRule.reset();
    m_closedRule =
        std::make_unique<CFuzzyRule>(CCondition{LengthPerHullPerimeter, 0.4, 0.45, kOpen, kOpen});
    m_openRule.reset();
    m_openRule =
        std::make_unique<CFuzzyRule>(CCondition{LengthPerHullPerimeter, 0, 0, 0.4, 0.45},
                                     CCondition{HullPerimeterPerMeanStroke, 5, 10, kOpen, kOpen});
}

void CLineShape::ComputeShape(CStrokeGroup& group)
{
    CPolygon& rect = group.GetEnclosingRect();
    m_corners[0] = rect.GetPoint(0);
    m_corners[1] = rect.GetPoint(2);
}

CTriangleShape::CTriangleShape(bool rotated) : CShape(rotated)
{
    m_rule =
        std::make_unique<CFuzzyRule>(CCondition{TriangleHullAreaRatio, 0.67, 0.77, 1, 1},
                                     CCondition{TrianglePerimeterRatio, 0.95, 0.98, 1, 1},
                                     CCondition{InnerPointCount, 0, 0, 1, 1},
                                     CCondition{HullRectPerimeterRatio, 0.78, 0.8, 0.89, 0.945},
                                     CCondition{TriangleQuadAreaRatio, 0.81, 0.87, 1, 1});
}

void CTriangleShape::ComputeShape(CStrokeGroup& group)
{
    CopyCorners(group.GetLargestTriangle(), m_corners);
}

CRectangleShape::CRectangleShape(bool rotated) : CShape(rotated)
{
    if (rotated) {
        m_rule = std::make_unique<CFuzzyRule>(CCondition{HullRectAreaRatio, 0.75, 0.85, 1, 1},
                                              CCondition{QuadRectAreaRatio, 0.72, 0.78, 1, 1},
                                              CCondition{InnerPointCount, 0, 0, 1, 1});
    } else {
        m_rule =
            std::make_unique<CFuzzyRule>(CCondition{HullBoxAreaRatio, 0.8, 0.83, 1, 1},
                                         CCondition{HullBoxPerimeterRatio, 0.87, 0.9, 1, 1},
                                         CCondition{TriangleBoxAreaRatio, 0.45, 0.47, 0.5, 0.52});
    }
}

void CRectangleShape::ComputeShape(CStrokeGroup& group)
{
    CopyCorners(group.GetEnclosingRect(), m_corners);
}

CCircleShape::CCircleShape(bool rotated) : CShape(rotated)
{
    m_rule = std::make_unique<CFuzzyRule>(CCondition{HullThinness, 12.5, 12.5, 13.2, 13.5},
                                          CCondition{InnerPointCount, 0, 0, 0, 0});
}

// Radius is the mean of the box's half sides; the centre is the box centre.
void CCircleShape::ComputeShape(CStrokeGroup& group)
{
    CopyCorners(group.GetBoundingBox(), m_corners);
    const TimedPoint& p0 = m_corners[0];
    const TimedPoint& p1 = m_corners[1];
    const TimedPoint& p2 = m_corners[2];
    const double w = PointDistance(p0, p1);
    const double h = PointDistance(p1, p2);
    m_radius = TruncToInt((w + h) * 0.25);
    m_center = TimedPoint{TruncToInt(p0.x + w * 0.5), TruncToInt(p0.y + h * 0.5), 0.0};
}

CEllipseShape::CEllipseShape(bool rotated) : CShape(rotated)
{
    if (rotated) {
        m_rule = std::make_unique<CFuzzyRule>(CCondition{HullThinness, 13.2, 13.5, 19, 30},
                                              CCondition{QuadHullAreaRatio, 0.6, 0.65, 0.71, 0.78},
                                              CCondition{InnerPointCount, 0, 0, 0, 0});
    } else {
        m_rule =
            std::make_unique<CFuzzyRule>(CCondition{TriangleBoxAreaRatio, 0, 0, 0.4, 0.45},
                                         CCondition{TriangleHullAreaRatio, 0.4, 0.43, 0.47, 0.52},
                                         CCondition{HullBoxAreaRatio, 0.6, 0.7, 0.8, 0.9});
    }
}

void CEllipseShape::ComputeShape(CStrokeGroup& group)
{
    CopyCorners(m_rotated ? group.GetEnclosingRect() : group.GetBoundingBox(), m_corners);
    m_outline.reset();
    m_outline = MakeEllipseOutline(m_corners);
}

CDiamondShape::CDiamondShape(bool rotated) : CShape(rotated)
{
    if (rotated) {
        m_rule =
            std::make_unique<CFuzzyRule>(CCondition{QuadHullAreaRatio, 0.78, 0.85, 1, 1},
                                         CCondition{HullThinness, 14.5, 15.5, 21.5, 26},
                                         CCondition{QuadRectAreaRatio, 0.52, 0.56, 0.72, 0.78},
                                         CCondition{TriangleQuadAreaRatio, 0.5, 0.53, 0.62, 0.7},
                                         CCondition{InnerPointCount, 0, 0, 1, 1});
    } else {
        m_rule = std::make_unique<CFuzzyRule>(CCondition{TriangleBoxAreaRatio, 0, 0, 0.4, 0.45});
    }
}

void CDiamondShape::ComputeShape(CStrokeGroup& group)
{
    CopyCorners(m_rotated ? group.GetEnclosingRect() : group.GetBoundingBox(), m_corners);
}
