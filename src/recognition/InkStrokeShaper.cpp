#include "recognition/InkBands.h"
#include "recognition/InkStrokeShaper.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "geometry/DiagLog.h"
#include "geometry/PointHelpers.h"
#include "recognition/StrokeAnalyzer.h"

namespace {

using ink::Deg;

// k degrees in radians, from pi taken as 3.1415926 like every other angle
// threshold of the recognisers.

// The largest bounding box, in pixels each way, that is still a dot.
constexpr int kDotSize = 25;

// One row of the detector table: tried in order on the whole stroke, the
// first that holds gives the class, turning at the listed result points.
struct DetectorRow {
    bool (CStrokeAnalyzer::*match)(const CPointArray&, int, int, CPointArray&) const;
    const char* label;
    int cornerCount;  // out[1] ... out[cornerCount]
};

const DetectorRow kDetectorTable[] = {
    {&CStrokeAnalyzer::MatchTurnHook, "习", 2},
    {&CStrokeAnalyzer::MatchTurnFall, "横撇折", 1},
    {&CStrokeAnalyzer::MatchTurnTurn, "这", 2},
    {&CStrokeAnalyzer::MatchCornerRise, "语", 2},
    {&CStrokeAnalyzer::MatchFallCurve, "撇", 0},
    {&CStrokeAnalyzer::MatchPressCurve, "捺2", 0},
    {&CStrokeAnalyzer::MatchZigzag, "船", 2},
    {&CStrokeAnalyzer::MatchStepBendHook, "九", 3},
    {&CStrokeAnalyzer::MatchDownTurnHook, "与", 3},
    {&CStrokeAnalyzer::MatchBendHook, "礼", 2},
    {&CStrokeAnalyzer::MatchSlantHook, "斜钩", 1},
    {&CStrokeAnalyzer::MatchBentHook, "弯钩", 1},
    {&CStrokeAnalyzer::MatchLeftCorner, "水2", 2},
};

std::vector<const StrokePoint*> Corners(const CPointArray& out, int count)
{
    std::vector<const StrokePoint*> corners;
    for (int i = 1; i <= count && i < out.GetCount(); ++i) {
        corners.push_back(&out[static_cast<std::size_t>(i)]);
    }
    return corners;
}

}  // namespace

std::string InkShapeResult::ClassName() const
{
    const std::size_t colon = label.find(" : ");
    return colon == std::string::npos ? label : label.substr(0, colon);
}

CInkStrokeShaper::CInkStrokeShaper(const Stroke& stroke, Hooks hooks)
    : m_points(*stroke.points),
      m_width(stroke.width),
      m_bounds(stroke.bounds),
      m_tool(stroke.tool),
      m_hooks(std::move(hooks))
{
}

InkShapeResult CInkStrokeShaper::ShapeInkStroke()
{
    m_result = InkShapeResult{};
    m_committed = false;
    if (ShapeDot()) {
        return m_result;
    }
    const CStrokeAnalyzer analyzer;
    CPointArray out;
    const int n = m_points.GetCount();

    bool shaped = false;
    bool tryTable = true;
    if (analyzer.MatchStraight(m_points, 0, n, out)) {
        shaped = ShapeStraight(out);
        tryTable = !shaped;
    } else if (analyzer.MatchCorner(m_points, 0, n, out)) {
        shaped = ShapeBent(out);
        tryTable = !shaped;
    }
    if (tryTable) {
        for (const DetectorRow& row : kDetectorTable) {
            out.RemoveAll();
            if ((analyzer.*row.match)(m_points, 0, n, out)) {
                ApplyClass(row.label, Corners(out, row.cornerCount));
                shaped = true;
                break;
            }
        }
    }
    if (!shaped) {
        // No class: the stroke goes on with the widths it was drawn with.
        CommitShaped();
    }
    return m_result;
}

bool CInkStrokeShaper::ShapeDot()
{
    if (m_bounds.maxX - m_bounds.minX > kDotSize || m_bounds.maxY - m_bounds.minY > kDotSize) {
        return false;
    }
    if (m_hooks.setFinished) {
        m_hooks.setFinished();
    }
    CommitShaped();
    DiagLog("%s", "点");
    m_result.label = "点";
    return true;
}

