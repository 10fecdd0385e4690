#include "pens/DistanceBands.h"

#include "gfx/Surface.h"
#include "pens/PixelBlend.h"

#include <QImage>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace distance_bands {

namespace {

constexpr float kFar = std::numeric_limits<float>::infinity();
constexpr int kTileShift = 5;
static_assert(Field::kTile == 1 << kTileShift);

// What one call paints with: each pass's colour as a pixel, and the
// squared distances within which it touches and covers a pixel whole.
struct PassTable {
    static constexpr std::size_t kMax = 4;
    int count = 0;
    std::array<double, kMax> edge{};
    std::array<float, kMax> edge2{};
    std::array<float, kMax> whole2{};
    std::array<std::uint32_t, kMax> color{};
};

// Paints the pixels of `cell`, all in one tile, whose distances from the
// `Lines` lines near it are in `tiles`.
template <int Lines>
void PaintCell(uchar* bits, qsizetype stride, const QRect& cell, const float* const* tiles,
               const PassTable& passes, float reach2)
{
    const int passCount = passes.count;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bits + stride * y);
        const int tileRow = (y & (Field::kTile - 1)) << kTileShift;
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const int at = tileRow + (x & (Field::kTile - 1));
            std::array<float, Lines> d2;
            bool reached = false;
            for (int g = 0; g < Lines; ++g) {
                d2[g] = tiles[g][at];
                reached = reached || d2[g] < reach2;
            }
            if (!reached) {
                continue;
            }
            // Whatever lay under the last blend that covers the pixel whole
            // is hidden: start from it.
            int startPass = 0;
            int startLine = 0;
            std::uint32_t pixel = row[x];
            for (int p = passCount - 1; p >= 0; --p) {
                int g = Lines - 1;
                while (g >= 0 && !(d2[g] <= passes.whole2[p])) {
                    --g;
                }
                if (g >= 0) {
                    pixel = passes.color[p];
                    startPass = p;
                    startLine = g + 1;
                    break;
                }
            }
            for (int p = startPass; p < passCount; ++p) {
                for (int g = p == startPass ? startLine : 0; g < Lines; ++g) {
                    const float f = d2[g];
                    if (!(f < passes.edge2[p])) {
                        continue;
                    }
                    const double cover = passes.edge[p] - std::sqrt(static_cast<double>(f));
                    const auto a =
                        static_cast<std::uint32_t>(std::clamp(cover, 0.0, 1.0) * 255.0 + 0.5);
                    if (a >= 255u) {
                        pixel = passes.color[p];
                    } else if (a > 0u) {
                        pixel = pixel_blend::Interpolate(passes.color[p], a, pixel, 255u - a);
                    }
                }
            }
            row[x] = pixel;
        }
    }
}

// PaintCell for each number of lines near a tile, the loops over the lines
// unrolled.
using CellPainter = void (*)(uchar*, qsizetype, const QRect&, const float* const*,
                             const PassTable&, float);
constexpr std::array<CellPainter, 5> kCellPainters = {nullptr, PaintCell<1>, PaintCell<2>,
                                                      PaintCell<3>, PaintCell<4>};

}  // namespace

Field::Field(const QSize& surface, const QRect& limit, double reach,
             std::span<const QRect> within)
    : m_limit(limit & QRect(QPoint(0, 0), surface)),
      m_within(within),
      m_reach(reach),
      m_tilesX((std::max(surface.width(), 0) + kTile - 1) / kTile),
      m_tilesY((std::max(surface.height(), 0) + kTile - 1) / kTile),
      m_tiles(static_cast<std::size_t>(m_tilesX) * static_cast<std::size_t>(m_tilesY))
{
}

void Field::MoveTo(const QPointF& p)
{
    m_current = p;
    m_hasDirection = false;
    m_hasSegment = false;
}

