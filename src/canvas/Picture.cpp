#include "canvas/Picture.h"

#include "canvas/StrokeBands.h"
#include "gfx/ResImage.h"
#include "pens/PenTool.h"

#include <QPainter>

#include <algorithm>

namespace {
// The union of `rects`, built by halves: uniting one rectangle at a time
// into a region of many bands costs a pass over all of them each time.
QRegion UniteRects(const std::vector<QRect>& rects, std::size_t first, std::size_t last)
{
    if (last - first == 1) {
        return QRegion(rects[first]);
    }
    const std::size_t middle = first + (last - first) / 2;
    return UniteRects(rects, first, middle) | UniteRects(rects, middle, last);
}

QRegion UniteRects(const std::vector<QRect>& rects)
{
    return rects.empty() ? QRegion() : UniteRects(rects, 0, rects.size());
}

constexpr COLORREF kWhite = MakeRgb(255, 255, 255);
constexpr COLORREF kRebuildGrey = MakeRgb(170, 170, 170);
}  // namespace

CPicture::CPicture(int cx, int cy, int bkgd)
    : m_cx(std::max(cx, 0)), m_cy(std::max(cy, 0))
{
    m_background.index = bkgd;
}

// Strokes go before the caches, last first, as Clear does.
CPicture::~CPicture()
{
    while (!m_strokes.empty()) {
        m_strokes.pop_back();
    }
}

int CPicture::AddChangeListener(ChangeListener listener)
{
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void CPicture::RemoveChangeListener(int id)
{
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void CPicture::Announce(const QRect& area) const
{
    // A listener may add or remove listeners: call a copy of the list.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners) {
        if (listener) {
            listener(area);
        }
    }
}

void CPicture::ShowChange(const QRegion& area)
{
    const bool whole = !m_pPictureSurface || m_bPictureDirty || m_bBkgdDirty;
    RedrawArea(area);
    Announce(whole ? QRect() : area.boundingRect());
}

QRegion CPicture::DamageOf(const std::vector<const CPenTool*>& pens) const
{
    const QRect picture(0, 0, m_cx, m_cy);
    std::vector<QRect> rects;
    for (const CPenTool* pen : pens) {
        if (pen == nullptr || !pen->DrawnExtent().intersects(picture)) {
            continue;
        }
        for (const QRect& r : pen->PieceRects()) {
            const QRect part = r & picture;
            if (!part.isEmpty()) {
                rects.push_back(part);
            }
        }
    }
    return UniteRects(rects);
}

CPenTool& CPicture::Commit(std::unique_ptr<CPenTool> pen)
{
    CPenTool& committed = *pen;
    const bool whole = !m_pPictureSurface || m_bPictureDirty || m_bBkgdDirty;
    m_strokes.push_back(std::move(pen));
    // A composed surface that is rebuilt now draws every stroke, the new one
    // included: drawing it again on top would darken its antialiased edges,
    // and the picture would no longer be what a full rebuild gives.
    if (whole) {
        GetPictureSurface();
    } else {
        DrawStroke(committed);
    }
    Announce(whole ? QRect() : committed.DrawnExtent() & QRect(0, 0, m_cx, m_cy));
    return committed;
}

void CPicture::AddStroke(std::unique_ptr<CPenTool> pen)
{
    if (pen) {
        m_strokes.push_back(std::move(pen));
    }
}

void CPicture::DrawStroke(CPenTool& pen)
{
    pen.Draw(GetPictureSurface(), 0, 0);
}

bool CPicture::EraseAt(int x, int y)
{
    return EraseStrokesAt(x, y).removed;
}

namespace {
// Strokes leaving the picture for the undo history keep only what they
// are: what they kept to redraw faster would hold memory other strokes
// can use.
void ForgetKeptDrawing(const CPicture::RemovedStrokes& strokes)
{
    for (const CPicture::RemovedStroke& r : strokes) {
        r.pen->ForgetKeptDrawing();
    }
}
}  // namespace

CPicture::Erased CPicture::EraseStrokesAt(int x, int y)
{
    Erased erased;
    const RemovedStrokes removed = RemoveHits(x, y);
    erased.removed = !removed.empty();
    erased.damaged = DamageOf(removed);
    return erased;
}

// One pass that keeps the strokes missing the square in order and moves the
// others out, so a drag over many strokes stays linear in the list.
CPicture::RemovedStrokes CPicture::RemoveHits(int x, int y)
{
    RemovedStrokes removed;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_strokes.size(); ++i) {
        if (m_strokes[i]->HitTest(x - kEraserReach, y - kEraserReach, x + kEraserReach,
                                  y + kEraserReach)) {
            removed.push_back(RemovedStroke{static_cast<int>(i), std::move(m_strokes[i])});
        } else {
            if (kept != i) {
                m_strokes[kept] = std::move(m_strokes[i]);
            }
            ++kept;
        }
    }
    m_strokes.resize(kept);
    ForgetKeptDrawing(removed);
    return removed;
}

