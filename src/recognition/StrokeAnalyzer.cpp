#include "recognition/StrokeAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "geometry/Planar.h"
#include "geometry/PointHelpers.h"
#include "geometry/Stroke.h"
#include "geometry/StrokeGroup.h"
#include "recognition/ShapeRecognizer.h"
#include "recognition/Shapes.h"

namespace {

// Radians per degree, from pi taken as 3.1415926.
constexpr double kDegree = 0.017453292222222222;
// A triangle whose stroke ends lie this far apart is drawn open.
constexpr double kOpenTriangleGap = 50;
// A vertex this close to an end of the stroke is that end.
constexpr double kVertexNearEnd = 10;

double Dist(const StrokePoint& a, const TimedPoint& b) { return Distance(a.x, a.y, b.x, b.y); }

void WriteOpenTriangle(const CTriangleShape& triangle, const CPointArray& in, CPointArray& out)
{
    const StrokePoint& f = in[0];
    const StrokePoint& l = in[static_cast<std::size_t>(in.GetCount() - 1)];
    const TimedPoint vertex = OpenTriangleVertex(triangle.Corners(), f, l);
    out.Add(f.x, f.y);
    out.Add(vertex.x, vertex.y);
    out.Add(l.x, l.y);
}

void WriteCircle(const CCircleShape& circle, CPointArray& out)
{
    const double r = circle.Radius();
    const int cx = circle.Center().x;
    const int cy = circle.Center().y;
    for (int k = 0; k <= 36; ++k) {
        const double a = 10 * k * kDegree;
        out.Add(TruncToInt(r * std::sin(a) + cx), TruncToInt(r * std::cos(a) + cy));
    }
}

// The diamond is the axis-aligned one through the mid-points of the sides
// of the stroke's bounding box, whatever the slant it was drawn at.
void WriteDiamond(const CPointArray& in, CPointArray& out)
{
    int minX = in[0].x, maxX = in[0].x, minY = in[0].y, maxY = in[0].y;
    for (const StrokePoint& p : in) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int midX = static_cast<int>((std::int64_t{minX} + maxX) / 2);
    const int midY = static_cast<int>((std::int64_t{minY} + maxY) / 2);
    out.Add(minX, midY);
    out.Add(midX, maxY);
    out.Add(maxX, midY);
    out.Add(midX, minY);
    out.Add(minX, midY);
}

template <std::size_t N>
void WriteClosed(const std::array<TimedPoint, N>& corners, CPointArray& out)
{
    for (const TimedPoint& p : corners) {
        out.Add(p.x, p.y);
    }
    out.Add(corners[0].x, corners[0].y);
}

// Appends the points of the recognised shape; false for an unknown name.
bool WriteShape(CShape& shape, const CPointArray& in, CPointArray& out)
{
    const std::string_view name = shape.GetName();
    const StrokePoint& f = in[0];
    const StrokePoint& l = in[static_cast<std::size_t>(in.GetCount() - 1)];
    if (name == "Line") {
        out.Add(f.x, f.y);
        out.Add(l.x, l.y);
    } else if (name == "Triangle") {
        const auto* triangle = dynamic_cast<const CTriangleShape*>(&shape);
        if (triangle == nullptr) {
            return false;
        }
        if (Distance(f.x, f.y, l.x, l.y) >= kOpenTriangleGap) {
            WriteOpenTriangle(*triangle, in, out);
        } else {
            WriteClosed(triangle->Corners(), out);
        }
    } else if (name == "Rectangle") {
        const auto* rectangle = dynamic_cast<const CRectangleShape*>(&shape);
        if (rectangle == nullptr) {
            return false;
        }
        WriteClosed(rectangle->Corners(), out);
    } else if (name == "Diamond") {
        WriteDiamond(in, out);
    } else if (name == "Circle") {
        const auto* circle = dynamic_cast<const CCircleShape*>(&shape);
        if (circle == nullptr) {
            return false;
        }
        WriteCircle(*circle, out);
    } else if (name == "Ellipse") {
        const auto* ellipse = dynamic_cast<const CEllipseShape*>(&shape);
        if (ellipse == nullptr || ellipse->Outline() == nullptr) {
            return false;
        }
        for (const TimedPoint& p : ellipse->Outline()->Points()) {
            out.Add(p.x, p.y);
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace

TimedPoint OpenTriangleVertex(const std::array<TimedPoint, 3>& v, const StrokePoint& f,
                              const StrokePoint& l, const StrokePoint& none)
{
    for (int k = 0; k < 2; ++k) {
        if (Dist(f, v[k]) > kVertexNearEnd && Dist(l, v[k]) > kVertexNearEnd) {
            return v[k];
        }
    }
    const TimedPoint fallback{none.x, none.y, 0.0};
    if (!(Dist(f, v[2]) > kVertexNearEnd)) {
        return fallback;
    }
    if (Dist(l, v[2]) > kVertexNearEnd) {
        return v[2];
    }
    return fallback;
}

TimedPoint OpenTriangleVertex(const std::array<TimedPoint, 3>& v, const StrokePoint& f,
                              const StrokePoint& l)
{
    return OpenTriangleVertex(v, f, l, f);
}

bool CStrokeAnalyzer::RecognizeShape(const CPointArray& in, CPointArray& out) const
{
    return RecognizeShape(in, out, nullptr);
}

bool CStrokeAnalyzer::RecognizeShape(const CPointArray& in, CPointArray& out,
                                     ShapeReport* report) const
{
    if (report != nullptr) {
        *report = ShapeReport{};
    }
    if (in.GetCount() < 2) {
        return false;
    }
    // Declared first so that it outlives both groups that refer to it.
    CStroke stroke;
    for (const StrokePoint& p : in) {
        stroke.AddPoint(p.x, p.y, 0);
    }
    CShapeRecognizer recognizer(0.0);
    CShape* shape = nullptr;
    {
        CStrokeGroup group;
        group.AddStroke(&stroke);
        shape = recognizer.Recognize(group);
        if (report != nullptr) {
            for (const auto& candidate : recognizer.Shapes()) {
                report->firstPass.push_back(
                    {std::string(candidate->GetName()), candidate->GetDegree()});
            }
        }
        if (shape != nullptr) {
            const bool written = WriteShape(*shape, in, out);
            if (written && report != nullptr) {
                report->shape = std::string(shape->GetName());
            }
            return written;
        }
    }

    // Nothing fits the stroke as drawn: join its end to its start. A V or an
    // L that no candidate accepts while open is then a triangle, and is
    // written as the open path through its corner.
    const StrokePoint& f = in[0];
    stroke.AddPoint(f.x, f.y, 0);
    CStrokeGroup closed;
    closed.AddStroke(&stroke);
    shape = recognizer.Recognize(closed);
    const auto* triangle = dynamic_cast<const CTriangleShape*>(shape);
    if (triangle == nullptr || shape->GetName() != "Triangle") {
        return false;
    }
    WriteOpenTriangle(*triangle, in, out);
    if (report != nullptr) {
        report->shape = std::string(shape->GetName());
    }
    return true;
}