void Field::LineTo(const QPointF& p, bool capped)
{
    const QPointF a = m_current;
    m_current = p;
    const QPointF d = p - a;
    const double length = std::hypot(d.x(), d.y());
    if (length == 0.0) {
        if (capped || !m_hasSegment) {
            AddDot(p);
        }
        return;
    }
    const QPointF u = d / length;
    const double reach = m_reach;
    // The band along the segment, and past its end a round cap if asked.
    // Neighbouring bands meet on a line; each reaches a hair past it, so
    // that rounding leaves no pixel centre on it out of both.
    constexpr double kHair = 1e-3;
    // Where the line turns, the pixels round the outer side of the corner
    // are nearest the corner itself. They lie behind this segment's start,
    // on the side the line turns away from, within reach * sin(turn) of it;
    // past a right angle anywhere within reach of it. A line's start gets a
    // whole round cap. The band is visited from that far behind its start
    // on both sides at once: a pixel given its distance from this segment
    // as well keeps the least, and one pass over the rows costs less than
    // a second one over the corner's.
    double behind = kHair;
    if (!m_hasDirection) {
        behind = reach + 1.0;
    } else {
        const double cosTurn = u.x() * m_direction.x() + u.y() * m_direction.y();
        const double turn = m_direction.x() * u.y() - m_direction.y() * u.x();
        behind = cosTurn <= 0.0 ? reach + 1.0 : std::max(kHair, reach * std::abs(turn) + kHair);
    }
    AddSegment(a, p, -behind, length + (capped ? reach + 1.0 : kHair), -reach, reach);
    m_direction = u;
    m_hasDirection = true;
    m_hasSegment = true;
}

std::size_t Field::Bytes() const
{
    std::size_t bytes = sizeof(Field) + m_tiles.size() * sizeof(m_tiles[0]);
    for (const auto& tile : m_tiles) {
        bytes += tile ? sizeof(float) * kTile * kTile : 0;
    }
    return bytes;
}

float* Field::TileFor(int x, int y)
{
    std::unique_ptr<float[]>& tile =
        m_tiles[static_cast<std::size_t>((y >> kTileShift) * m_tilesX + (x >> kTileShift))];
    if (!tile) {
        tile = std::make_unique<float[]>(static_cast<std::size_t>(kTile) * kTile);
        std::fill_n(tile.get(), kTile * kTile, kFar);
    }
    return tile.get();
}

