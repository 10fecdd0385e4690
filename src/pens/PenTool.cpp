#include "pens/PenTool.h"

#include "geometry/PixelWalk.h"
#include "geometry/PointHelpers.h"
#include "geometry/TickCount.h"
#include "gfx/Surface.h"
#include "tracing/Outline.h"

#include <algorithm>
#include <cmath>

CPenTool::CPenTool(int width, COLORREF c0, COLORREF c1, COLORREF c2)
    : m_width(width), m_colors{c0, c1, c2}
{
}

CPenTool::~CPenTool() = default;

void CPenTool::Draw(CSurface& /*surface*/, int /*originX*/, int /*originY*/) {}
void CPenTool::BeginStroke(CSurface& /*surface*/, int /*x*/, int /*y*/) {}
void CPenTool::ContinueStroke(CSurface& /*surface*/, int /*x*/, int /*y*/) {}

void CPenTool::DrawSegment(int x1, int y1, int x2, int y2)
{
    WalkPixelLine(x1, y1, x2, y2, [this](int x, int y) { Plot(x, y); });
}

void CPenTool::Plot(int /*x*/, int /*y*/) {}

void CPenTool::FinishStroke()
{
    ComputeStats();
}

void CPenTool::DrawRange(CSurface& /*surface*/, int /*first*/, int /*last*/) {}

void CPenTool::AddPoint(int x, int y)
{
    AddPoint(x, y, GetTickCount());
}

void CPenTool::AddPoint(int x, int y, std::uint32_t tick)
{
    m_hitBoxValid = false;
    m_extentValid = false;
    m_piecesValid = false;
    ++m_pointsVersion;
    m_points.Add(x, y, tick, 0);
}

namespace {
bool PtInRect(int x, int y, int left, int top, int right, int bottom)
{
    return x >= left && x < right && y >= top && y < bottom;
}

bool SegmentHitsRect(const StrokePoint& p, const StrokePoint& q, int left, int top, int right,
                     int bottom)
{
    if (PtInRect(p.x, p.y, left, top, right, bottom) ||
        PtInRect(q.x, q.y, left, top, right, bottom)) {
        return true;
    }
    // Every pixel of the walk lies in the segment's box: skip the walk when
    // that box misses the rectangle.
    if (std::max(p.x, q.x) < left || std::min(p.x, q.x) >= right || std::max(p.y, q.y) < top ||
        std::min(p.y, q.y) >= bottom) {
        return false;
    }
    return WalkPixelLine(p.x, p.y, q.x, q.y, [&](int x, int y) {
        return PtInRect(x, y, left, top, right, bottom);
    });
}
}  // namespace

bool CPenTool::HitTest(int left, int top, int right, int bottom) const
{
    const std::vector<StrokePoint>& pts = m_points.Points();
    if (pts.size() < 2) {
        return true;
    }
    // The stroke's box first: far from the stroke no segment needs a look.
    if (!m_hitBoxValid) {
        StrokeRect box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
        for (const StrokePoint& p : pts) {
            box.left = std::min(box.left, p.x);
            box.right = std::max(box.right, p.x);
            box.top = std::min(box.top, p.y);
            box.bottom = std::max(box.bottom, p.y);
        }
        m_hitBox = box;
        m_hitBoxValid = true;
    }
    if (m_hitBox.right < left || m_hitBox.left >= right || m_hitBox.bottom < top ||
        m_hitBox.top >= bottom) {
        return false;
    }
    for (std::size_t i = 1; i < pts.size(); ++i) {
        if (SegmentHitsRect(pts[i - 1], pts[i], left, top, right, bottom)) {
            return true;
        }
    }
    return false;
}

void CPenTool::ComputeStats()
{
    m_extentValid = false;
    m_piecesValid = false;
    m_totalLength = 0.0;
    if (m_points.IsEmpty()) {
        m_bounds = StrokeRect{};
        return;
    }
    const StrokePoint& first = m_points[0];
    m_bounds = StrokeRect{first.x, first.y, first.x, first.y};
    for (int i = 1; i < m_points.GetCount(); ++i) {
        const StrokePoint& p = m_points[static_cast<std::size_t>(i - 1)];
        StrokePoint& q = m_points[static_cast<std::size_t>(i)];
        q.length = DistanceSq(p, q);
        q.angle = Angle(p, q);
        m_totalLength += q.length;
        m_bounds.left = std::min(m_bounds.left, q.x);
        m_bounds.top = std::min(m_bounds.top, q.y);
        m_bounds.right = std::max(m_bounds.right, q.x);
        m_bounds.bottom = std::max(m_bounds.bottom, q.y);
    }
}

QRect CPenTool::DrawnExtent() const
{
    if (!m_extentValid) {
        m_extent = MeasureDrawnExtent();
        m_extentValid = true;
    }
    return m_extent;
}

