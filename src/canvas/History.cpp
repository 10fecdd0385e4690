#include "canvas/History.h"

#include "pens/PenTool.h"
#include "tracing/Outline.h"

#include <numeric>

std::size_t PenBytes(const CPenTool& pen)
{
    std::size_t bytes = sizeof(CPenTool);
    bytes += static_cast<std::size_t>(pen.GetPoints().GetCount()) * sizeof(StrokePoint);
    if (pen.HasTexture()) {
        // The tile and the part of it the brush uses.
        bytes += 2 * static_cast<std::size_t>(pen.GetTexture().sizeInBytes());
    }
    if (const COutline* outline = pen.GetOutline()) {
        for (int i = 0; i < outline->GetCount(); ++i) {
            bytes += static_cast<std::size_t>(outline->At(i).GetCount()) * sizeof(StrokePoint);
        }
    }
    return bytes;
}

void CHistory::Push(std::unique_ptr<CHistoryStep> step, bool alreadyDone)
{
    if (!step) {
        return;
    }
    while (m_steps.size() > m_done) {
        m_steps.pop_back();
    }
    if (m_clean > static_cast<std::ptrdiff_t>(m_done)) {
        m_clean = -1;
    }
    if (!alreadyDone) {
        step->Redo();
    }
    m_steps.push_back(std::move(step));
    ++m_done;
    Trim();
}

bool CHistory::Undo()
{
    if (!CanUndo()) {
        return false;
    }
    --m_done;
    m_steps[m_done]->Undo();
    Trim();
    return true;
}

bool CHistory::Redo()
{
    if (!CanRedo()) {
        return false;
    }
    m_steps[m_done]->Redo();
    ++m_done;
    Trim();
    return true;
}

void CHistory::Clear()
{
    m_steps.clear();
    m_clean = m_clean == static_cast<std::ptrdiff_t>(m_done) ? 0 : -1;
    m_done = 0;
}

std::size_t CHistory::GetHeldBytes() const
{
    return std::accumulate(m_steps.begin(), m_steps.end(), std::size_t{0},
                           [](std::size_t sum, const auto& s) { return sum + s->HeldBytes(); });
}

// Only done steps below the newest one go: an undone step depends on every
// step below it, and dropping the newest would lose the last change.
void CHistory::Trim()
{
    std::size_t held = GetHeldBytes();
    while (m_done > 1 && (m_steps.size() > m_maxSteps || held > m_maxBytes)) {
        held -= m_steps.front()->HeldBytes();
        m_steps.pop_front();
        --m_done;
        m_clean = m_clean > 0 ? m_clean - 1 : -1;
    }
}
