#pragma once

#include <QRegion>

#include <vector>

class CPenTool;
class CMemSurface;
class CSurface;

// Composes strokes over a background for the pixels of an area, on two
// threads when there is enough to draw: the area is cut into bands of rows,
// placed so that each holds about the same amount of drawing, and two
// threads take the bands one at a time, each drawing on a surface of its
// own, while the calling thread waits.
//
// Each band is drawn exactly as one pass over the whole area would draw it:
// every surface has the picture's size and origin, each band gets the
// background and then, in order, every stroke that can reach it, and the
// pens are clipped to the band, inside which a clipped pen paints what it
// paints unclipped. A pen keeps drawing state while it draws, so the two
// threads take turns on each stroke: each holds a stroke's lock while
// drawing it, and as both go through the strokes in the same order they
// work in parallel except when they reach the same stroke at once.
namespace stroke_bands {

// The part of the area drawn on each surface (either may be empty).
struct Split {
    QRegion first;
    QRegion second;
};

// Draws `pens` for `area` (which lies within every surface): the pixels of
// `split.first` on `first`, those of `split.second` on `second`, each first
// set to `background`'s. Pixels outside a surface's part may change
// anyhow. Returns the split used; with little to draw, or one core, all of
// the area is `first`'s and `second` is not touched.
Split Compose(const CSurface& background, const std::vector<CPenTool*>& pens,
              const QRegion& area, CMemSurface& first, CMemSurface& second);

}  // namespace stroke_bands
