#include "pens/SmoothPen.h"

#include "gfx/Surface.h"
#include "pens/DabPainter.h"
#include "pens/KeptDrawing.h"
#include "pens/PenPaint.h"
#include "pens/SmoothPieces.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// A long stroke is drawn as a series of short paths: the rasteriser's cost
// for one path grows faster than its length once the path spans a large,
// self-crossing area, while the round caps of consecutive short paths
// overlap exactly where a round join would be. Paths end after every
// kPiecesPerPath-th piece of the whole line. A path is drawn whole or not at
// all: pixels where two pieces of one path overlap are blended once, so
// cutting a path anywhere else would change them.
constexpr int kPiecesPerPath = 16;

// The painter's whole device, in the painter's own coordinates.
QRectF DeviceArea(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const QRectF deviceRect(0, 0, device->width(), device->height());
    return painter.worldTransform().inverted().mapRect(deviceRect);
}

// The part of the painter's device that drawing can change, in the
// painter's own coordinates.
QRectF VisibleArea(const QPainter& painter)
{
    return painter.hasClipping() ? painter.clipBoundingRect() : DeviceArea(painter);
}

// Cuts the line a..b to `r` (Liang-Barsky); false when none of it is in r.
bool CutLineToRect(QPointF& a, QPointF& b, const QRectF& r)
{
    const QPointF d = b - a;
    double t0 = 0.0;
    double t1 = 1.0;
    const auto clip = [&](double p, double q) {
        if (p == 0.0) {
            return q >= 0.0;
        }
        const double t = q / p;
        if (p < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        return t0 <= t1;
    };
    if (!clip(-d.x(), a.x() - r.left()) || !clip(d.x(), r.right() - a.x()) ||
        !clip(-d.y(), a.y() - r.top()) || !clip(d.y(), r.bottom() - a.y())) {
        return false;
    }
    const QPointF from = a;
    if (t1 < 1.0) {
        b = from + t1 * d;
    }
    if (t0 > 0.0) {
        a = from + t0 * d;
    }
    return true;
}

// Adds the line a..b cut to `keep`, starting a subpath where the path does
// not already stand at the line's kept start.
void AddCutLine(QPainterPath& path, QPointF a, QPointF b, const QRectF& keep)
{
    if (!CutLineToRect(a, b, keep)) {
        return;
    }
    if (path.currentPosition() != a) {
        path.moveTo(a);
    }
    path.lineTo(b);
}

// Adds the cubic as a chain of lines within a tenth of a pixel of it, each
// cut to `keep`. A cubic whose hull is large is halved first, and the halves
// whose hull misses `keep` are left out, so the work goes to what is kept.
void AddCutCubic(QPainterPath& path, const QPointF& a, const QPointF& c1, const QPointF& c2,
                 const QPointF& b, const QRectF& keep, int depth = 0)
{
    const QRectF hull = QRectF(a, b).normalized() | QRectF(c1, c2).normalized();
    if (!hull.adjusted(-1, -1, 1, 1).intersects(keep)) {
        return;
    }
    constexpr double kSmall = 256.0;
    if ((hull.width() > kSmall || hull.height() > kSmall) && depth < 48) {
        const QPointF ab = (a + c1) / 2.0;
        const QPointF bc = (c1 + c2) / 2.0;
        const QPointF cd = (c2 + b) / 2.0;
        const QPointF abc = (ab + bc) / 2.0;
        const QPointF bcd = (bc + cd) / 2.0;
        const QPointF mid = (abc + bcd) / 2.0;
        AddCutCubic(path, a, ab, abc, mid, keep, depth + 1);
        AddCutCubic(path, mid, bcd, cd, b, keep, depth + 1);
        return;
    }
    const int steps = CubicLineSteps(a, c1, c2, b);
    QPointF from = a;
    for (int i = 1; i <= steps; ++i) {
        const QPointF to = CubicAt(a, c1, c2, b, static_cast<double>(i) / steps);
        AddCutLine(path, from, to, keep);
        from = to;
    }
}

bool IsHuge(const SmoothPieces& pieces, int piece)
{
    constexpr int kHuge = 16384;
    const QRect box = pieces.Box(piece, piece);
    return box.width() > kHuge || box.height() > kHuge;
}

bool AnyHuge(const SmoothPieces& pieces, int first, int last)
{
    for (int k = first; k <= last; ++k) {
        if (IsHuge(pieces, k)) {
            return true;
        }
    }
    return false;
}

// Adds pieces first..last, which continue each other, to `path` as a
// subpath of their own. A piece larger than any screen (only far-off
// coordinates give one) is cut to `keep`, which holds everything the line
// can paint that matters: the rasteriser's work on a line grows with its
// length.
void AddPieces(QPainterPath& path, const SmoothPieces& pieces, int first, int last,
               const QRectF& keep)
{
    for (int k = first; k <= last; ++k) {
        const SmoothPiece piece = pieces.At(k);
        if (k == first || path.currentPosition() != QPointF(piece.a)) {
            path.moveTo(piece.a);
        }
        const bool huge = IsHuge(pieces, k);
        if (!piece.cubic) {
            if (huge) {
                AddCutLine(path, piece.a, piece.b, keep);
            } else {
                path.lineTo(piece.b);
            }
        } else if (huge) {
            AddCutCubic(path, piece.a, piece.c1, piece.c2, piece.b, keep);
        } else {
            path.cubicTo(piece.c1, piece.c2, piece.b);
        }
    }
}

}  // namespace

