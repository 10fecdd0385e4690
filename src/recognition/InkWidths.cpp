// The calligraphic width profiles of the ink stroke shaper: which profile
// each stroke class gets, and the three profile shapes it is built from.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "geometry/PointHelpers.h"
#include "recognition/InkBands.h"
#include "recognition/InkStrokeShaper.h"

namespace {

using ink::Deg;


// The golden section and its complement, where tapers and bends peak.
constexpr double kGolden = 0.618;
constexpr double kGoldenMinor = 0.382;

// The thinnest width a profile aims for in its middle.
constexpr double kMinPeak = 2;

}  // namespace

double CInkStrokeShaper::SumLengths(int a, int b) const
{
    double total = 0;
    for (int i = a + 1; i < b; ++i) {
        total += m_points[static_cast<std::size_t>(i)].length;
    }
    return total;
}

int CInkStrokeShaper::NearestPointIndex(int x, int y) const
{
    int best = 0;
    double bestSq = std::numeric_limits<double>::infinity();
    for (int i = 0; i < m_points.GetCount(); ++i) {
        const StrokePoint& p = m_points[static_cast<std::size_t>(i)];
        const double sq = DistanceSq(p.x, p.y, x, y);
        if (sq < bestSq) {
            bestSq = sq;
            best = i;
        }
    }
    return best;
}

void CInkStrokeShaper::SetWidth(int i, double width)
{
    if (i < 0 || i >= m_points.GetCount()) {
        return;
    }
    // Truncated toward zero. Every profile gives a finite, non-negative
    // width; anything else would be a bug upstream and is drawn thinnest.
    const double w = std::isfinite(width) && width > 0 ? width : 0;
    m_points[static_cast<std::size_t>(i)].time = static_cast<std::uint32_t>(w);
}

void CInkStrokeShaper::LinearWidths(int a, int b, double w0, double w1)
{
    SetWidth(a, w0);
    const double total = SumLengths(a, b);
    double pos = 0;
    for (int i = a + 1; i < b; ++i) {
        pos += m_points[static_cast<std::size_t>(i)].length;
        // Points that repeat one position have no length to spread the
        // change over: they keep the start width.
        SetWidth(i, total > 0 ? (w0 * (total - pos) + w1 * pos) / total : w0);
    }
}

void CInkStrokeShaper::PeakWidths(int a, int b, double w0, double wm, double w1, double f)
{
    const double total = SumLengths(a, b);
    const double h = std::max(total * f, 1.0);
    const double g = std::max(total - h, 1.0);
    const double m = std::max(wm, kMinPeak);
    SetWidth(a, w0);
    double pos = 0;
    for (int i = a + 1; i < b; ++i) {
        pos += m_points[static_cast<std::size_t>(i)].length;
        if (pos >= h) {
            SetWidth(i, (m * (g - (pos - h)) + w1 * (pos - h)) / g);
        } else {
            SetWidth(i, (w0 * (h - pos) + pos * m) / h);
        }
    }
}

void CInkStrokeShaper::TaperWidths(int a, int b, double w0, double w1)
{
    PeakWidths(a, b, w0, w0 * 0.5, w1, kGolden);
}

void CInkStrokeShaper::WriteProfile(const std::string& name, const std::vector<int>& k,
                                    const std::vector<const StrokePoint*>& corners)
{
    const int n = m_points.GetCount();
    const double w = m_width;
    const double half = m_width / 2;
    const double quarter = m_width / 4;
    const auto corner = [&k](std::size_t i) { return i < k.size() ? k[i] : 0; };
    const int k1 = corner(0);
    const int k2 = corner(1);
    const int k3 = corner(2);

    if (name == "横") {
        TaperWidths(0, n, w, w);
    } else if (name == "提") {
        LinearWidths(0, n, w, quarter);
    } else if (name == "竖") {
        TaperWidths(0, n, 1.3 * w, 1.2 * w);
    } else if (name == "撇") {
        LinearWidths(0, n, 1.2 * w, quarter);
    } else if (name == "捺2") {
        const double s = IsWritingBrushTool() ? 1.5 : 1;
        PeakWidths(0, n, s * w, 1.2 * w, 2, 0.8);
    } else if (name == "捺") {
        double e = 1;
        if (IsWritingBrushTool() && !corners.empty()) {
            const double d = Angle(m_points[0].x, m_points[0].y, corners[0]->x, corners[0]->y);
            e = Deg(270) < d && d < Deg(330) ? 1.8 : 1.2;
        }
        PeakWidths(0, k1, e * w, e * w * 0.5, 1.2 * w, 0.5);
        LinearWidths(k1, n, 1.1 * w, 2);
    } else if (name == "斜钩") {
        PeakWidths(0, k1, w, 0.5 * w, 1.1 * w, 0.5);
        LinearWidths(k1, n, 1.1 * w, quarter);
    } else if (name == "弯钩") {
        PeakWidths(0, k1, w, 0.5 * w, w, kGoldenMinor);
        LinearWidths(k1, n, w, quarter);
    } else if (name == "竖钩" || name == "竖提") {
        TaperWidths(0, k1, 1.2 * w, w);
        LinearWidths(k1, n, w, quarter);
    } else if (name == "礼") {
        TaperWidths(0, k1, 1.2 * w, w);
        PeakWidths(k1, k2, w, 0.5 * w, w, kGolden);
        LinearWidths(k2, n, w, quarter);
    } else if (name == "山") {
        TaperWidths(0, k1, w, w);
        TaperWidths(k1, n, w, w);
    } else if (name == "横折" || name == "车") {
        LinearWidths(0, k1, w, half);
        TaperWidths(k1, n, w, w);
    } else if (name == "横钩" || name == "横撇折" || name == "级") {
        LinearWidths(0, k1, w, half);
        LinearWidths(k1, n, w, 2);
    } else if (name == "水") {
        LinearWidths(0, k1, w, half);
        PeakWidths(k1, n, half, 1.2 * w, 2, kGolden);
    } else if (name == "水2") {
        LinearWidths(0, k1, w, half);
        LinearWidths(k1, k2, half, w);
        LinearWidths(k2, n, w, 2);
    } else if (name == "船") {
        TaperWidths(0, k1, w, w);
        LinearWidths(k1, k2, w, half);
        LinearWidths(k2, n, half, w);
    } else if (name == "九" || name == "与") {
        TaperWidths(0, k1, w, w);
        TaperWidths(k1, k2, w, w);
        TaperWidths(k2, k3, w, w);
        LinearWidths(k3, n, w, quarter);
    } else if (name == "习" || name == "语") {
        TaperWidths(0, k1, w, w);
        TaperWidths(k1, k2, w, w);
        LinearWidths(k2, n, w, quarter);
    } else if (name == "这") {
        TaperWidths(0, k1, w, w);
        TaperWidths(k1, k2, w, w);
        LinearWidths(k2, n, w, 2);
    }
}
