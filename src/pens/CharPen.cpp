#include "pens/CharPen.h"

#include "geometry/PointHelpers.h"
#include "gfx/Surface.h"
#include "pens/SymbolMap.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>

namespace {

// Face names are kept to the 31 characters a font description holds.
constexpr int kMaxFaceLength = 31;

// Replays a recorded outline as a path filled by the winding rule. The type
// is read at the first point of each item; a Bezier item takes this point and
// the two after it. A figure left open is closed by the fill.
QPainterPath ReplayOutline(const std::vector<QPoint>& points,
                           const std::vector<std::uint8_t>& types)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const std::size_t n = std::min(points.size(), types.size());
    bool inFigure = false;
    QPoint current;
    const auto ensureFigure = [&] {
        if (!inFigure) {
            path.moveTo(current);
            inFigure = true;
        }
    };
    std::size_t i = 0;
    while (i < n) {
        switch (types[i]) {
            case CCharPen::kMoveTo:
                path.moveTo(points[i]);
                current = points[i];
                inFigure = true;
                ++i;
                break;
            case CCharPen::kLineTo:
            case CCharPen::kLineToClose:
                ensureFigure();
                path.lineTo(points[i]);
                current = points[i];
                if (types[i] == CCharPen::kLineToClose) {
                    path.closeSubpath();
                    inFigure = false;
                }
                ++i;
                break;
            case CCharPen::kBezierTo:
            case CCharPen::kBezierToClose:
                if (i + 2 >= n) {
                    // A Bezier needs three points; a truncated one ends the outline.
                    i = n;
                    break;
                }
                ensureFigure();
                path.cubicTo(points[i], points[i + 1], points[i + 2]);
                current = points[i + 2];
                if (types[i] == CCharPen::kBezierToClose) {
                    path.closeSubpath();
                    inFigure = false;
                }
                i += 3;
                break;
            default:
                ++i;
                break;
        }
    }
    return path;
}

// The font a stamp is recorded with: character height `pixelSize`, normal
// weight, upright, outlines unhinted.
QFont StampFont(const QString& family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStyleStrategy(QFont::PreferOutline);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The glyph of `unicode` in `raw`, or 0 when the font lacks it.
quint32 GlyphIndex(const QRawFont& raw, char32_t unicode)
{
    if (!raw.isValid()) {
        return 0;
    }
    const QList<quint32> indexes = raw.glyphIndexesForString(QString::fromUcs4(&unicode, 1));
    return indexes.isEmpty() ? 0 : indexes.front();
}

}  // namespace

CCharPen::CCharPen(int w, COLORREF c, const QString& face, char16_t ch)
    : CWalkPen(w, c), m_faceName(face.left(kMaxFaceLength)), m_char(ch)
{
    BuildGlyph();
    m_brush = MakeBrush();
}

CCharPen::CCharPen(int w, COLORREF c0, COLORREF c1, COLORREF c2, const QString& face, char16_t ch)
    : CWalkPen(w, c0, c1, c2), m_faceName(face.left(kMaxFaceLength)), m_char(ch)
{
    BuildGlyph();
    BuildMulticolorTexture();
    m_brush = MakeBrush();
}

CCharPen::~CCharPen() = default;