void SmoothPolyline(QPainter& painter, const QPen& pen, const CPointArray& points, int originX,
                    int originY, const SmoothLineOptions& options)
{
    const SmoothPieces pieces(points, originX, originY);
    const int count = pieces.Count();
    if (count == 0) {
        return;
    }
    // A path's pieces lie in the hull of its points, and the pen reaches
    // half its width (plus anti-aliasing fringe) beyond it.
    const int grow = static_cast<int>(std::ceil(pen.widthF() / 2.0)) + drawn_extent::kFringe;
    const QRectF visible = VisibleArea(painter);
    const QRectF device = DeviceArea(painter);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // Beyond the device by more than the pen's reach, a line paints nothing
    // that shows. (The device, not the clip: a clipped drawing must give the
    // pixels inside its clip that an unclipped one gives.)
    const QRectF keep = device.adjusted(-grow - 2, -grow - 2, grow + 2, grow + 2);
    const auto reaches = [&](int first, int last) {
        const QRect reach = pieces.Box(first, last).adjusted(-grow, -grow, grow, grow);
        return QRectF(reach).intersects(visible) &&
               (options.within.empty() || RectsMeet(options.within, reach));
    };
    // Without a clip or an area every piece of the device is wanted. A pen
    // of width 1 or less is drawn by the rasteriser's thin-line stroker,
    // which steps from pixel to pixel along each subpath and skips the
    // pixel two pieces share: cut into runs its pixels would move.
    const bool selective =
        (!options.within.empty() || painter.hasClipping()) && pen.widthF() > 1.0;
    const auto draw = [&](const QPainterPath& path) {
        if (options.drawPath) {
            options.drawPath(path);
        } else {
            painter.drawPath(path);
        }
    };
    const auto fill = [&](const CPathOutlines::Entry& entry) {
        if (options.fillOutline) {
            options.fillOutline(entry);
        } else {
            painter.fillPath(entry.outline, pen.brush());
        }
    };
    // The rasteriser's thin-line stroker does not go through the outline a
    // wide pen's stroke is filled from.
    CPathOutlines* const outlines = pen.widthF() > 1.0 ? options.outlines : nullptr;
    for (int first = 0; first < count; first += kPiecesPerPath) {
        const int last = std::min(first + kPiecesPerPath, count) - 1;
        if (!reaches(first, last)) {
            continue;
        }
        if (outlines != nullptr) {
            const int index = first / kPiecesPerPath;
            if (const CPathOutlines::Entry* kept = outlines->Find(index)) {
                fill(*kept);
                continue;
            }
            if (kept_drawing::HasRoom() && !AnyHuge(pieces, first, last)) {
                QPainterPath path;
                AddPieces(path, pieces, first, last, keep);
                CPathOutlines::Entry made;
                const CPathOutlines::Entry* kept = outlines->Make(index, path, pen, made);
                fill(kept != nullptr ? *kept : made);
                continue;
            }
        }
        if (!selective) {
            QPainterPath path;
            AddPieces(path, pieces, first, last, keep);
            draw(path);
            continue;
        }
        // The runs of pieces that reach the area, as subpaths of one path:
        // filled together, so where two runs overlap their edges are still
        // blended once, as in the whole path. A piece left out reaches no
        // pixel of the area, and neither does the cap a run gets where it
        // was left out (the cap stays within the left-out piece's reach), so
        // every point of the area is covered as often as by the whole path,
        // and the rasteriser gives each pixel there the same coverage.
        QPainterPath path;
        int run = -1;
        for (int k = first; k <= last + 1; ++k) {
            if (k <= last && reaches(k, k)) {
                run = run < 0 ? k : run;
            } else if (run >= 0) {
                AddPieces(path, pieces, run, k - 1, keep);
                run = -1;
            }
        }
        draw(path);
    }
}

