#pragma once

#include <functional>
#include <string>
#include <vector>

#include "geometry/PointArray.h"

// Bounding box of a finished stroke's points (largest coordinates inclusive).
struct InkStrokeBounds {
    int minX = 0;
    int minY = 0;
    int maxX = 0;
    int maxY = 0;
};

// What the shaper decided for one stroke.
struct InkShapeResult {
    // The class's label as written to the diagnostic log ("横", "与 : 3, 9,
    // 14", ...); empty when the stroke fits no class.
    std::string label;
    // The stroke-point indices of the corners the class's widths turn at.
    std::vector<int> corners;

    bool IsClassified() const { return !label.empty(); }
    // The class name: the label up to " : ".
    std::string ClassName() const;
};

// Reshapes one finished writing-brush or fountain-pen stroke as a basic
// stroke of Chinese handwriting: it classifies the stroke (dot, horizontal,
// rising, vertical, falling strokes, hooks, turns and compound strokes),
// rewrites the width stored in every point's `time` field with the class's
// calligraphic profile, and hands the stroke on through the commit callback
// exactly once, whether a class fitted or not.
//
// The shaper sees only the stroke's points and numbers; the program around
// it decides what committing means (build the pen's outline, add it to the
// picture, repaint), so this runs on a worker thread without touching any
// window.
class CInkStrokeShaper {
public:
    struct Stroke {
        CPointArray* points = nullptr;  // finished: angles and lengths set
        int width = 0;                  // the pen's nominal width
        InkStrokeBounds bounds;
        // The tool the stroke was drawn with (7..10): the writing brush (7,
        // 8) starts its falling strokes wider than the fountain pen.
        int tool = 9;
    };
    struct Hooks {
        // Called once the widths are final (marks the pen shaped).
        std::function<void()> setFinished;
        // Called exactly once per stroke, after the widths are final.
        std::function<void()> commit;
    };

    CInkStrokeShaper(const Stroke& stroke, Hooks hooks);

    // The whole cascade: dot, straight, one corner, then the detector table.
    InkShapeResult ShapeInkStroke();

    // Width profiles over the point range [a, b). pos(i) is the sum of the
    // squared step lengths of points a + 1 ... i.
    //
    // The sum of the `length` values of points a + 1 ... b - 1.
    double SumLengths(int a, int b) const;
    // The index of the point nearest to (x, y), the first one on ties.
    int NearestPointIndex(int x, int y) const;
    // From w0 at point a to w1 at the end, in proportion to pos(i).
    void LinearWidths(int a, int b, double w0, double w1);
    // From w0 up (or down) to max(wm, 2) at the fraction f of the length,
    // then to w1 at the end.
    void PeakWidths(int a, int b, double w0, double wm, double w1, double f);
    // PeakWidths with the middle at half of w0 and at the golden section.
    void TaperWidths(int a, int b, double w0, double w1);

private:
    bool ShapeDot();
    bool ShapeStraight(const CPointArray& out);
    bool ShapeBent(const CPointArray& out);
    // Sets the widths of the class named by `label` (its profile turning at
    // `corners`, given as positions), commits, logs and records the result.
    void ApplyClass(const char* label, const std::vector<const StrokePoint*>& corners);
    void WriteProfile(const std::string& name, const std::vector<int>& k,
                      const std::vector<const StrokePoint*>& corners);
    void CommitShaped();
    void SetWidth(int i, double width);
    bool IsWritingBrushTool() const { return m_tool == 7 || m_tool == 8; }

    CPointArray& m_points;
    const int m_width;
    const InkStrokeBounds m_bounds;
    const int m_tool;
    Hooks m_hooks;
    InkShapeResult m_result;
    bool m_committed = false;
};
