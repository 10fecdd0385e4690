#include "canvas/EraseStep.h"

#include "pens/PenTool.h"

CEraseStep::CEraseStep(CPicture& picture, std::vector<CPicture::RemovedStrokes> groups)
    : m_picture(picture), m_groups(std::move(groups))
{
}

void CEraseStep::Undo()
{
    if (!m_bDone) {
        return;
    }
    m_indices.assign(m_groups.size(), {});
    for (std::size_t g = m_groups.size(); g-- > 0;) {
        for (const CPicture::RemovedStroke& r : m_groups[g]) {
            m_indices[g].push_back(r.index);
        }
        m_picture.InsertStrokes(std::move(m_groups[g]));
    }
    m_groups.clear();
    m_bDone = false;
}

void CEraseStep::Redo()
{
    if (m_bDone) {
        return;
    }
    m_groups.clear();
    for (const std::vector<int>& indices : m_indices) {
        m_groups.push_back(m_picture.TakeStrokes(indices));
    }
    m_indices.clear();
    m_bDone = true;
}

std::size_t CEraseStep::HeldBytes() const
{
    std::size_t bytes = 0;
    for (const CPicture::RemovedStrokes& group : m_groups) {
        for (const CPicture::RemovedStroke& r : group) {
            bytes += PenBytes(*r.pen);
        }
    }
    return bytes;
}
