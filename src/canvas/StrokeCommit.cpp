#include "canvas/StrokeCommit.h"

#include "pens/PenTool.h"
#include "recognition/StrokeAnalyzer.h"

bool RecognizeStrokeShape(const CPointArray& in, CPointArray& out)
{
    const CStrokeAnalyzer analyzer;
    return analyzer.RecognizeShape(in, out);
}

FinishedStroke FinishCapturedStroke(std::unique_ptr<CPenTool> pen, const CToolSettings& settings,
                                    int tool, const PenMaker& makePen,
                                    const ShapeRecognizer& recognize)
{
    FinishedStroke result;
    if (!pen || pen->GetPoints().GetCount() <= 1) {
        return result;
    }
    pen->FinishStroke();

    const bool recog = IsPenTool(tool) && settings.m_toolRecog[static_cast<std::size_t>(tool)];
    if (recog && IsInkTool(tool)) {
        // A finished stroke draws from its points (the ink pens keep their
        // widths in them) alone, so a pen of the same tool holding the same
        // finished points draws the stroke exactly as it was drawn.
        if (std::unique_ptr<CPenTool> copy = makePen ? makePen(settings, tool) : nullptr) {
            copy->GetPoints() = pen->GetPoints();
            copy->MarkFinished();
            copy->FinishStroke();
            result.drawn = std::move(copy);
        }
        result.route = FinishedStroke::Route::Shape;
        result.pen = std::move(pen);
        return result;
    }
    if (recog && makePen && recognize) {
        std::unique_ptr<CPenTool> shape = makePen(settings, tool);
        if (shape && recognize(pen->GetPoints(), shape->GetPoints())) {
            result.route = FinishedStroke::Route::Recognized;
            result.pen = std::move(shape);
            result.drawn = std::move(pen);
            return result;
        }
    }
    result.route = FinishedStroke::Route::Commit;
    result.pen = std::move(pen);
    return result;
}
