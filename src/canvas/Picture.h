#pragma once

#include "canvas/Background.h"
#include "gfx/Surface.h"

#include <QRect>
#include <QRegion>
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class CPenTool;

// The document: a background (built-in number or user image file), a fixed
// size, and the committed strokes in drawing order. Two caches hold its
// rendering: the background alone and the background with every stroke.
// Painting copies the composed cache; a commit draws only the new stroke onto
// it; anything that removes strokes or changes the background marks the
// caches dirty so the next use rebuilds them, except the eraser, which
// rebuilds just the part of the cache the erased strokes had drawn on.
//
// Every change made through Commit, the erase, take, insert and replace
// operations, TakeAllStrokes, RestoreStrokes and SetBackground is announced
// to the change listeners with the area it changed (a null rectangle: the
// whole picture), after the composed surface already shows it.
class CPicture {
public:
    CPicture(int cx, int cy, int bkgd);
    ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // A stroke taken out of the list, with the index it had there.
    struct RemovedStroke {
        int index = 0;
        std::unique_ptr<CPenTool> pen;
    };
    using RemovedStrokes = std::vector<RemovedStroke>;
    using ChangeListener = std::function<void(const QRect& area)>;

    // Calls `listener` after every announced change; returns its id.
    int AddChangeListener(ChangeListener listener);
    void RemoveChangeListener(int id);

    // Commits a finished stroke: appends it, draws it onto the composed
    // surface and announces its area. `pen` must not be null. A composed
    // surface that is not built or dirty is rebuilt with the stroke instead
    // (drawing the stroke only once).
    CPenTool& Commit(std::unique_ptr<CPenTool> pen);
    // Appends a stroke without drawing or announcing it (building a picture
    // before it is first shown).
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
        // pieces' rectangles, within the picture); empty if they drew nothing.
        QRegion damaged;
    };
    // EraseAt, also telling what the removed strokes had covered.
    Erased EraseStrokesAt(int x, int y);
    // The eraser's step: removes every stroke EraseAt would, rebuilds the
    // area they had drawn on and announces it. The removed strokes come back
    // in ascending order of the indices they had.
    RemovedStrokes EraseStrokes(int x, int y);
    // Removes the strokes at `indices` (ascending, each valid), rebuilds
    // their area and announces it; hands them back with their indices.
    RemovedStrokes TakeStrokes(const std::vector<int>& indices);
    // Puts strokes back at the indices they carry (ascending, as TakeStrokes
    // and EraseStrokes give them), rebuilds their area and announces it.
    void InsertStrokes(RemovedStrokes strokes);
    // Puts `pen` at `index` in place of the stroke there, rebuilds the area
    // both cover and announces it; hands back the stroke it replaced.
    std::unique_ptr<CPenTool> ReplaceStroke(int index, std::unique_ptr<CPenTool> pen);
    // Removes every stroke, in drawing order, marks the caches dirty and
    // announces the whole picture; the background stays. The composed
    // surface as it was is kept for RestoreStrokes.
    std::vector<std::unique_ptr<CPenTool>> TakeAllStrokes();
    // Puts `strokes` in front of the strokes there are, in their order,
    // marks the caches dirty and announces the whole picture. When they are
    // the strokes the last TakeAllStrokes took, the picture has none and the
    // background has the pixels it had then, the composed surface kept then
    // is put back instead, so undoing New costs no rebuild.
    void RestoreStrokes(std::vector<std::unique_ptr<CPenTool>> strokes);
    // Removes and destroys every stroke and marks the caches dirty; the
    // background stays. Announces nothing.
    void Clear();

    // The area of the picture that changes when `pens` come or go: the
    // union of their pieces' rectangles, within the picture.
    QRegion DamageOf(const std::vector<const CPenTool*>& pens) const;
    QRegion DamageOf(const RemovedStrokes& strokes) const;

    void MarkDirty();

    CMemSurface& GetBkgdSurface();
    CMemSurface& GetPictureSurface();
    // Rebuilds the composed surface now, whatever its flag says, and clears
    // the flag.
    void Redraw();
    // Rebuilds the part `area` of the composed surface, giving the pixels a
    // full Redraw would, and leaves every other pixel as it is: the
    // background there, then in order the pieces of the strokes that can
    // reach it. A composed surface that is not built yet or dirty is rebuilt
    // whole.
    void RedrawArea(const QRegion& area);
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
    // the whole picture, and announces the whole picture.
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
    // Tells every listener that `area` changed (null: everything).
    void Announce(const QRect& area) const;
    // Rebuilds `area` of the composed surface and announces it.
    void ShowChange(const QRegion& area);
    // Removes every stroke touching the eraser's square around (x, y).
    RemovedStrokes RemoveHits(int x, int y);
    void DrawBackgroundImage(CMemSurface& surface) const;
    // The strokes in drawing order, for the band composer.
    std::vector<CPenTool*> StrokePointers() const;
    // The surface the second thread of a rebuild draws on (made when first
    // needed).
    CMemSurface& SecondSurface();
    // Rebuilds the whole composed surface from the built background and
    // clears its dirty flag.
    void ComposeWhole();

    const int m_cx;
    const int m_cy;
    std::vector<std::unique_ptr<CPenTool>> m_strokes;

    std::unique_ptr<CMemSurface> m_pBkgdSurface;
    int m_bBkgdDirty = 1;
    std::unique_ptr<CMemSurface> m_pPictureSurface;
    int m_bPictureDirty = 1;
    // Where RedrawArea draws the strokes at their own coordinates before
    // copying the area back; only the area's pixels of it mean anything. It
    // has the composed surface's size, so every stroke is rasterised onto it
    // exactly as onto the composed surface.
    std::unique_ptr<CMemSurface> m_pScratchSurface;
    // Where the second thread of a rebuild draws its part, like the scratch
    // surface, so each thread has a surface of its own.
    std::unique_ptr<CMemSurface> m_pSecondSurface;

    // The composed surface as TakeAllStrokes found it, with the background
    // and the strokes it shows; null when it was not built then or may no
    // longer apply.
    struct TakenComposition {
        QImage image;
        QImage background;
        std::vector<const CPenTool*> strokes;
    };
    std::unique_ptr<TakenComposition> m_taken;

    std::vector<std::pair<int, ChangeListener>> m_listeners;
    int m_nextListenerId = 1;
};