CSmoothPen::CSmoothPen(int w, COLORREF c) : CPenTool(w, c) { m_gpPen = MakePen(w); }

CSmoothPen::CSmoothPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CPenTool(w, c0, c1, c2)
{
    BuildMulticolorTexture();
    m_gpPen = MakePen(w);
}

void CSmoothPen::Draw(CSurface& surface, int originX, int originY)
{
    m_outlines.Validate(QPoint(originX, originY), PointsVersion());
    SmoothLineOptions options{surface.PaintClipRects(), {}, &m_outlines, {}};
    // A texture is blended through each path's coverage, stroked in white
    // on a mask of the path's size: the raster engine's texture fill fetches
    // and blends span by span and costs several times a solid one. The dab
    // painter takes the surface's pixels before the painter opens.
    // (Lines of a pixel or less take the rasteriser's thin-line stroker,
    // which blends a texture a level apart from its fills.)
    std::optional<CDabPainter> textured;
    if (HasTexture() && m_gpPen.widthF() > 1.0) {
        textured.emplace(surface.Image(), surface.PaintClip(), m_gpPen.brush());
    }
    if (textured && textured->IsReady()) {
        options.drawPath = [&](const QPainterPath& path) { textured->PaintPath(path, &m_gpPen); };
        options.fillOutline = [&](const CPathOutlines::Entry& entry) {
            textured->PaintFilled(entry.outline, entry.reach);
        };
    }
    QPainter painter(&surface.Image());
    surface.ApplyPaintClip(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    SmoothPolyline(painter, m_gpPen, m_points, originX, originY, options);
}

QRect CSmoothPen::MeasureDrawnExtent() const
{
    if (m_points.GetCount() < 2) {
        return {};
    }
    return drawn_extent::AroundLine(drawn_extent::PointsBox(m_points), m_gpPen.widthF());
}

void CSmoothPen::ForgetKeptDrawing() { m_outlines.Clear(); }

void CSmoothPen::BeginStroke(CSurface& /*surface*/, int x, int y)
{
    m_lastX = x;
    m_lastY = y;
    m_ptA = QPoint(x, y);
    m_liveState = 1;
}

void CSmoothPen::ContinueStroke(CSurface& surface, int x, int y)
{
    if (m_liveState == 0) {
        // No press position was given: this point starts the live line.
        BeginStroke(surface, x, y);
        return;
    }
    const QPoint here(x, y);
    const QPoint last(m_lastX, m_lastY);
    QPainterPath piece;
    QRect dirty;
    if (m_liveState == 1) {
        m_ptB = here;
        m_liveState = 2;
        const QPoint half = MidPoint(last, here);
        piece.moveTo(last);
        piece.lineTo(half);
        dirty = InkRect({last, half}, m_gpPen.widthF());
    } else {
        if (m_liveState == 3) {
            m_ptA = m_ptB;
            m_ptB = m_ptC;
        }
        m_ptC = here;
        m_liveState = 3;
        const QPoint m1 = MidPoint(m_ptA, m_ptB);
        const QPoint m2 = MidPoint(m_ptB, m_ptC);
        const QPoint c1 = MidPoint(m_ptB, m1);
        const QPoint c2 = MidPoint(m_ptB, m2);
        piece.moveTo(m1);
        piece.cubicTo(c1, c2, m2);
        dirty = InkRect({m1, c1, c2, m2}, m_gpPen.widthF());
    }
    m_lastX = x;
    m_lastY = y;

    QPainter painter(&surface.Image());
    surface.ApplyPaintClip(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_gpPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(piece);
    surface.AddDirty(dirty & surface.Rect());
}
