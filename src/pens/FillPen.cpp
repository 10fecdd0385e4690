#include "pens/FillPen.h"

#include "gfx/Surface.h"
#include "pens/KeptDrawing.h"
#include "pens/SmoothPieces.h"

#include <QRegion>

#include <algorithm>
#include <cstdlib>
#include <vector>

using distance_bands::Field;

namespace {
// The width of each pass as a multiple of the pen width, widest first.
constexpr double kPassWidth[3] = {5.0, 3.0, 1.5};
// Farther than any hand moves the mouse between two events, in pixels.
constexpr long long kFarStep = 4096;

// Adds `piece` to `line`, continuing it from where it stands when `joined`,
// as a chain of straight segments within a tenth of a pixel of a cubic.
// With `capped` the piece's end gets its round cap.
void AddPiece(Field& line, const SmoothPiece& piece, bool joined, bool capped)
{
    if (!joined) {
        line.MoveTo(piece.a);
    }
    if (!piece.cubic) {
        line.LineTo(piece.b, capped);
        return;
    }
    const QPointF a = piece.a;
    const QPointF c1 = piece.c1;
    const QPointF c2 = piece.c2;
    const QPointF b = piece.b;
    const int steps = CubicLineSteps(a, c1, c2, b);
    for (int i = 1; i < steps; ++i) {
        line.LineTo(CubicAt(a, c1, c2, b, static_cast<double>(i) / steps), false);
    }
    line.LineTo(b, capped);
}

// The pixels a pass of `reach` can paint round pieces first..last.
QRect PieceReach(const SmoothPieces& pieces, int first, int last, double reach)
{
    const int grow = static_cast<int>(std::ceil(reach)) + 1;
    return pieces.Box(first, last).adjusted(-grow, -grow, grow, grow);
}

// A line of the single straight piece k on a surface of `size`, within
// `limit` (and `within`'s rectangles when given).
std::unique_ptr<Field> StraightLine(const QSize& size, const QRect& limit,
                                    std::span<const QRect> within, const SmoothPieces& pieces,
                                    int k, double reach)
{
    auto line = std::make_unique<Field>(size, limit, reach, within);
    AddPiece(*line, pieces.At(k), false, true);
    return line;
}
}  // namespace

// The live stroke's chain of curves, added curve by curve as points come,
// and its first straight half segment.
struct CFillPen::LiveLine {
    LiveLine(const QSize& size, double reach)
        : size(size), chain(size, QRect(QPoint(0, 0), size), reach),
          first(size, QRect(QPoint(0, 0), size), reach)
    {
    }

    QSize size;
    // The chain holds the curves of pieces 1..curves.
    int curves = 0;
    Field chain;
    Field first;
};

struct CFillPen::StrokeLines {
    StrokeLines(const QSize& size, const QPoint& origin, std::uint64_t version)
        : size(size), origin(origin), version(version)
    {
    }
    ~StrokeLines() { kept_drawing::Release(bytes); }
    StrokeLines(const StrokeLines&) = delete;
    StrokeLines& operator=(const StrokeLines&) = delete;

    // Takes the lines' memory from the budget of kept drawing; false when
    // it has no room for them.
    bool Reserve()
    {
        std::size_t need = sizeof(StrokeLines);
        for (const Field* line : lines) {
            need += line->Bytes();
        }
        if (!kept_drawing::Reserve(need)) {
            return false;
        }
        bytes = need;
        return true;
    }

    QSize size;
    QPoint origin;
    std::uint64_t version;
    // The live stroke's first half segment and chain, when taken over.
    std::unique_ptr<LiveLine> live;
    std::vector<std::unique_ptr<Field>> own;
    // Every line, in painting order.
    std::vector<const Field*> lines;
    // What Reserve took from the budget.
    std::size_t bytes = 0;
};

CFillPen::CFillPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CPenTool(w, c0, c1, c2) {}

CFillPen::~CFillPen() = default;

std::array<distance_bands::Pass, 3> CFillPen::Passes() const
{
    std::array<distance_bands::Pass, 3> passes;
    for (std::size_t p = 0; p < passes.size(); ++p) {
        passes[p] = {m_colors[p], kPassWidth[p] * m_width / 2.0};
    }
    return passes;
}

