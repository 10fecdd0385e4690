// The ink outline: splitting a stroke at its self-crossings and filling the
// traced contours as one smooth path.
#include "pens/InkPen.h"

#include "geometry/DiagLog.h"
#include "gfx/Surface.h"
#include "pens/SegmentCrossing.h"
#include "tracing/MonoBitmap.h"
#include "tracing/Outline.h"
#include "tracing/OutlineTracer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Tracing parameters of the ink outline: vertices within this distance of
// a straight run are dropped; a negative size divisor keeps every contour
// with a perimeter of at least one pixel.
constexpr double kTraceTolerance = 1.4143;
constexpr double kTraceSizeDivisor = -4.0;

// Packs the ink inside `area` of the mask into `bits` (rows of the mask's
// row pitch, most significant bit first, 1 = ink), which must be all
// background outside it.
void PackInk(const CMonoSurface& mask, const QRect& area, std::vector<std::uint8_t>& bits)
{
    const QImage& image = mask.Image();
    const std::size_t pitch = static_cast<std::size_t>(mask.GetRowPitch());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* src = image.constScanLine(y);
        std::uint8_t* dst = bits.data() + static_cast<std::size_t>(y) * pitch;
        for (int x = area.left(); x <= area.right(); ++x) {
            if (src[x] != 0) {
                dst[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
            }
        }
    }
}

// Sets `area` of the mask back to background.
void ClearArea(CMonoSurface& mask, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::memset(mask.Image().scanLine(y) + area.left(), 0,
                    static_cast<std::size_t>(area.width()));
    }
}

}  // namespace

std::vector<std::pair<int, int>> CInkPen::OutlinePieces() const
{
    std::vector<std::pair<int, int>> pieces;
    const int n = m_points.GetCount();
    int first = 0;
    while (n > 0) {
        const int end = FindSelfCrossing(first, n);
        pieces.emplace_back(first, end);
        if (end >= n) {
            break;
        }
        // The next piece starts two points back, so the pieces overlap.
        first = end - 2;
    }
    return pieces;
}

void CInkPen::BuildOutline(int canvasWidth, int canvasHeight)
{
    m_outline = std::make_unique<COutline>();
    ForgetDrawnExtent();
    CMonoSurface mask(canvasWidth, canvasHeight);
    const std::size_t maskBytes =
        static_cast<std::size_t>(mask.GetRowPitch()) * static_cast<std::size_t>(mask.GetHeight());
    std::vector<std::uint8_t> bits;
    const int n = m_points.GetCount();
    for (const auto& [first, end] : OutlinePieces()) {
        // Each piece is drawn alone with the pen's own dabs and widths, not
        // antialiased: a pixel is ink when a dab covers its centre. Only the
        // part the previous piece painted needs clearing.
        ClearArea(mask, mask.TakeDirty() & mask.Rect());
        DrawRangeWith(mask, first, end, QBrush(Qt::white), false);
        if (end < n) {
            DiagLog("%d", end);
        }
        const QRect ink = mask.TakeDirty() & mask.Rect();
        mask.AddDirty(ink);
        bits.assign(maskBytes, 0);
        PackInk(mask, ink, bits);
        COutlineTracer tracer(COutlineTracer::kInkBitOne);
        const MonoBitmap bitmap =
            MakeMonoBitmap(mask.GetWidth(), mask.GetHeight(), mask.GetRowPitch(), bits.data());
        if (tracer.TraceBitmap(bitmap, kTraceTolerance, kTraceSizeDivisor)) {
            m_outline->TakeAll(tracer.GetResult());
        }
    }
}

int CInkPen::FindSelfCrossing(int first, int count) const
{
    first = std::max(first, 0);
    count = std::min(count, m_points.GetCount());
    for (int i = first + 5; i < count; ++i) {
        const StrokePoint& P = m_points[static_cast<std::size_t>(i - 1)];
        const StrokePoint& Q = m_points[static_cast<std::size_t>(i)];
        for (int k = first; k <= i - 4; ++k) {
            if (SegmentsCross(P, Q, m_points[static_cast<std::size_t>(k)],
                              m_points[static_cast<std::size_t>(k + 1)])) {
                return i - 2;
            }
        }
    }
    return count;
}

QPainterPath CInkPen::OutlinePath(const COutline& outline)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int c = 0; c < outline.GetCount(); ++c) {
        const CPointArray& contour = outline.At(c);
        const int m = contour.GetCount();
        if (m < 2) {
            continue;
        }
        const auto at = [&](int i) {
            const StrokePoint& p = contour[static_cast<std::size_t>((i + m) % m)];
            return QPointF(p.x, p.y);
        };
        // Vertices 1 ... m - 1, then 0: the figure starts at the midpoint of
        // the first edge.
        for (int n = 1; n <= m; ++n) {
            const int i = n % m;
            const QPointF a = at(i - 1);
            const QPointF v = at(i);
            const QPointF b = at(i + 1);
            const QPointF m1 = (a + v) / 2;
            const QPointF m2 = (v + b) / 2;
            if (n == 1) {
                path.moveTo(m1);
            }
            path.cubicTo((v + m1) / 2, (v + m2) / 2, m2);
        }
        path.closeSubpath();
    }
    return path;
}

void CInkPen::FillOutline(CSurface& surface, const QBrush& brush)
{
    if (!m_outline || surface.Image().isNull()) {
        return;
    }
    const QPainterPath path = OutlinePath(*m_outline);
    // A texture is blended through the outline's coverage, filled in white
    // on a mask: the raster engine's texture fill costs several times a
    // solid one.
    std::optional<CDabPainter> textured;
    if (brush.style() == Qt::TexturePattern) {
        textured.emplace(surface.Image(), surface.PaintClip(), brush);
    }
    if (textured && textured->IsReady()) {
        textured->PaintPath(path, nullptr);
    } else {
        QPainter painter(&surface.Image());
        surface.ApplyPaintClip(painter);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.fillPath(path, brush);
    }
    surface.AddDirty(path.controlPointRect().toAlignedRect().adjusted(-1, -1, 1, 1) &
                     surface.Rect());
}
