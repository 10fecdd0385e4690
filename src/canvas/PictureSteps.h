#pragma once

#include "canvas/Background.h"
#include "canvas/History.h"

#include <memory>
#include <vector>

class CPenTool;
class CPicture;

// New: redo takes every stroke out of the picture and keeps them, undo puts
// them all back.
class CClearStep : public CHistoryStep {
public:
    explicit CClearStep(CPicture& picture);
    ~CClearStep() override;
    void Redo() override;
    void Undo() override;
    std::size_t HeldBytes() const override;
    int GetClearedCount() const { return static_cast<int>(m_strokes.size()); }

private:
    CPicture& m_picture;
    std::vector<std::unique_ptr<CPenTool>> m_strokes;  // while done
};

// A background change: holds the background before and after it.
class CBackgroundStep : public CHistoryStep {
public:
    CBackgroundStep(CPicture& picture, CBackground before, CBackground after);
    void Redo() override;
    void Undo() override;
    // Background images are not stroke data.
    std::size_t HeldBytes() const override { return 0; }

private:
    CPicture& m_picture;
    CBackground m_before;
    CBackground m_after;
};
