#pragma once

#include "canvas/ToolSettings.h"
#include "geometry/PointArray.h"

#include <functional>
#include <memory>

class CPenTool;

// Builds the pen of a tool from its settings; nullptr when it cannot.
using PenMaker = std::function<std::unique_ptr<CPenTool>(const CToolSettings&, int tool)>;
// The shape recogniser: reads a finished stroke's points and, when it finds a
// shape, writes the clean shape's points into `out` and returns true.
using ShapeRecognizer = std::function<bool(const CPointArray& in, CPointArray& out)>;

// The program's shape recogniser (line, triangle, rectangle, diamond,
// circle, ellipse).
bool RecognizeStrokeShape(const CPointArray& in, CPointArray& out);

// Where a stroke goes when the button comes up.
struct FinishedStroke {
    enum class Route {
        Dropped,     // at most one point: no stroke
        Commit,      // commit `pen` as drawn (the canvas queues this)
        Recognized,  // `pen` is the recognised shape: commit it and repaint
        Shape,       // an ink stroke with recognition on: the ink shaper
                     // reshapes `pen`, then it is committed
    };
    Route route = Route::Dropped;
    std::unique_ptr<CPenTool> pen;
    // Recognized and Shape: the stroke as it would have been committed with
    // recognition off (for Shape a finished copy, since the shaper rewrites
    // `pen` itself); null when no copy could be made.
    std::unique_ptr<CPenTool> drawn;
};

// Finishes a captured stroke of `tool` and decides its route. With
// recognition off the finished pen is committed as it is; an ink tool's pen
// goes to the ink shaper. Otherwise a fresh pen of the same tool
// and settings receives the recognised shape's points; when the recogniser
// finds nothing the captured pen is committed unchanged.
FinishedStroke FinishCapturedStroke(std::unique_ptr<CPenTool> pen, const CToolSettings& settings,
                                    int tool, const PenMaker& makePen,
                                    const ShapeRecognizer& recognize);
