#pragma once

#include "pens/DabPainter.h"
#include "pens/PenTool.h"

#include <QPainter>

#include <memory>

// Base of the pens that draw from the pixel-line walk (Plot): the dotted pen
// and the symbol stamp. While a walk runs it knows the surface it draws on;
// the painter is opened only when a Plot actually draws, and closed when the
// walk ends, since an image can have just one painter at a time.
class CWalkPen : public CPenTool {
public:
    using CPenTool::CPenTool;

protected:
    // Runs `walk` with Plot drawing on `surface`; `live` also reports each
    // change to the surface (AddDirty).
    template <typename Walk>
    void WalkOn(CSurface& surface, bool live, Walk&& walk)
    {
        m_target = &surface;
        m_live = live;
        walk();
        m_graphics.reset();
        m_dabs.reset();
        m_target = nullptr;
        m_live = false;
    }

    // Walks every segment of the stroke, shifted by (-originX, -originY).
    void WalkAllSegments(int originX, int originY);

    // The antialiased painter on the walk's surface, or nullptr outside a walk.
    QPainter* WalkPainter();
    // A dab painter with `brush` on the walk's surface, made at its first
    // use in a walk: null outside a walk, when the walk's painter is open
    // already, or when the surface or the brush rules one out. A walk paints
    // with one or the other.
    const CDabPainter* WalkDabs(const QBrush& brush);
    // True when a piece painting within `r` can show on the surface walked
    // on: a piece that cannot is left out.
    bool WalkReaches(const QRect& r) const;
    // Reports `r` as changed when the walk draws live.
    void MarkWalkDirty(const QRect& r);

private:
    CSurface* m_target = nullptr;
    bool m_live = false;
    std::unique_ptr<QPainter> m_graphics;
    std::unique_ptr<CDabPainter> m_dabs;
};
