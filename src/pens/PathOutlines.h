#pragma once

#include <QPainterPath>
#include <QPoint>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <vector>

class QPen;

// The stroked outlines of one line's paths, kept from one draw to the next.
// Filling the outline the painter's stroker makes of a path paints exactly
// the pixels stroking the path paints, for well under half the cost, and a
// committed line is drawn again at every eraser step and rebuild that
// reaches it. The outlines hold for one placement of the line (its origin)
// and one version of its points; a draw for any other drops them first.
//
// The outlines come out of the budget of kept drawing (see kept_drawing):
// once it is spent, lines stroke the paths they have no outline for as they
// draw them.
class CPathOutlines {
public:
    // A path's outline, with the rectangle a stroke of the path is painted
    // within (CDabPainter::PathReach), so an outline is painted over the
    // same pixels as its stroke would be.
    struct Entry {
        QPainterPath outline;
        QRect reach;
    };

    CPathOutlines() = default;
    ~CPathOutlines();
    CPathOutlines(const CPathOutlines&) = delete;
    CPathOutlines& operator=(const CPathOutlines&) = delete;

    // Keeps the outlines only if they were made at `origin` for points of
    // `version`; otherwise drops them and starts over for these.
    void Validate(const QPoint& origin, std::uint64_t version);
    // Path `index`'s entry, or null when none is kept.
    const Entry* Find(int index) const;
    // Strokes `path` with `pen` and keeps the outline as path `index`'s:
    // the kept entry, or null (and nothing kept) when the budget has no room
    // for it, in which case `made` holds the outline all the same.
    const Entry* Make(int index, const QPainterPath& path, const QPen& pen, Entry& made);
    // Drops every outline and gives their bytes back to the budget.
    void Clear();

private:
    std::vector<Entry> m_entries;
    QPoint m_origin;
    std::uint64_t m_version = 0;
    std::size_t m_bytes = 0;
};
