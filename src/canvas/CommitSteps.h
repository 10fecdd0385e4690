#pragma once

#include "canvas/History.h"

#include <memory>

class CPenTool;
class CPicture;

// A committed stroke: redo commits it (appends and draws), undo takes it
// out of the picture again and keeps it.
class CCommitStep : public CHistoryStep {
public:
    CCommitStep(CPicture& picture, std::unique_ptr<CPenTool> pen);
    ~CCommitStep() override;
    void Redo() override;
    void Undo() override;
    std::size_t HeldBytes() const override;

private:
    CPicture& m_picture;
    std::unique_ptr<CPenTool> m_pPen;  // while undone
    int m_index = -1;                  // where it went in the stroke list
};

// A stroke replaced where it stands (the recognised shape or the reshaped
// ink stroke for the stroke as drawn): redo and undo swap the two.
class CReplaceStep : public CHistoryStep {
public:
    CReplaceStep(CPicture& picture, int index, std::unique_ptr<CPenTool> pen);
    ~CReplaceStep() override;
    void Redo() override;
    void Undo() override;
    std::size_t HeldBytes() const override;

private:
    CPicture& m_picture;
    int m_index;
    std::unique_ptr<CPenTool> m_pOther;  // the one not in the picture
};

// Commits `pen` as one step.
void PushCommit(CHistory& history, CPicture& picture, std::unique_ptr<CPenTool> pen);
// Commits `asDrawn`, then replaces it with `final` as a second step, so the
// first undo gives back the stroke as drawn. Without `asDrawn` the final
// stroke is committed as one step.
void PushReplacedCommit(CHistory& history, CPicture& picture, std::unique_ptr<CPenTool> asDrawn,
                        std::unique_ptr<CPenTool> final);