void Field::AddSegment(const QPointF& a, const QPointF& b, double from, double to,
                       double acrossFrom, double acrossTo)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / length;
    const double uy = dy / length;
    // The rectangle's corners, for the pixels it spans.
    double top = std::numeric_limits<double>::infinity();
    double bottom = -top;
    double leftmost = top;
    double rightmost = bottom;
    for (const double s : {from, to}) {
        for (const double q : {acrossFrom, acrossTo}) {
            const double x = a.x() + s * ux - q * uy;
            const double y = a.y() + s * uy + q * ux;
            leftmost = std::min(leftmost, x);
            rightmost = std::max(rightmost, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (m_limit.isEmpty() || !(top <= bottom)) {
        return;
    }
    const auto pixel = [](double v) {
        return static_cast<int>(std::clamp(v, -1e9, 1e9));
    };
    const QRect box = QRect(QPoint(pixel(std::floor(leftmost - 0.5)), pixel(std::floor(top - 0.5))),
                            QPoint(pixel(std::ceil(rightmost - 0.5)), pixel(std::ceil(bottom - 0.5)))) &
                      m_limit;
    if (box.isEmpty()) {
        return;
    }
    if (m_within.empty()) {
        VisitSegment(a, b, from, to, acrossFrom, acrossTo, box);
        return;
    }
    // The part of the box the rectangles cover is visited as one: a
    // region's rectangles come in thin bands of rows, and sweeping each
    // piece on its own costs more in setting up short lines than the few
    // pixels between them that get a distance as well.
    QRect wanted;
    for (const QRect& rect : RectsAcross(m_within, box)) {
        wanted |= rect & box;
    }
    if (!wanted.isEmpty()) {
        VisitSegment(a, b, from, to, acrossFrom, acrossTo, wanted);
    }
}

void Field::VisitSegment(const QPointF& a, const QPointF& b, double from, double to,
                         double acrossFrom, double acrossTo, const QRect& area)
{
    // The rectangle is swept in lines across the segment's own direction,
    // rows for a steep segment and columns for a flat one: the lines are
    // then fewer and longer, which matters as most segments are far
    // shorter than the band is wide.
    if (std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y())) {
        Sweep<true>(a, b, from, to, acrossFrom, acrossTo, area);
    } else {
        Sweep<false>(a, b, from, to, acrossFrom, acrossTo, area);
    }
}

template <bool ByColumns>
void Field::Sweep(const QPointF& a, const QPointF& b, double from, double to, double acrossFrom,
                  double acrossTo, const QRect& area)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    const double inverse2 = 1.0 / length2;
    const double length = std::sqrt(length2);
    const double ux = dx / length;
    const double uy = dy / length;
    const double reach2 = m_reach * m_reach;
    // A pixel's distance, worked out from its own coordinates alone in the
    // same operations whichever way it is reached, so it does not depend on
    // where a visit starts or which way it sweeps.
    const auto lower = [&](int x, int y) {
        const double cy = y + 0.5;
        const double ry = cy - a.y();
        const double rx = x + 0.5 - a.x();
        const double t = rx * dx + ry * dy;
        double d2;
        if (t <= 0.0) {
            d2 = rx * rx + ry * ry;
        } else if (t >= length2) {
            const double qx = x + 0.5 - b.x();
            const double qy = cy - b.y();
            d2 = qx * qx + qy * qy;
        } else {
            const double cross = rx * dy - ry * dx;
            d2 = cross * cross * inverse2;
        }
        return d2;
    };
    // The sweep's lines are rows (line coordinate y, pixels along x) or
    // columns (the other way round). Along the segment the offset from a is
    // ux * rx + uy * ry, across it -uy * rx + ux * ry; split into the parts
    // from the coordinate along the line and the line's own.
    const double alongPixel = ByColumns ? uy : ux;
    const double alongLine = ByColumns ? ux : uy;
    const double acrossPixel = ByColumns ? ux : -uy;
    const double acrossLine = ByColumns ? -uy : ux;
    const double origin = ByColumns ? a.y() : a.x();
    const double lineOrigin = ByColumns ? a.x() : a.y();
    const int firstLine = ByColumns ? area.left() : area.top();
    const int lastLine = ByColumns ? area.right() : area.bottom();
    const double low = ByColumns ? area.top() : area.left();
    const double high = ByColumns ? area.bottom() : area.right();
    constexpr double kFlat = 1e-12;
    const bool alongFixed = std::abs(alongPixel) < kFlat;
    const bool acrossFixed = std::abs(acrossPixel) < kFlat;
    const double alongScale = alongFixed ? 0.0 : 1.0 / alongPixel;
    const double acrossScale = acrossFixed ? 0.0 : 1.0 / acrossPixel;
    int minPixel = std::numeric_limits<int>::max();
    int maxPixel = std::numeric_limits<int>::min();
    int minLine = minPixel;
    int maxLine = maxPixel;
    for (int line = firstLine; line <= lastLine; ++line) {
        const double r = line + 0.5 - lineOrigin;
        double lo = -std::numeric_limits<double>::infinity();
        double hi = -lo;
        // Narrows [lo, hi] to where k * offset + part lies within
        // [bottom, top], with scale = 1 / k; false when no offset does.
        const auto narrow = [&](bool fixed, double part, double bottom, double top,
                                double scale) {
            if (fixed) {
                return part >= bottom && part <= top;
            }
            const double p = (bottom - part) * scale;
            const double q = (top - part) * scale;
            lo = std::max(lo, std::min(p, q));
            hi = std::min(hi, std::max(p, q));
            return true;
        };
        if (!narrow(alongFixed, alongLine * r, from, to, alongScale) ||
            !narrow(acrossFixed, acrossLine * r, acrossFrom, acrossTo, acrossScale)) {
            continue;
        }
        // The pixels whose centre (coordinate + 1/2) lies within the range.
        const double first = std::max(low, origin + lo - 0.5);
        const double last = std::min(high, origin + hi - 0.5);
        if (!(first <= last)) {
            continue;
        }
        int p = static_cast<int>(first);
        p += p < first ? 1 : 0;
        const int end = static_cast<int>(last) - (static_cast<int>(last) > last ? 1 : 0);
        if (p > end) {
            continue;
        }
        minPixel = std::min(minPixel, p);
        maxPixel = std::max(maxPixel, end);
        minLine = std::min(minLine, line);
        maxLine = std::max(maxLine, line);
        while (p <= end) {
            const int tileEnd = std::min(end, p | (kTile - 1));
            if constexpr (ByColumns) {
                const int x = line;
                float* cell = TileFor(x, p) + (x & (kTile - 1));
                for (; p <= tileEnd; ++p) {
                    const double d2 = lower(x, p);
                    float& c = cell[(p & (kTile - 1)) << kTileShift];
                    if (d2 < reach2) {
                        c = std::min(c, static_cast<float>(d2));
                    }
                }
            } else {
                const int y = line;
                float* row = TileFor(p, y) + ((y & (kTile - 1)) << kTileShift);
                for (; p <= tileEnd; ++p) {
                    const double d2 = lower(p, y);
                    float& c = row[p & (kTile - 1)];
                    if (d2 < reach2) {
                        c = std::min(c, static_cast<float>(d2));
                    }
                }
            }
        }
    }
    if (minPixel <= maxPixel) {
        m_touched |= ByColumns ? QRect(QPoint(minLine, minPixel), QPoint(maxLine, maxPixel))
                               : QRect(QPoint(minPixel, minLine), QPoint(maxPixel, maxLine));
    }
}

