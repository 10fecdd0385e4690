#include "canvas/CommitSteps.h"

#include "canvas/Picture.h"
#include "pens/PenTool.h"

CCommitStep::CCommitStep(CPicture& picture, std::unique_ptr<CPenTool> pen)
    : m_picture(picture), m_pPen(std::move(pen))
{
}

CCommitStep::~CCommitStep() = default;

void CCommitStep::Redo()
{
    if (!m_pPen) {
        return;
    }
    m_picture.Commit(std::move(m_pPen));
    m_index = m_picture.GetStrokeCount() - 1;
}

// Every later step is undone, so the stroke is where its commit put it.
void CCommitStep::Undo()
{
    if (m_pPen || m_index < 0 || m_index >= m_picture.GetStrokeCount()) {
        return;
    }
    CPicture::RemovedStrokes taken = m_picture.TakeStrokes({m_index});
    m_pPen = std::move(taken.front().pen);
}

std::size_t CCommitStep::HeldBytes() const { return m_pPen ? PenBytes(*m_pPen) : 0; }

CReplaceStep::CReplaceStep(CPicture& picture, int index, std::unique_ptr<CPenTool> pen)
    : m_picture(picture), m_index(index), m_pOther(std::move(pen))
{
}

CReplaceStep::~CReplaceStep() = default;

void CReplaceStep::Redo()
{
    if (m_pOther && m_index >= 0 && m_index < m_picture.GetStrokeCount()) {
        m_pOther = m_picture.ReplaceStroke(m_index, std::move(m_pOther));
    }
}

void CReplaceStep::Undo() { Redo(); }

std::size_t CReplaceStep::HeldBytes() const { return m_pOther ? PenBytes(*m_pOther) : 0; }

void PushCommit(CHistory& history, CPicture& picture, std::unique_ptr<CPenTool> pen)
{
    if (pen) {
        history.Push(std::make_unique<CCommitStep>(picture, std::move(pen)));
    }
}

void PushReplacedCommit(CHistory& history, CPicture& picture, std::unique_ptr<CPenTool> asDrawn,
                        std::unique_ptr<CPenTool> final)
{
    if (!asDrawn) {
        PushCommit(history, picture, std::move(final));
        return;
    }
    PushCommit(history, picture, std::move(asDrawn));
    if (final) {
        history.Push(std::make_unique<CReplaceStep>(picture, picture.GetStrokeCount() - 1,
                                                    std::move(final)));
    }
}
