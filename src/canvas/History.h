#pragma once

#include <cstddef>
#include <deque>
#include <memory>

class CPenTool;

// One undoable change of the picture. A step owns exactly the pens it needs
// while they are out of the picture.
class CHistoryStep {
public:
    virtual ~CHistoryStep() = default;
    // Makes the change (again). A step pushed after its change was already
    // made is told so by the history and is not redone at the push.
    virtual void Redo() = 0;
    virtual void Undo() = 0;
    // Bytes of stroke data this step holds that the picture does not.
    virtual std::size_t HeldBytes() const = 0;
};

// An estimate of what a pen holds: its points, texture and outline.
std::size_t PenBytes(const CPenTool& pen);

// The picture's history of changes: the steps done, oldest first, then the
// steps undone that a redo can bring back. A new step drops those. The
// history keeps at most kMaxSteps steps and kMaxBytes of stroke data held
// only by it; over either bound the oldest done steps go first (the newest
// step always stays, so the last change is never lost to the bound).
//
// (Qt's undo stack cannot drop its oldest steps once it holds any, so it
// could not keep the byte bound.)
class CHistory {
public:
    static constexpr std::size_t kMaxSteps = 1000;
    static constexpr std::size_t kMaxBytes = std::size_t{256} << 20;

    CHistory() = default;
    CHistory(std::size_t maxSteps, std::size_t maxBytes)
        : m_maxSteps(maxSteps), m_maxBytes(maxBytes)
    {
    }
    CHistory(const CHistory&) = delete;
    CHistory& operator=(const CHistory&) = delete;

    // Drops the steps that could be redone, then makes `step`'s change
    // (unless `alreadyDone`) and keeps it as the newest step.
    void Push(std::unique_ptr<CHistoryStep> step, bool alreadyDone = false);
    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // Undoes the newest done step; false when there is none.
    bool Undo();
    // Redoes the oldest undone step; false when there is none.
    bool Redo();
    // Forgets every step.
    void Clear();

    // True while the picture is as it was when SetClean was last called
    // (initially: as it was at the start).
    bool IsClean() const { return m_clean == static_cast<std::ptrdiff_t>(m_done); }
    void SetClean() { m_clean = static_cast<std::ptrdiff_t>(m_done); }

    std::size_t GetCount() const { return m_steps.size(); }
    std::size_t GetDoneCount() const { return m_done; }
    std::size_t GetHeldBytes() const;

private:
    void Trim();

    std::deque<std::unique_ptr<CHistoryStep>> m_steps;
    std::size_t m_done = 0;
    // The done count at which the picture was clean; -1 when that state is
    // gone for good (its steps were dropped).
    std::ptrdiff_t m_clean = 0;
    std::size_t m_maxSteps = kMaxSteps;
    std::size_t m_maxBytes = kMaxBytes;
};