CPicture::RemovedStrokes CPicture::EraseStrokes(int x, int y)
{
    RemovedStrokes removed = RemoveHits(x, y);
    if (!removed.empty()) {
        ShowChange(DamageOf(removed));
    }
    return removed;
}

QRegion CPicture::DamageOf(const RemovedStrokes& strokes) const
{
    std::vector<const CPenTool*> pens;
    pens.reserve(strokes.size());
    for (const RemovedStroke& r : strokes) {
        pens.push_back(r.pen.get());
    }
    return DamageOf(pens);
}

CPicture::RemovedStrokes CPicture::TakeStrokes(const std::vector<int>& indices)
{
    RemovedStrokes removed;
    std::size_t next = 0;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_strokes.size(); ++i) {
        if (next < indices.size() && static_cast<std::size_t>(indices[next]) == i) {
            removed.push_back(RemovedStroke{static_cast<int>(i), std::move(m_strokes[i])});
            ++next;
        } else {
            if (kept != i) {
                m_strokes[kept] = std::move(m_strokes[i]);
            }
            ++kept;
        }
    }
    m_strokes.resize(kept);
    ForgetKeptDrawing(removed);
    if (!removed.empty()) {
        ShowChange(DamageOf(removed));
    }
    return removed;
}

void CPicture::InsertStrokes(RemovedStrokes strokes)
{
    if (strokes.empty()) {
        return;
    }
    const QRegion area = DamageOf(strokes);
    // Merge: the result's slot j holds the next inserted stroke when that
    // stroke's index is j, otherwise the next stroke already there.
    std::vector<std::unique_ptr<CPenTool>> merged;
    merged.reserve(m_strokes.size() + strokes.size());
    std::size_t from = 0;
    for (RemovedStroke& r : strokes) {
        while (static_cast<int>(merged.size()) < r.index && from < m_strokes.size()) {
            merged.push_back(std::move(m_strokes[from++]));
        }
        merged.push_back(std::move(r.pen));
    }
    while (from < m_strokes.size()) {
        merged.push_back(std::move(m_strokes[from++]));
    }
    m_strokes = std::move(merged);
    ShowChange(area);
}

std::unique_ptr<CPenTool> CPicture::ReplaceStroke(int index, std::unique_ptr<CPenTool> pen)
{
    std::unique_ptr<CPenTool>& slot = m_strokes.at(static_cast<std::size_t>(index));
    const QRegion area = DamageOf(std::vector<const CPenTool*>{slot.get(), pen.get()});
    std::swap(slot, pen);
    ShowChange(area);
    if (pen) {
        pen->ForgetKeptDrawing();
    }
    return pen;
}

std::vector<std::unique_ptr<CPenTool>> CPicture::TakeAllStrokes()
{
    m_taken.reset();
    if (m_pPictureSurface && !m_bPictureDirty && !m_bBkgdDirty && !m_strokes.empty()) {
        // A shallow copy: the rebuild without the strokes detaches the
        // surface from it.
        m_taken = std::make_unique<TakenComposition>();
        m_taken->image = m_pPictureSurface->Image();
        m_taken->background = m_pBkgdSurface->Image();
        for (const std::unique_ptr<CPenTool>& pen : m_strokes) {
            m_taken->strokes.push_back(pen.get());
        }
    }
    std::vector<std::unique_ptr<CPenTool>> strokes = std::move(m_strokes);
    m_strokes.clear();
    for (const std::unique_ptr<CPenTool>& pen : strokes) {
        pen->ForgetKeptDrawing();
    }
    MarkDirty();
    Announce(QRect());
    return strokes;
}

void CPicture::RestoreStrokes(std::vector<std::unique_ptr<CPenTool>> strokes)
{
    const std::unique_ptr<TakenComposition> taken = std::move(m_taken);
    const bool same = taken && m_strokes.empty() && m_pPictureSurface &&
                      std::equal(strokes.begin(), strokes.end(), taken->strokes.begin(),
                                 taken->strokes.end(),
                                 [](const std::unique_ptr<CPenTool>& pen, const CPenTool* was) {
                                     return pen.get() == was;
                                 }) &&
                      GetBkgdSurface().Image() == taken->background;
    for (std::unique_ptr<CPenTool>& pen : m_strokes) {
        strokes.push_back(std::move(pen));
    }
    m_strokes = std::move(strokes);
    if (same) {
        // The same strokes over the same background: the surface they were
        // taken from is what rebuilding it would give.
        m_pPictureSurface->Image() = taken->image;
        m_bPictureDirty = 0;
    } else {
        MarkDirty();
    }
    Announce(QRect());
}

