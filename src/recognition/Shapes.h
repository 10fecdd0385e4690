#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "geometry/Polygon.h"
#include "geometry/Shape.h"
#include "geometry/TimedPoint.h"

// The candidate shapes of the stroke recogniser. Each has its own fuzzy rule
// and fits its points to the group once the rule gives a non-zero degree;
// the fitted members keep their previous values otherwise. `rotated` picks
// the rule set that allows a shape at any angle (the recogniser's choice).

class CLineShape : public CShape {
public:
    explicit CLineShape(bool rotated);
    std::string_view GetName() const override { return "Line"; }
    void ComputeShape(CStrokeGroup& group) override;
    const std::array<TimedPoint, 2>& Corners() const { return m_corners; }

private:
    std::array<TimedPoint, 2> m_corners{};
};

class CTriangleShape : public CShape {
public:
    explicit CTriangleShape(bool rotated);
    std::string_view GetName() const override { return "Triangle"; }
    void ComputeShape(CStrokeGroup& group) override;
    const std::array<TimedPoint, 3>& Corners() const { return m_corners; }

private:
    std::array<TimedPoint, 3> m_corners{};
};

class CRectangleShape : public CShape {
public:
    explicit CRectangleShape(bool rotated);
    std::string_view GetName() const override { return "Rectangle"; }
    void ComputeShape(CStrokeGroup& group) override;
    const std::array<TimedPoint, 4>& Corners() const { return m_corners; }

private:
    std::array<TimedPoint, 4> m_corners{};
};

class CCircleShape : public CShape {
public:
    explicit CCircleShape(bool rotated);
    std::string_view GetName() const override { return "Circle"; }
    void ComputeShape(CStrokeGroup& group) override;
    int Radius() const { return m_radius; }
    const TimedPoint& Center() const { return m_center; }
    const std::array<TimedPoint, 4>& Corners() const { return m_corners; }

private:
    int m_radius = 0;
    TimedPoint m_center{};
    std::array<TimedPoint, 4> m_corners{};
};

class CEllipseShape : public CShape {
public:
    explicit CEllipseShape(bool rotated);
    std::string_view GetName() const override { return "Ellipse"; }
    void ComputeShape(CStrokeGroup& group) override;
    // The outline polygon of the last fit, or null before the first.
    const CPolygon* Outline() const { return m_outline.get(); }
    const std::array<TimedPoint, 4>& Corners() const { return m_corners; }

private:
    std::unique_ptr<CPolygon> m_outline;
    std::array<TimedPoint, 4> m_corners{};
};

class CDiamondShape : public CShape {
public:
    explicit CDiamondShape(bool rotated);
    std::string_view GetName() const override { return "Diamond"; }
    void ComputeShape(CStrokeGroup& group) override;
    const std::array<TimedPoint, 4>& Corners() const { return m_corners; }

private:
    std::array<TimedPoint, 4> m_corners{};
};
