#pragma once

#include <QRegion>

#include <vector>

class CPenTool;
class CMemSurface;
class CSurface;

// Composes strokes over a background for the pixels of an area, on two
// threads when there is enough to draw: the area is cut into the rows above
// and below one line, placed so that both parts hold about the same amount
// of drawing, and each part is drawn on a surface of its own, this thread
// taking the upper part and a second thread the lower one.
//
// Each part is drawn exactly as one pass over the whole area would draw it:
// every surface has the picture's size and origin, each part gets the
// background and then, in order, every stroke that can reach it, and the
// pens are clipped to the part, inside which a clipped pen paints what it
// paints unclipped. A pen keeps drawing state while it draws, so the two threads
// take turns on each stroke: each holds a stroke's lock while drawing it,
// and as both go through the strokes in the same order they work in
// parallel except when they reach the same stroke at once.
namespace stroke_bands {

// The part of the area drawn on each surface (either may be empty).
struct Split {
    QRegion upper;
    QRegion lower;
};

// Draws `pens` for `area` (which lies within every surface): the pixels of
// `split.upper` on `upper`, those of `split.lower` on `lower`, each first
// set to `background`'s. Pixels outside a surface's part may change
// anyhow. Returns the split used; with little to draw, or one core, all of
// the area is `upper`'s and `lower` is not touched.
Split Compose(const CSurface& background, const std::vector<CPenTool*>& pens,
              const QRegion& area, CMemSurface& upper, CMemSurface& lower);

// The row at which to cut `area` so that the pieces of `pens` inside it are
// split about evenly, judged by the pixel rows of their piece rectangles.
// Returns a row of the area's bounding box other than its first, or the
// first when nothing lies inside.
int BalancedRow(const std::vector<CPenTool*>& pens, const QRegion& area);

}  // namespace stroke_bands