void CPicture::Clear()
{
    m_taken.reset();
    while (!m_strokes.empty()) {
        m_strokes.pop_back();
    }
    MarkDirty();
}

void CPicture::MarkDirty()
{
    m_bBkgdDirty = 1;
    m_bPictureDirty = 1;
}

// A built-in background is decoded from the resources at every rebuild and
// dropped once drawn; a file background is drawn from the image kept since it
// was chosen, so moving or deleting the file later changes nothing.
void CPicture::DrawBackgroundImage(CMemSurface& surface) const
{
    if (m_background.index < 0) {
        if (m_background.image.isNull()) {
            return;
        }
        QPainter p(&surface.Image());
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, 0, m_cx, m_cy), m_background.image);
        return;
    }
    CResImage image;
    image.LoadBackground(m_background.index);
    image.DrawIn(surface, 0, 0, m_cx, m_cy);
}

const CBackground& CPicture::GetBackground() const
{
    return m_background;
}

void CPicture::SetBackground(CBackground background)
{
    m_taken.reset();
    m_background = std::move(background);
    MarkDirty();
    Announce(QRect());
}

CMemSurface& CPicture::GetBkgdSurface()
{
    if (!m_pBkgdSurface) {
        m_pBkgdSurface = std::make_unique<CMemSurface>(m_cx, m_cy, kWhite);
        DrawBackgroundImage(*m_pBkgdSurface);
        m_bBkgdDirty = 0;
    }
    if (m_bBkgdDirty) {
        m_pBkgdSurface->Fill(QRect(0, 0, m_cx, m_cy), kRebuildGrey);
        DrawBackgroundImage(*m_pBkgdSurface);
        m_bBkgdDirty = 0;
    }
    return *m_pBkgdSurface;
}

std::vector<CPenTool*> CPicture::StrokePointers() const
{
    std::vector<CPenTool*> pens;
    pens.reserve(m_strokes.size());
    for (const std::unique_ptr<CPenTool>& pen : m_strokes) {
        pens.push_back(pen.get());
    }
    return pens;
}

CMemSurface& CPicture::SecondSurface()
{
    if (!m_pSecondSurface) {
        m_pSecondSurface = std::make_unique<CMemSurface>(m_cx, m_cy, kWhite);
    }
    return *m_pSecondSurface;
}

void CPicture::ComposeWhole()
{
    const QRect whole(0, 0, m_cx, m_cy);
    const stroke_bands::Split split = stroke_bands::Compose(
        *m_pBkgdSurface, StrokePointers(), whole, *m_pPictureSurface, SecondSurface());
    m_pPictureSurface->CopyFrom(*m_pSecondSurface, split.second);
    m_bPictureDirty = 0;
}

CMemSurface& CPicture::GetPictureSurface()
{
    GetBkgdSurface();
    if (!m_pPictureSurface) {
        m_pPictureSurface = std::make_unique<CMemSurface>(m_cx, m_cy, kWhite);
        ComposeWhole();
    } else if (m_bPictureDirty) {
        m_pPictureSurface->Fill(QRect(0, 0, m_cx, m_cy), kRebuildGrey);
        ComposeWhole();
    }
    return *m_pPictureSurface;
}

void CPicture::Redraw()
{
    if (!m_pPictureSurface) {
        GetPictureSurface();
        return;
    }
    GetBkgdSurface();
    // The surface then shows exactly the strokes of the list: a later area
    // rebuild need not rebuild it whole again.
    ComposeWhole();
}

void CPicture::RedrawArea(const QRegion& area)
{
    if (!m_pPictureSurface || m_bPictureDirty || m_bBkgdDirty) {
        Redraw();
        return;
    }
    const QRegion part = area & QRect(0, 0, m_cx, m_cy);
    if (part.isEmpty()) {
        return;
    }
    // A piece that cannot reach the area changes none of its pixels, and
    // each pixel's colour depends only on the pixel below and the pieces
    // over it (textures are anchored at the surface origin, which the
    // scratch surfaces share, and a clip changes nothing inside it), so drawing the rest
    // in order on the background gives the area the pixels of a full
    // rebuild.
    if (!m_pScratchSurface) {
        m_pScratchSurface = std::make_unique<CMemSurface>(m_cx, m_cy, kWhite);
    }
    const stroke_bands::Split split = stroke_bands::Compose(
        *m_pBkgdSurface, StrokePointers(), part, *m_pScratchSurface, SecondSurface());
    m_pPictureSurface->CopyFrom(*m_pScratchSurface, split.first);
    m_pPictureSurface->CopyFrom(*m_pSecondSurface, split.second);
}

void CPicture::DrawTo(CSurface& target)
{
    CMemSurface& composed = GetPictureSurface();
    QPainter p(&target.Image());
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), composed.Image(), QRect(0, 0, m_cx, m_cy));
}
