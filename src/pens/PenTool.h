#pragma once

#include "geometry/PointArray.h"
#include "gfx/Color.h"

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QRegion>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class CSurface;
class COutline;

// Bounding box of a stroke's points (right and bottom are the largest
// coordinates themselves, not one past them).
struct StrokeRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// One stroke of one pen kind: its points, how it draws live while captured
// and how it redraws itself later. Subclasses override the seven virtual
// operations below as their kind needs.
//
// Live drawing (BeginStroke / ContinueStroke) paints on the canvas's screen
// image and reports the changed rectangle with CSurface::AddDirty, so the
// canvas repaints just that part.
class CPenTool {
public:
    CPenTool(int width, COLORREF c0, COLORREF c1 = 0, COLORREF c2 = 0);
    virtual ~CPenTool();
    CPenTool(const CPenTool&) = delete;
    CPenTool& operator=(const CPenTool&) = delete;

    // The whole stroke, every point shifted by (-originX, -originY).
    virtual void Draw(CSurface& surface, int originX, int originY);
    // The press position; it is not stored as a point.
    virtual void BeginStroke(CSurface& surface, int x, int y);
    // The newest point, already appended with AddPoint.
    virtual void ContinueStroke(CSurface& surface, int x, int y);
    // The pixel-line walk, calling Plot for every pixel but the end point.
    virtual void DrawSegment(int x1, int y1, int x2, int y2);
    virtual void Plot(int x, int y);
    // Statistics (ComputeStats); the ink pens also compute their widths.
    virtual void FinishStroke();
    virtual void DrawRange(CSurface& surface, int first, int last);
    // Lets go of what the pen keeps from one draw to the next only to draw
    // faster (a stroke leaving the picture for the undo history calls
    // this); the next draw makes it again.
    virtual void ForgetKeptDrawing() {}

    // Appends a point stamped with the current tick count.
    void AddPoint(int x, int y);
    // Appends a point with the tick of the input event that produced it.
    void AddPoint(int x, int y, std::uint32_t tick);

    // Non-const access may move points: the cached hit-test box and drawn
    // extent are dropped.
    CPointArray& GetPoints()
    {
        m_hitBoxValid = false;
        m_extentValid = false;
        m_piecesValid = false;
        ++m_pointsVersion;
        return m_points;
    }
    const CPointArray& GetPoints() const { return m_points; }

    // True when the stroke touches the rectangle (left and top inclusive,
    // right and bottom exclusive). Fewer than two points always hit.
    bool HitTest(int left, int top, int right, int bottom) const;

    // Squared segment lengths, directions, total (squared) length, bounds.
    void ComputeStats();

    // A rectangle holding every pixel that Draw(surface, 0, 0) can change,
    // on any surface (empty when the stroke draws nothing). It is measured
    // on the first call and kept until the points or the ink outline
    // change; a committed stroke measures once.
    QRect DrawnExtent() const;
    // Rectangles that together hold every pixel Draw(surface, 0, 0) can
    // change, each covering a short run of the stroke, so that the area a
    // stroke changes can be told much more closely than by its extent. Kept
    // like the extent.
    const std::vector<QRect>& PieceRects() const;
    // True when a pixel of `area` (a region's rectangles, top to bottom) can
    // change as this stroke is drawn.
    bool Reaches(std::span<const QRect> area) const;

    int GetWidth() const { return m_width; }
    COLORREF GetColor(int i) const { return m_colors.at(static_cast<std::size_t>(i)); }
    double GetTotalLength() const { return m_totalLength; }
    const StrokeRect& GetBounds() const { return m_bounds; }
    bool IsFinished() const { return m_finished != 0; }
    // Marks the widths final, so a later FinishStroke keeps them (the ink
    // shaper does this when it rewrites them).
    void MarkFinished() { m_finished = 1; }
    const COutline* GetOutline() const { return m_outline.get(); }
    bool HasTexture() const { return !m_texture.isNull(); }
    // The 180 x 180 multicolour tile (null for single-colour pens).
    const QImage& GetTexture() const { return m_texture; }

    // The tile's colours along x + y: pixel (x, y) with x >= 1 has the
    // colour of diagonal (x + y) mod 180; column 0 stays white.
    static QImage MakeMulticolorTile(COLORREF c0, COLORREF c1, COLORREF c2);

protected:
    // Measures DrawnExtent. The default, for kinds that do not measure, is
    // the whole plane: erring large only costs time.
    virtual QRect MeasureDrawnExtent() const;
    // Drops the cached extent; kinds that change what Draw paints without
    // moving points (the ink widths, the outline) call it.
    void ForgetDrawnExtent()
    {
        m_extentValid = false;
        m_piecesValid = false;
    }
    // Measures PieceRects. The default splits the drawn extent along runs
    // of the points: each run's box grown by the margins the extent has
    // round the whole box of the points.
    virtual std::vector<QRect> MeasurePieceRects() const;

    // Counts the changes the points may have had: it moves on whenever a
    // point is added or the points are handed out for changing, so drawing
    // kept for one version is known stale at the next.
    std::uint64_t PointsVersion() const { return m_pointsVersion; }
    // Builds m_texture from the three colours (multicolour kinds call this
    // in their constructor).
    void BuildMulticolorTexture();
    // The fill of this pen: the texture (179 x 179 from (1, 1), tiled from
    // the surface origin) when there is one, otherwise colour 0.
    QBrush MakeBrush() const;
    // A pen of `width` from MakeBrush() with round caps and joins.
    QPen MakePen(double width) const;

    int m_lastX = 0;
    int m_lastY = 0;
    int m_width = 0;
    std::array<COLORREF, 3> m_colors{};
    CPointArray m_points;
    QImage m_texture;
    int m_finished = 0;
    double m_totalLength = 0.0;
    StrokeRect m_bounds;
    std::unique_ptr<COutline> m_outline;

private:
    QImage m_textureTile;  // m_texture's 179 x 179 part from (1, 1)
    // Bounding box of the points for HitTest's quick rejection, computed on
    // the first hit test and kept until the points can have changed.
    mutable StrokeRect m_hitBox;
    mutable bool m_hitBoxValid = false;
    mutable QRect m_extent;
    mutable bool m_extentValid = false;
    mutable std::vector<QRect> m_pieces;
    mutable bool m_piecesValid = false;
    std::uint64_t m_pointsVersion = 0;
};

// Helpers for the pen kinds' extents.
namespace drawn_extent {
// Pixels beyond a shape's exact geometry that antialiasing (and the rounding
// of coordinates on their way to the rasteriser) may still touch.
inline constexpr int kFringe = 3;
// The smallest rectangle holding every point (null when there are none).
QRect PointsBox(const CPointArray& points);
// The box of the points first..last (inclusive, both valid indices).
QRect PointsBox(const CPointArray& points, int first, int last);
// How many segments one piece rectangle of the default split covers.
inline constexpr int kRunSegments = 16;
// `box` grown by half of `penWidth` (at least half a pixel) and the fringe:
// where a round-capped line of that width through points in `box` can paint.
QRect AroundLine(const QRect& box, double penWidth);
// Every pixel: what a kind that does not know its extent reports.
QRect Everything();
}  // namespace drawn_extent
