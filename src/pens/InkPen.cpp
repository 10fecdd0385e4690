#include "pens/InkPen.h"

#include "geometry/PointHelpers.h"
#include "geometry/TickCount.h"
#include "gfx/Surface.h"
#include "tracing/Outline.h"

#include <algorithm>
#include <cmath>
#include <limits>

CInkPen::CInkPen(int width, COLORREF color) : CPenTool(width, color)
{
    m_brush = MakeBrush();
}

CInkPen::CInkPen(int width, COLORREF c0, COLORREF c1, COLORREF c2) : CPenTool(width, c0, c1, c2)
{
    BuildMulticolorTexture();
    m_brush = MakeBrush();
}

CInkPen::~CInkPen() = default;

int CInkPen::WidthFromHistory() const
{
    const int w = static_cast<int>(m_width * m_history.MeanFactor());
    return w < 2 ? 2 : w;
}

int CInkPen::GetPointWidth(int i) const
{
    return static_cast<int>(m_points.At(static_cast<std::size_t>(i)).time);
}

void CInkPen::FinishStroke()
{
    ComputeStats();
    if (m_finished != 0) {
        return;
    }
    m_history.Clear();
    for (int i = 0; i < m_points.GetCount(); ++i) {
        StrokePoint& p = m_points[static_cast<std::size_t>(i)];
        m_history.AddSample(p.x, p.y, p.time, m_speedScale);
        p.time = static_cast<std::uint32_t>(i == 0 ? m_width : WidthFromHistory());
    }
    m_finished = 1;
    ForgetDrawnExtent();
}

void CInkPen::BeginStroke(CSurface& surface, int x, int y)
{
    StartStroke(surface, x, y, GetTickCount());
}

void CInkPen::BeginStroke(CSurface& surface, int x, int y, std::uint32_t tick)
{
    StartStroke(surface, x, y, tick);
}

void CInkPen::StartStroke(CSurface& /*surface*/, int x, int y, std::uint32_t tick)
{
    // Nothing is painted at the press; the drawing context of each move is
    // opened on the surface that move is given.
    m_lastX = x;
    m_lastY = y;
    m_endWidth = m_width;
    m_history.Clear();
    m_history.AddSample(x, y, tick, m_speedScale);
}

void CInkPen::ContinueStroke(CSurface& surface, int x, int y)
{
    std::uint32_t tick = 0;
    if (!m_points.IsEmpty() && m_points.Points().back().x == x &&
        m_points.Points().back().y == y) {
        tick = m_points.Points().back().time;
    } else {
        tick = GetTickCount();
    }
    m_history.AddSample(x, y, tick, m_speedScale);

    const SpeedSample& from = m_history.BeforeLast();
    m_segStartX = from.x;
    m_segStartY = from.y;
    m_segLength = static_cast<int>(Distance(from.x, from.y, x, y));
    if (m_segLength == 0) {
        m_segLength = 1;
    }
    m_startWidth = m_endWidth;
    m_endWidth = WidthFromHistory();

    OpenGraphics(surface, m_brush, true);
    DrawSegment(m_lastX, m_lastY, x, y);
    CloseGraphics(surface);
    m_lastX = x;
    m_lastY = y;
}

void CInkPen::DrawRange(CSurface& surface, int first, int last)
{
    DrawRangeWith(surface, first, last, m_brush, true);
}

void CInkPen::DrawRangeWith(CSurface& surface, int first, int last, const QBrush& brush,
                            bool antialias)
{
    first = std::max(first, 0);
    last = std::min(last, m_points.GetCount());
    if (first >= last) {
        return;
    }
    OpenGraphics(surface, brush, antialias);
    m_endWidth = GetPointWidth(first);
    for (int i = first + 1; i < last; ++i) {
        const StrokePoint& from = m_points[static_cast<std::size_t>(i - 1)];
        const StrokePoint& to = m_points[static_cast<std::size_t>(i)];
        m_segLength = SegmentLength(to);
        m_segStartX = from.x;
        m_segStartY = from.y;
        m_startWidth = m_endWidth;
        m_endWidth = std::max(GetPointWidth(i), 2);
        if (SegmentReachesTarget(from, to)) {
            DrawSegment(from.x, from.y, to.x, to.y);
        }
    }
    CloseGraphics(surface);
}

int CInkPen::SegmentLength(const StrokePoint& to)
{
    // The stored length is the squared distance, so within a segment the
    // width stays near its start width and changes in steps at the points;
    // live drawing interpolates over the true distance instead.
    const int length = to.length < static_cast<double>(std::numeric_limits<int>::max())
                           ? static_cast<int>(to.length)
                           : std::numeric_limits<int>::max();
    return length <= 0 ? 1 : length;
}

namespace {
// The dab width at the far end of the walk from `from` to `to`: within a
// segment the width moves linearly with the distance d from its start, from
// `start` at d = 0 to `end` at d = `length`, and the walk's pixels have d
// below the segment's true length.
double FarWidth(const StrokePoint& from, const StrokePoint& to, double length, double start,
                double end)
{
    const double walked = std::ceil(Distance(from.x, from.y, to.x, to.y));
    return ((length - walked) * start + walked * end) / length;
}

// Pixels a dab reach can add to a coordinate, kept far from int overflow.
int ReachPixels(double reach)
{
    constexpr double kFar = 1 << 28;
    return static_cast<int>(std::ceil(std::clamp(reach, 0.0, kFar)));
}

// The box of every contour point, grown by the fringe (null without points).
// The smooth path's curves stay in the hull of the contour's vertices.
QRect OutlineExtent(const COutline& outline)
{
    QRect box;
    for (int c = 0; c < outline.GetCount(); ++c) {
        if (outline.At(c).GetCount() >= 2) {
            box |= drawn_extent::PointsBox(outline.At(c));
        }
    }
    constexpr int f = drawn_extent::kFringe;
    return box.isNull() ? QRect() : box.adjusted(-f, -f, f, f);
}
}  // namespace

