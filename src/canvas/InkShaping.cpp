#include "canvas/InkShaping.h"

#include "pens/InkPen.h"

InkShapeResult ShapeInkPen(CInkPen& pen, int tool, const std::function<void()>& commit)
{
    const StrokeRect& box = pen.GetBounds();
    CInkStrokeShaper::Stroke stroke;
    stroke.points = &pen.GetPoints();
    stroke.width = pen.GetWidth();
    stroke.bounds = InkStrokeBounds{box.left, box.top, box.right, box.bottom};
    stroke.tool = tool;

    CInkStrokeShaper::Hooks hooks;
    hooks.setFinished = [&pen] { pen.MarkFinished(); };
    hooks.commit = commit;
    CInkStrokeShaper shaper(stroke, std::move(hooks));
    return shaper.ShapeInkStroke();
}
