#pragma once

#include "canvas/Background.h"
#include "gfx/Surface.h"

#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class CPenTool;

// The document: a background (built-in number or user image file), a fixed
// size, and the committed strokes in drawing order. Two caches hold its
// rendering: the background alone and the background with every stroke.
// Painting copies the composed cache; a commit draws only the new stroke onto
// it; anything that removes strokes or changes the background marks the
// caches dirty so the next use rebuilds them, except the eraser, which
// rebuilds just the part of the cache the erased strokes had drawn on.
class CPicture {
public:
    CPicture(int cx, int cy, int bkgd);
    ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Appends a committed stroke; draws nothing. A commit is always
    // AddStroke followed by DrawStroke on the same pen.
    void AddStroke(std::unique_ptr<CPenTool> pen);
    // Draws `pen` once onto the composed surface (rebuilding it first when
    // it is dirty).
    void DrawStroke(CPenTool& pen);
    // Removes every stroke touching the 40 x 40 square around (x, y), last
    // to first. Returns true if any went. Marks nothing dirty.
    bool EraseAt(int x, int y);
    struct Erased {
        bool removed = false;
        // The part of the picture the removed strokes had drawn on (their
        // drawn extents, within the picture); empty if they drew nothing.
        QRect damaged;
    };
    // EraseAt, also telling what the removed strokes had covered.
    Erased EraseStrokesAt(int x, int y);
    // Removes every stroke and marks the caches dirty; the background stays.
    void Clear();
    void MarkDirty();

    CMemSurface& GetBkgdSurface();
    CMemSurface& GetPictureSurface();
    // Rebuilds the composed surface now, whatever its flag says.
    void Redraw();
    // Rebuilds the part `area` of the composed surface, giving the pixels a
    // full Redraw would, and leaves every other pixel as it is: the
    // background there, then in order the strokes whose extent meets it.
    // A composed surface that is not built yet or dirty is rebuilt whole.
    void RedrawArea(const QRect& area);
    // Copies the composed surface onto `target` at (0, 0) in the picture's size.
    void DrawTo(CSurface& target);

    int GetWidth() const { return m_cx; }
    int GetHeight() const { return m_cy; }
    int GetStrokeCount() const { return static_cast<int>(m_strokes.size()); }
    const CPenTool& GetStroke(int i) const { return *m_strokes.at(static_cast<std::size_t>(i)); }
    bool IsBkgdDirty() const { return m_bBkgdDirty != 0; }
    bool IsPictureDirty() const { return m_bPictureDirty != 0; }

    const CBackground& GetBackground() const;
    // Puts `background` under the strokes: marks the caches dirty so the next use rebuilds
    // the whole picture.
    void SetBackground(CBackground background);

private:
    CBackground m_background;

public:
    // The background's number (0..23 built in, -1 the user's image file) and
    // the file's path: the fields of m_background, for reading. A write here
    // marks nothing dirty and brings no decoded image; background changes go
    // through SetBackground. A file background draws only the image decoded
    // when it was chosen: the picture never reads files itself.
    int& m_nBkgd = m_background.index;
    QString& m_strImageFile = m_background.file;

    static constexpr int kEraserReach = 20;

private:
    void DrawBackgroundImage(CMemSurface& surface) const;
    void DrawAllStrokes(CMemSurface& surface);

    const int m_cx;
    const int m_cy;
    std::vector<std::unique_ptr<CPenTool>> m_strokes;

    std::unique_ptr<CMemSurface> m_pBkgdSurface;
    int m_bBkgdDirty = 1;
    std::unique_ptr<CMemSurface> m_pPictureSurface;
    int m_bPictureDirty = 1;
    // Where RedrawArea draws the strokes at their own coordinates before
    // copying the area back; only the area's pixels of it mean anything.
    std::unique_ptr<CMemSurface> m_pScratchSurface;
};