QRect CInkPen::MeasureDrawnExtent() const
{
    if (m_outline) {
        return OutlineExtent(*m_outline);
    }
    const int n = m_points.GetCount();
    if (n < 2) {
        return {};
    }
    // A segment's widest and narrowest dabs lie at the ends of its walk.
    double lowest = 0.0;
    double highest = 0.0;
    double start = GetPointWidth(0);
    for (int i = 1; i < n; ++i) {
        const StrokePoint& from = m_points[static_cast<std::size_t>(i - 1)];
        const StrokePoint& to = m_points[static_cast<std::size_t>(i)];
        const double end = std::max(GetPointWidth(i), 2);
        const double far = FarWidth(from, to, SegmentLength(to), start, end);
        lowest = std::min({lowest, start, far});
        highest = std::max({highest, start, far});
        start = end;
    }
    const QRect box = drawn_extent::PointsBox(m_points);
    constexpr int f = drawn_extent::kFringe;
    const int back = ReachPixels(DabReach(-lowest)) + f;
    const int ahead = ReachPixels(DabReach(highest)) + f;
    return box.adjusted(-back, -back, ahead, ahead);
}

std::vector<QRect> CInkPen::MeasurePieceRects() const
{
    if (!m_outline) {
        return CPenTool::MeasurePieceRects();
    }
    std::vector<QRect> pieces;
    constexpr int f = drawn_extent::kFringe;
    for (int c = 0; c < m_outline->GetCount(); ++c) {
        if (m_outline->At(c).GetCount() >= 2) {
            pieces.push_back(drawn_extent::PointsBox(m_outline->At(c)).adjusted(-f, -f, f, f));
        }
    }
    return pieces;
}

void CInkPen::Draw(CSurface& surface, int /*originX*/, int /*originY*/)
{
    if (m_outline) {
        FillOutline(surface, m_brush);
    } else {
        DrawRange(surface, 0, m_points.GetCount());
    }
}

void CInkPen::OpenGraphics(CSurface& surface, const QBrush& brush, bool antialias)
{
    m_painted = QRect();
    if (surface.Image().isNull()) {
        return;  // nothing to paint on: the dabs paint nothing
    }
    m_target = &surface;
    // The dab painter takes the image's pixels before the painter opens on
    // them, so both paint the same pixels.
    if (antialias) {
        auto dabs = std::make_unique<CDabPainter>(surface.Image(), surface.PaintClip(), brush);
        if (dabs->IsReady()) {
            m_dabs = std::move(dabs);
        }
    }
    m_graphics = std::make_unique<QPainter>(&surface.Image());
    surface.ApplyPaintClip(*m_graphics);
    m_graphics->setRenderHint(QPainter::Antialiasing, antialias);
    m_graphics->setPen(Qt::NoPen);
    m_graphics->setBrush(brush);
}

void CInkPen::CloseGraphics(CSurface& surface)
{
    m_graphics.reset();
    m_dabs.reset();
    m_target = nullptr;
    if (!m_painted.isNull()) {
        surface.AddDirty(m_painted & surface.Rect());
    }
}

bool CInkPen::DabOffSurface(int x, int y, double width) const
{
    // A dab paints right and down of its pixel, or left and up when a
    // negative width flips it; antialiasing adds a pixel or two.
    const double reach = DabReach(std::abs(width)) + 2.0;
    const QRect rect = m_target->Rect();
    if (x + reach < rect.left() || x - reach > rect.right() || y + reach < rect.top() ||
        y - reach > rect.bottom()) {
        return true;
    }
    if (m_target->PaintClip() == nullptr) {
        return false;
    }
    const int r = static_cast<int>(std::ceil(std::min(reach, 1e8)));
    return !m_target->ClipReaches(QRect(QPoint(x - r, y - r), QPoint(x + r, y + r)));
}

bool CInkPen::SegmentReachesTarget(const StrokePoint& from, const StrokePoint& to) const
{
    if (m_target == nullptr) {
        return false;  // nothing is painted: no dab needs its walk
    }
    // The widest dab lies at one end of the walk.
    const double far = FarWidth(from, to, m_segLength, m_startWidth, m_endWidth);
    const double reach = DabReach(std::max(std::abs(static_cast<double>(m_startWidth)), std::abs(far))) + 2.0;
    const int r = ReachPixels(reach);
    const QRect box = QRect(QPoint(std::min(from.x, to.x), std::min(from.y, to.y)),
                            QPoint(std::max(from.x, to.x), std::max(from.y, to.y)))
                          .adjusted(-r, -r, r, r);
    return box.intersects(m_target->Rect()) && m_target->ClipReaches(box);
}

void CInkPen::AddDabBounds(const QRectF& bounds)
{
    // One pixel more on every side for the antialiased edge.
    m_painted |= bounds.toAlignedRect().adjusted(-1, -1, 1, 1);
}
