#include "pens/WalkPen.h"

#include "gfx/Surface.h"

void CWalkPen::WalkAllSegments(int originX, int originY)
{
    const std::vector<StrokePoint>& pts = m_points.Points();
    for (std::size_t i = 1; i < pts.size(); ++i) {
        DrawSegment(pts[i - 1].x - originX, pts[i - 1].y - originY, pts[i].x - originX,
                    pts[i].y - originY);
    }
}

QPainter* CWalkPen::WalkPainter()
{
    if (m_target == nullptr || (m_dabs && m_dabs->IsReady())) {
        return nullptr;
    }
    if (!m_graphics) {
        m_graphics = std::make_unique<QPainter>(&m_target->Image());
        m_target->ApplyPaintClip(*m_graphics);
        m_graphics->setRenderHint(QPainter::Antialiasing);
    }
    return m_graphics.get();
}

const CDabPainter* CWalkPen::WalkDabs(const QBrush& brush)
{
    if (m_target == nullptr) {
        return nullptr;
    }
    if (!m_dabs) {
        if (m_graphics) {
            return nullptr;
        }
        m_dabs = std::make_unique<CDabPainter>(m_target->Image(), m_target->PaintClip(), brush);
    }
    return m_dabs->IsReady() ? m_dabs.get() : nullptr;
}

bool CWalkPen::WalkReaches(const QRect& r) const
{
    return m_target != nullptr && m_target->ClipReaches(r);
}

void CWalkPen::MarkWalkDirty(const QRect& r)
{
    if (m_live && m_target != nullptr) {
        m_target->AddDirty(r & m_target->Rect());
    }
}