void Field::AddDot(const QPointF& p)
{
    const QRect box =
        QRect(QPoint(static_cast<int>(std::floor(p.x() - m_reach - 1.0)),
                     static_cast<int>(std::floor(p.y() - m_reach - 1.0))),
              QPoint(static_cast<int>(std::ceil(p.x() + m_reach + 1.0)),
                     static_cast<int>(std::ceil(p.y() + m_reach + 1.0)))) &
        m_limit;
    if (box.isEmpty()) {
        return;
    }
    const double reach2 = m_reach * m_reach;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const double ry = y + 0.5 - p.y();
        for (int x = box.left(); x <= box.right(); ++x) {
            const double rx = x + 0.5 - p.x();
            const double d2 = rx * rx + ry * ry;
            if (d2 < reach2) {
                float& cell = TileFor(x, y)[((y & (kTile - 1)) << kTileShift) + (x & (kTile - 1))];
                cell = std::min(cell, static_cast<float>(d2));
            }
        }
    }
    m_touched |= box;
}

void Paint(QImage& image, const QRect& area, const QRegion* clip,
           std::span<const Field* const> lines, std::span<const Pass> passes)
{
    if (lines.empty() || passes.empty()) {
        return;
    }
    const QImage::Format format = image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) {
        // Blending works on 32-bit pixels; any other image is painted through
        // a copy of that kind.
        QImage copy = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        Paint(copy, area, clip, lines, passes);
        image = copy.convertToFormat(format);
        return;
    }
    QRect reached;
    for (const Field* line : lines) {
        reached |= line->Touched();
    }
    const QRect bounds = area & image.rect() & reached;
    if (bounds.isEmpty()) {
        return;
    }
    constexpr std::size_t kMaxLines = kCellPainters.size() - 1;
    if (lines.size() > kMaxLines || passes.size() > PassTable::kMax) {
        // More than the fill pen's three passes over its four lines at most
        // is not asked for; split the work so each call stays within the
        // limits, in the same order.
        for (const Pass& pass : passes) {
            for (std::size_t first = 0; first < lines.size(); first += kMaxLines) {
                const std::size_t count = std::min(kMaxLines, lines.size() - first);
                Paint(image, area, clip, lines.subspan(first, count), std::span(&pass, 1));
            }
        }
        return;
    }
    // A pass paints a pixel whose centre lies less than its half width plus
    // half a pixel from a line, and covers it whole within its half width
    // less half a pixel.
    PassTable table;
    table.count = static_cast<int>(passes.size());
    float reach2 = 0.0f;
    for (std::size_t p = 0; p < passes.size(); ++p) {
        const double edge = passes[p].halfWidth + 0.5;
        table.edge[p] = edge;
        table.edge2[p] = static_cast<float>(edge * edge);
        table.whole2[p] = edge >= 1.0 ? static_cast<float>((edge - 1.0) * (edge - 1.0)) : -1.0f;
        reach2 = std::max(reach2, table.edge2[p]);
        const COLORREF c = passes[p].color;
        table.color[p] = 0xff000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
                         (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    }
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRegion whole(bounds);
    const QRegion& region = clip != nullptr ? *clip : whole;
    for (const QRect& rect : region) {
        const QRect part = rect & bounds;
        if (part.isEmpty()) {
            continue;
        }
        for (int ty = part.top() >> kTileShift; ty <= part.bottom() >> kTileShift; ++ty) {
            for (int tx = part.left() >> kTileShift; tx <= part.right() >> kTileShift; ++tx) {
                // The lines that come near this tile, in their order.
                std::array<const float*, kMaxLines> tiles{};
                int near = 0;
                for (const Field* line : lines) {
                    if (const float* tile = line->Tile(tx, ty)) {
                        tiles[static_cast<std::size_t>(near++)] = tile;
                    }
                }
                const QRect cell =
                    part & QRect(tx << kTileShift, ty << kTileShift, Field::kTile, Field::kTile);
                if (near > 0) {
                    kCellPainters[static_cast<std::size_t>(near)](bits, stride, cell, tiles.data(),
                                                                  table, reach2);
                }
            }
        }
    }
}

}  // namespace distance_bands