void CCharPen::BuildGlyph()
{
    const StampGlyph glyph = ResolveStampGlyph(m_faceName, m_char);
    const int pixelSize = 3 * m_width + 10;

    // The outline comes from a font that has the character, never from the
    // box a font draws for a missing glyph: first the requested font, then
    // fonts known to hold the character; if none has it, no outline.
    QRawFont raw =
        QRawFont::fromFont(StampFont(glyph.valid ? glyph.family : m_faceName, pixelSize));
    quint32 index = glyph.valid ? GlyphIndex(raw, glyph.unicode) : 0;
    if (glyph.valid && index == 0) {
        for (const QString& family : FallbackFamilies(glyph.unicode)) {
            const QRawFont other = QRawFont::fromFont(StampFont(family, pixelSize));
            const quint32 otherIndex = GlyphIndex(other, glyph.unicode);
            if (otherIndex != 0) {
                raw = other;
                index = otherIndex;
                break;
            }
        }
    }

    int ascent = 0;
    int cy = 0;
    int cx = 0;
    QPainterPath outline;
    if (raw.isValid()) {
        ascent = qRound(raw.ascent());
        cy = ascent + qRound(raw.descent());
        if (index != 0) {
            const QList<QPointF> advances = raw.advancesForGlyphIndexes({index});
            cx = advances.isEmpty() ? 0 : qRound(advances.front().x());
            outline = raw.pathForGlyph(index);
        }
    } else {
        const QFontMetrics metrics(StampFont(m_faceName, pixelSize));
        ascent = metrics.ascent();
        cy = metrics.ascent() + metrics.descent();
    }

    // The character is written with its baseline at ascent - cy / 2 and its
    // left edge at -(cx / 2), which centres its cell on the origin.
    const int offsetX = -(cx / 2);
    const int offsetY = ascent - cy / 2;
    m_spacing = std::max(cx, cy) + 2;

    m_glyphPoints.clear();
    m_glyphTypes.clear();
    const auto closeFigure = [this] {
        if (!m_glyphTypes.empty() && m_glyphTypes.back() != kMoveTo) {
            m_glyphTypes.back() |= 1;
        }
    };
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element e = outline.elementAt(i);
        const QPoint p(qRound(e.x) + offsetX, qRound(e.y) + offsetY);
        std::uint8_t type = kLineTo;
        switch (e.type) {
            case QPainterPath::MoveToElement:
                closeFigure();
                type = kMoveTo;
                break;
            case QPainterPath::LineToElement:
                type = kLineTo;
                break;
            case QPainterPath::CurveToElement:
            case QPainterPath::CurveToDataElement:
                type = kBezierTo;
                break;
        }
        m_glyphPoints.push_back(p);
        m_glyphTypes.push_back(type);
    }
    closeFigure();
    m_glyphCount = static_cast<int>(m_glyphPoints.size());
    m_glyphPath = ReplayOutline(m_glyphPoints, m_glyphTypes);
    // One pixel more on each side for the anti-aliased edge.
    m_glyphBounds = m_glyphPath.controlPointRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    if (!m_glyphPath.isEmpty()) {
        m_glyphMask = DrawDabMask(m_glyphBounds.adjusted(-1, -1, 1, 1),
                                  [this](QPainter& painter) { painter.drawPath(m_glyphPath); });
    }
}

void CCharPen::Draw(CSurface& surface, int originX, int originY)
{
    m_lastStamp = QPoint(-100, -100);
    WalkOn(surface, false, [&] { WalkAllSegments(originX, originY); });
}

QRect CCharPen::MeasureDrawnExtent() const
{
    if (m_points.GetCount() < 2 || m_glyphPath.isEmpty()) {
        return {};
    }
    const QRect box = drawn_extent::PointsBox(m_points);
    constexpr int f = drawn_extent::kFringe;
    return QRect(
        QPoint(box.left() + m_glyphBounds.left() - f, box.top() + m_glyphBounds.top() - f),
        QPoint(box.right() + m_glyphBounds.right() + f, box.bottom() + m_glyphBounds.bottom() + f));
}

void CCharPen::BeginStroke(CSurface& surface, int x, int y)
{
    m_lastStamp = QPoint(-100, -100);
    WalkOn(surface, true, [&] { Plot(x, y); });
    m_lastX = x;
    m_lastY = y;
}

void CCharPen::ContinueStroke(CSurface& surface, int x, int y)
{
    WalkOn(surface, true, [&] { DrawSegment(m_lastX, m_lastY, x, y); });
    m_lastX = x;
    m_lastY = y;
}

void CCharPen::Plot(int x, int y)
{
    if (Distance(x, y, m_lastStamp.x(), m_lastStamp.y()) < m_spacing) {
        return;
    }
    m_lastStamp = QPoint(x, y);
    // Each stamp is a path of its own: one that cannot reach the surface's
    // paint clip is left out.
    constexpr int f = drawn_extent::kFringe;
    if (m_glyphPath.isEmpty() ||
        !WalkReaches(m_glyphBounds.translated(x, y).adjusted(-f, -f, f, f))) {
        return;
    }
    if (const CDabPainter* dabs = m_glyphMask ? WalkDabs(m_brush) : nullptr) {
        dabs->Paint(*m_glyphMask, x, y);
        MarkWalkDirty(m_glyphBounds.translated(x, y));
        return;
    }
    QPainter* painter = WalkPainter();
    if (painter == nullptr) {
        return;
    }
    // The path moves, not the painter: the brush stays anchored at the
    // surface origin.
    painter->fillPath(m_glyphPath.translated(x, y), m_brush);
    MarkWalkDirty(m_glyphBounds.translated(x, y));
}