QRect CPenTool::MeasureDrawnExtent() const
{
    return drawn_extent::Everything();
}

const std::vector<QRect>& CPenTool::PieceRects() const
{
    if (!m_piecesValid) {
        m_pieces = MeasurePieceRects();
        m_piecesValid = true;
    }
    return m_pieces;
}

bool CPenTool::Reaches(std::span<const QRect> area) const
{
    if (!RectsMeet(area, DrawnExtent())) {
        return false;
    }
    const std::vector<QRect>& pieces = PieceRects();
    return std::any_of(pieces.begin(), pieces.end(),
                       [&area](const QRect& r) { return RectsMeet(area, r); });
}

// Every pixel a stroke paints comes from a segment of its points or, for
// the smoothed line, from a piece shaped by a point and its two neighbours;
// each run takes one point more on either side, so every such neighbourhood
// lies wholly inside some run, and the margins that hold the whole stroke
// round the box of all points hold each run round its own box.
std::vector<QRect> CPenTool::MeasurePieceRects() const
{
    const QRect extent = DrawnExtent();
    const int n = m_points.GetCount();
    if (extent.isEmpty() || n < 2 || extent == drawn_extent::Everything()) {
        return extent.isEmpty() ? std::vector<QRect>{} : std::vector<QRect>{extent};
    }
    const QRect box = drawn_extent::PointsBox(m_points);
    const int left = box.left() - extent.left();
    const int top = box.top() - extent.top();
    const int right = extent.right() - box.right();
    const int bottom = extent.bottom() - box.bottom();
    std::vector<QRect> pieces;
    constexpr int k = drawn_extent::kRunSegments;
    for (int first = 0; first < n - 1; first += k) {
        const QRect run = drawn_extent::PointsBox(m_points, std::max(first - 1, 0),
                                                  std::min(first + k + 1, n - 1));
        pieces.push_back(run.adjusted(-left, -top, right, bottom));
    }
    return pieces;
}

namespace drawn_extent {
QRect PointsBox(const CPointArray& points)
{
    return points.IsEmpty() ? QRect() : PointsBox(points, 0, points.GetCount() - 1);
}

QRect PointsBox(const CPointArray& points, int first, int last)
{
    const StrokePoint& p0 = points[static_cast<std::size_t>(first)];
    int left = p0.x;
    int right = left;
    int top = p0.y;
    int bottom = top;
    for (int i = first + 1; i <= last; ++i) {
        const StrokePoint& p = points[static_cast<std::size_t>(i)];
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect AroundLine(const QRect& box, double penWidth)
{
    // A zero-width pen still paints a one-pixel line.
    const int grow = static_cast<int>(std::ceil(std::max(penWidth, 1.0) / 2.0)) + kFringe;
    return box.adjusted(-grow, -grow, grow, grow);
}

QRect Everything()
{
    constexpr int kFar = 1 << 29;
    return QRect(QPoint(-kFar, -kFar), QPoint(kFar, kFar));
}
}  // namespace drawn_extent

QImage CPenTool::MakeMulticolorTile(COLORREF c0, COLORREF c1, COLORREF c2)
{
    constexpr int kTile = 180;
    std::array<QRgb, kTile> diagonal{};
    const std::array<std::pair<COLORREF, COLORREF>, 3> bands = {
        std::pair{c0, c1}, std::pair{c1, c2}, std::pair{c2, c0}};
    for (int s = 0; s < kTile; ++s) {
        const auto [from, to] = bands[static_cast<std::size_t>(s / 60)];
        const int k = s % 60;
        const auto mix = [k](int a, int b) { return a + (k * (b - a)) / 60; };
        diagonal[static_cast<std::size_t>(s)] =
            qRgb(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                 mix(GetBValue(from), GetBValue(to)));
    }
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    tile.fill(Qt::white);
    for (int y = 0; y < kTile; ++y) {
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 1; x < kTile; ++x) {
            line[x] = diagonal[static_cast<std::size_t>((x + y) % kTile)];
        }
    }
    return tile;
}

void CPenTool::BuildMulticolorTexture()
{
    m_texture = MakeMulticolorTile(m_colors[0], m_colors[1], m_colors[2]);
    m_textureTile = m_texture.copy(1, 1, 179, 179);
}

QBrush CPenTool::MakeBrush() const
{
    if (!m_textureTile.isNull()) {
        // A texture brush tiles from the painter's brush origin, which stays
        // at the surface origin: a pixel's colour depends only on where it is.
        return QBrush(m_textureTile);
    }
    return QBrush(ToQColor(m_colors[0]));
}

QPen CPenTool::MakePen(double width) const
{
    return QPen(MakeBrush(), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