bool CInkStrokeShaper::ShapeStraight(const CPointArray& out)
{
    const double d = Angle(out[0], out[1]);
    const char* label = nullptr;
    if (d < Deg(30) || d > Deg(345)) {
        label = "横";
    } else if (Deg(30) < d && d < Deg(90)) {
        label = "提";
    } else if (std::abs(d - Deg(270)) < Deg(15)) {
        label = "竖";
    } else if (Deg(180) < d && d < Deg(270)) {
        label = "撇";
    } else if (d > Deg(270)) {
        label = "捺2";
    } else {
        return false;
    }
    ApplyClass(label, {});
    return true;
}

bool CInkStrokeShaper::ShapeBent(const CPointArray& out)
{
    const StrokePoint& p = out[0];
    const StrokePoint& v = out[1];
    const StrokePoint& q = out[2];
    const double dAll = Angle(p, q);
    const double t = TurnAngle(p, v, q);
    const double d1 = Angle(p, v);
    const double d2 = Angle(v, q);
    const int n = m_points.GetCount();
    const CStrokeAnalyzer analyzer;

    if (d1 < Deg(30) || d1 > Deg(330)) {
        CPointArray hook;
        if (analyzer.MatchTurnHook(m_points, 0, n, hook)) {
            ApplyClass("习", Corners(hook, 2));
            return true;
        }
        if (Deg(60) < t && t < Deg(105)) {
            ApplyClass("横折", {&v});
            return true;
        }
        if (0 < t && t < Deg(60)) {
            ApplyClass("横钩", {&v});
            return true;
        }
    }
    if (Deg(195) < d1 && d1 < Deg(255)) {
        if (Deg(135) < t && t < Deg(180) && Deg(180) < dAll && dAll < Deg(270)) {
            ApplyClass("撇", {});
            return true;
        }
        CPointArray corner;
        if (analyzer.MatchLeftCorner(m_points, 0, n, corner)) {
            ApplyClass("水2", Corners(corner, 2));
        } else if (Deg(15) < d2 && d2 < Deg(90)) {
            ApplyClass("级", {&v});
        } else if (t > Deg(270) && (d2 < Deg(15) || d2 > Deg(345))) {
            ApplyClass("车", {&v});
        } else {
            ApplyClass("水", {&v});
        }
        return true;
    }
    if (Deg(255) <= d1 && d1 < Deg(285)) {
        if (Deg(90) < d2 && d2 < Deg(165)) {
            ApplyClass("竖钩", {&v});
        } else if (Deg(30) < d2 && d2 < Deg(75)) {
            ApplyClass("竖提", {&v});
        } else if (d2 < Deg(15) || d2 > Deg(345)) {
            ApplyClass("山", {&v});
        } else {
            return false;
        }
        return true;
    }
    if (d1 >= Deg(285)) {
        ApplyClass("捺", {&v});
        return true;
    }
    return false;
}

void CInkStrokeShaper::ApplyClass(const char* label,
                                  const std::vector<const StrokePoint*>& corners)
{
    if (m_hooks.setFinished) {
        m_hooks.setFinished();
    }
    std::vector<int> k;
    for (const StrokePoint* corner : corners) {
        k.push_back(NearestPointIndex(corner->x, corner->y));
    }
    std::string name = label;
    WriteProfile(name, k, corners);
    if (name == "与" && k.size() == 3) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "与 : %d, %d, %d", k[0], k[1], k[2]);
        name = buffer;
    }
    CommitShaped();
    DiagLog("%s", name.c_str());
    m_result.label = name;
    m_result.corners = k;
}

void CInkStrokeShaper::CommitShaped()
{
    // Exactly one commit per stroke, whatever path the cascade took.
    if (m_committed) {
        return;
    }
    m_committed = true;
    if (m_hooks.commit) {
        m_hooks.commit();
    }
}
