#pragma once

#include "canvas/History.h"
#include "canvas/Picture.h"

#include <vector>

// One whole eraser drag: the strokes each of its positions removed, with
// their indices at that moment. It is pushed once the drag is over (its
// change already made); undo puts the groups back last first, so every
// stroke returns to its own place in the drawing order.
class CEraseStep : public CHistoryStep {
public:
    CEraseStep(CPicture& picture, std::vector<CPicture::RemovedStrokes> groups);
    void Redo() override;
    void Undo() override;
    std::size_t HeldBytes() const override;

private:
    CPicture& m_picture;
    std::vector<CPicture::RemovedStrokes> m_groups;
    // The groups' indices, kept while the strokes are back in the picture.
    std::vector<std::vector<int>> m_indices;
    bool m_bDone = true;
};
