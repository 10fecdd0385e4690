#include "canvas/PictureSteps.h"

#include "canvas/Picture.h"
#include "pens/PenTool.h"

CClearStep::CClearStep(CPicture& picture) : m_picture(picture) {}

CClearStep::~CClearStep() = default;

void CClearStep::Redo()
{
    if (m_strokes.empty()) {
        m_strokes = m_picture.TakeAllStrokes();
    }
}

// Every later step is undone, so the picture has no strokes of its own.
void CClearStep::Undo()
{
    m_picture.RestoreStrokes(std::move(m_strokes));
    m_strokes.clear();
}

std::size_t CClearStep::HeldBytes() const
{
    std::size_t bytes = 0;
    for (const std::unique_ptr<CPenTool>& pen : m_strokes) {
        bytes += PenBytes(*pen);
    }
    return bytes;
}

CBackgroundStep::CBackgroundStep(CPicture& picture, CBackground before, CBackground after)
    : m_picture(picture), m_before(std::move(before)), m_after(std::move(after))
{
}

void CBackgroundStep::Redo() { m_picture.SetBackground(m_after); }

void CBackgroundStep::Undo() { m_picture.SetBackground(m_before); }
