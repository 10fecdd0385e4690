#pragma once

#include "gfx/Color.h"

#include <QPointF>
#include <QRect>
#include <QSize>

#include <memory>
#include <span>
#include <vector>

class QImage;
class QRegion;

// Wide anti-aliased lines drawn from each pixel's distance to the line's
// centre. A pixel's coverage by a line of half width r is how far the line's
// edge lies beyond the pixel's centre, r + 1/2 - d, kept within 0..1; round
// caps and joins follow from it, and so does the union of several pieces of
// one line: its distance is the least of the pieces' distances. That union
// is what makes a line cheap to grow: adding a piece lowers the distances
// near it and leaves every other pixel as it was, so a line drawn piece by
// piece as the mouse moves keeps its distances from step to step instead of
// being stroked again from its start.
namespace distance_bands {

// The squared distances of pixel centres (x + 1/2, y + 1/2) from a line made
// of straight segments, for the pixels of a surface within `reach` of the
// line. They are kept in square tiles, made where the line comes near, so a
// long line costs memory along its way only.
class Field {
public:
    static constexpr int kTile = 32;

    // `surface`: the size of the surface the distances are for; `limit`: the
    // part of it where they are wanted, and if `within` is given (a region's
    // rectangles, top to bottom, kept by the caller), only in those;
    // `reach`: farther distances are not needed.
    Field(const QSize& surface, const QRect& limit, double reach,
          std::span<const QRect> within = {});

    // Starts the line at `p`.
    void MoveTo(const QPointF& p);
    // Continues the line straight to `p`. With `capped`, pixels beyond `p`
    // are given their distances too, as the end of a line needs; a later
    // segment from `p` needs nothing of it.
    void LineTo(const QPointF& p, bool capped);

    // The tile at tile column tx and row ty, kTile * kTile distances row by
    // row, or null where the line comes nowhere near.
    const float* Tile(int tx, int ty) const
    {
        return m_tiles[static_cast<std::size_t>(ty * m_tilesX + tx)].get();
    }
    // The pixels the line has reached so far, within the limit.
    const QRect& Touched() const { return m_touched; }
    // The memory the distances take.
    std::size_t Bytes() const;

private:
    // Gives the pixels of a rectangle along a..b their distance from the
    // segment: those from `from` to `to` along it (0 at a) and from
    // `acrossFrom` to `acrossTo` across it (positive to the left of a..b
    // with y pointing up). The rectangles a line visits hold every pixel
    // whose nearest point of the line lies on this segment.
    void AddSegment(const QPointF& a, const QPointF& b, double from, double to,
                    double acrossFrom, double acrossTo);
    // The same within `area`, a part of the limit.
    void VisitSegment(const QPointF& a, const QPointF& b, double from, double to,
                      double acrossFrom, double acrossTo, const QRect& area);
    // VisitSegment along columns or along rows.
    template <bool ByColumns>
    void Sweep(const QPointF& a, const QPointF& b, double from, double to, double acrossFrom,
               double acrossTo, const QRect& area);
    // Gives the pixels within `reach` of `p` their distance from it.
    void AddDot(const QPointF& p);
    float* TileFor(int x, int y);

    QRect m_limit;
    std::span<const QRect> m_within;
    double m_reach;
    int m_tilesX;
    int m_tilesY;
    std::vector<std::unique_ptr<float[]>> m_tiles;
    QRect m_touched;
    QPointF m_current;
    // The unit direction of the last segment of non-zero length.
    QPointF m_direction;
    bool m_hasDirection = false;
    bool m_hasSegment = false;
};

// One colour drawn at one half width over every line.
struct Pass {
    COLORREF color = 0;
    double halfWidth = 0.0;
};

// Paints `passes` in order, each over every one of `lines` in order, on the
// pixels of `area` (and of `clip`, when given), as drawing each line in each
// pass on its own, one after the other, gives: a pixel blends the colour at
// its coverage over what it shows. `image` is of the size the lines' fields
// are for. Lines that reach past their field's limit must not be painted
// outside it.
void Paint(QImage& image, const QRect& area, const QRegion* clip,
           std::span<const Field* const> lines, std::span<const Pass> passes);

}  // namespace distance_bands
