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
        result.route = FinishedStroke::Route::Shape;
        result.pen = std::move(pen);
        return result;
    }
    if (recog && makePen && recognize) {
        std::unique_ptr<CPenTool> shape = makePen(settings, tool);
        if (shape && recognize(pen->GetPoints(), shape->GetPoints())) {
            result.route = FinishedStroke::Route::Recognized;
            result.pen = std::move(shape);
            return result;
        }
    }
    result.route = FinishedStroke::Route::Commit;
    result.pen = std::move(pen);
    return result;
}