double CFillPen::Reach() const
{
    // A pass paints no pixel whose centre lies half a pixel or more beyond
    // its half width; a hair more keeps rounding from losing one.
    return kPassWidth[0] * m_width / 2.0 + 0.5 + 1e-3;
}

std::unique_ptr<CFillPen::StrokeLines> CFillPen::MakeLines(const QSize& size,
                                                           const QPoint& origin,
                                                           const QRect& limit,
                                                           std::span<const QRect> within,
                                                           std::unique_ptr<LiveLine> live) const
{
    const SmoothPieces pieces(m_points, origin.x(), origin.y());
    const int count = pieces.Count();
    auto made = std::make_unique<StrokeLines>(size, origin, PointsVersion());
    const double reach = Reach();
    // Pieces that cannot reach the limit or its rectangles are left out, not
    // only those outside its bounds: an eraser step's clip is many small
    // rectangles.
    const auto reaches = [&](int first, int last) {
        const QRect r = PieceReach(pieces, first, last, reach);
        return r.intersects(limit) && (within.empty() || RectsMeet(within, r));
    };
    const auto keep = [&](std::unique_ptr<Field> line) {
        made->lines.push_back(line.get());
        made->own.push_back(std::move(line));
    };
    const auto straight = [&](int k) {
        if (reaches(k, k)) {
            keep(StraightLine(size, limit, within, pieces, k, reach));
        }
    };
    if (pieces.PointCount() <= 5) {
        for (int k = 0; k < count; ++k) {
            straight(k);
        }
        return made;
    }
    // The live stroke's chain gave every curve its cap as it came, each
    // ending the chain for a while: the distances are those of the same
    // points of the line all the same.
    const bool whole = limit == QRect(QPoint(0, 0), size) && within.empty();
    if (live && whole && origin == QPoint(0, 0) && live->size == size &&
        live->curves == count - 2) {
        made->live = std::move(live);
        made->lines.push_back(&made->live->first);
        made->lines.push_back(&made->live->chain);
    } else {
        straight(0);
        if (PieceReach(pieces, 1, count - 2, reach).intersects(limit)) {
            auto chain = std::make_unique<Field>(size, limit, reach, within);
            bool joined = false;
            for (int k = 1; k <= count - 2; ++k) {
                // A curve that cannot reach the limit gives no pixel there a
                // distance; the next one starts afresh.
                const bool near = reaches(k, k);
                if (near) {
                    AddPiece(*chain, pieces.At(k), joined, k == count - 2);
                }
                joined = near;
            }
            keep(std::move(chain));
        }
    }
    straight(count - 1);
    return made;
}

void CFillPen::Draw(CSurface& surface, int originX, int originY)
{
    std::unique_ptr<LiveLine> live = std::move(m_live);
    if (SmoothPieces(m_points, originX, originY).Count() == 0) {
        return;
    }
    const QRegion* clip = surface.PaintClip();
    const QRect limit = clip != nullptr ? surface.Rect() & clip->boundingRect() : surface.Rect();
    const QPoint origin(originX, originY);
    if (m_kept && (m_kept->size != surface.GetSize() || m_kept->origin != origin ||
                   m_kept->version != PointsVersion())) {
        m_kept.reset();
    }
    // Without kept distances and with room for them, the whole stroke's are
    // made (the live ones taken over) and kept; without room, just what this
    // draw's clip needs.
    std::unique_ptr<StrokeLines> made;
    if (!m_kept) {
        if (kept_drawing::HasRoom()) {
            made = MakeLines(surface.GetSize(), origin, surface.Rect(), {}, std::move(live));
            if (made->Reserve()) {
                m_kept = std::move(made);
            }
        } else {
            made = MakeLines(surface.GetSize(), origin, limit, surface.PaintClipRects(), nullptr);
        }
    }
    const StrokeLines& lines = m_kept ? *m_kept : *made;
    distance_bands::Paint(surface.Image(), limit, clip, lines.lines, Passes());
}

QRect CFillPen::MeasureDrawnExtent() const
{
    if (m_points.GetCount() < 2) {
        return {};
    }
    return drawn_extent::AroundLine(drawn_extent::PointsBox(m_points), kPassWidth[0] * m_width);
}

void CFillPen::ForgetKeptDrawing() { m_kept.reset(); }

void CFillPen::BeginStroke(CSurface& /*surface*/, int x, int y)
{
    m_prev = QPoint(x, y);
    m_live.reset();
}

QRect CFillPen::LiveClip(const QPoint& a, const QPoint& b) const
{
    // Right and bottom are exclusive, as the rectangle's own corners are.
    const int grow = 5 * m_width + 10;
    const int left = std::min(a.x(), b.x()) - grow;
    const int top = std::min(a.y(), b.y()) - grow;
    const int right = std::max(a.x(), b.x()) + grow;
    const int bottom = std::max(a.y(), b.y()) + grow;
    return QRect(left, top, right - left, bottom - top);
}

CFillPen::LiveLine& CFillPen::UpdateLiveLine(const CSurface& surface)
{
    const SmoothPieces pieces(m_points, 0, 0);
    const int lastCurve = pieces.Count() - 2;
    if (!m_live || m_live->size != surface.GetSize() || m_live->curves > lastCurve) {
        m_live = std::make_unique<LiveLine>(surface.GetSize(), Reach());
        AddPiece(m_live->first, pieces.At(0), false, true);
    }
    // Points are only added while the stroke is drawn, so each curve, once
    // its point's successor has come, stays as it is. Every curve gets its
    // round cap, since for now it ends the chain; a later curve only lowers
    // distances further.
    for (int k = m_live->curves + 1; k <= lastCurve; ++k) {
        AddPiece(m_live->chain, pieces.At(k), k > 1, true);
    }
    m_live->curves = lastCurve;
    return *m_live;
}

void CFillPen::ContinueStroke(CSurface& surface, int x, int y)
{
    const QPoint here(x, y);
    const QPoint prev = m_prev;
    const QRect clip = LiveClip(prev, here) & surface.Rect();
    m_prev = here;
    if (clip.isEmpty()) {
        return;
    }
    const double reach = Reach();
    const auto passes = Passes();
    if (std::abs(static_cast<long long>(here.x()) - prev.x()) > kFarStep ||
        std::abs(static_cast<long long>(here.y()) - prev.y()) > kFarStep) {
        // No hand moves this far between two mouse events; only replayed
        // or made-up input does. Redrawing the whole stroke under a clip
        // spanning such a step would repaint most of the surface for every
        // point, so the step shows just its own segment in the three bands,
        // until the committed stroke replaces the live drawing.
        Field segment(surface.GetSize(), clip, reach);
        segment.MoveTo(prev);
        segment.LineTo(here, true);
        const Field* lines[] = {&segment};
        distance_bands::Paint(surface.Image(), clip, surface.PaintClip(), lines, passes);
        surface.AddDirty(clip);
        return;
    }
    // The whole stroke so far is redrawn under the clip, so the bands stay
    // nested where the newest segment meets what was drawn before.
    const SmoothPieces pieces(m_points, 0, 0);
    const int count = pieces.Count();
    std::vector<std::unique_ptr<Field>> own;
    std::vector<const Field*> lines;
    if (pieces.PointCount() <= 5) {
        for (int k = 0; k < count; ++k) {
            own.push_back(
                StraightLine(surface.GetSize(), clip, surface.PaintClipRects(), pieces, k, reach));
        }
    } else {
        const LiveLine& live = UpdateLiveLine(surface);
        lines.push_back(&live.first);
        lines.push_back(&live.chain);
        own.push_back(StraightLine(surface.GetSize(), clip, surface.PaintClipRects(), pieces,
                                   count - 1, reach));
    }
    for (const auto& line : own) {
        lines.push_back(line.get());
    }
    distance_bands::Paint(surface.Image(), clip, surface.PaintClip(), lines, passes);
    surface.AddDirty(clip);
}
