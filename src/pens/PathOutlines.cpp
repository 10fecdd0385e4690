#include "pens/PathOutlines.h"

#include "pens/DabPainter.h"
#include "pens/KeptDrawing.h"

#include <QPainterPathStroker>
#include <QPen>

namespace {

// What an outline costs: its elements, and the points and types the painter
// converts them to on the first fill and keeps with the path.
std::size_t OutlineBytes(const QPainterPath& outline)
{
    constexpr std::size_t kPerElement =
        sizeof(QPainterPath::Element) + 2 * sizeof(qreal) + sizeof(QPainterPath::ElementType);
    constexpr std::size_t kPerPath = 128;
    return static_cast<std::size_t>(outline.elementCount()) * kPerElement + kPerPath;
}

}  // namespace

CPathOutlines::~CPathOutlines() { Clear(); }

void CPathOutlines::Validate(const QPoint& origin, std::uint64_t version)
{
    if (origin != m_origin || version != m_version) {
        Clear();
        m_origin = origin;
        m_version = version;
    }
}

const CPathOutlines::Entry* CPathOutlines::Find(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) {
        return nullptr;
    }
    const Entry& entry = m_entries[static_cast<std::size_t>(index)];
    return entry.outline.isEmpty() ? nullptr : &entry;
}

const CPathOutlines::Entry* CPathOutlines::Make(int index, const QPainterPath& path,
                                                const QPen& pen, Entry& made)
{
    // The stroker the painter strokes a wide pen with, set up from the pen:
    // its width, caps, joins and miter limit.
    const QPainterPathStroker stroker(pen);
    made.outline = stroker.createStroke(path);
    made.reach = CDabPainter::PathReach(path, &pen);
    if (index < 0 || made.outline.isEmpty()) {
        return nullptr;
    }
    const std::size_t bytes = OutlineBytes(made.outline);
    if (!kept_drawing::Reserve(bytes)) {
        return nullptr;
    }
    m_bytes += bytes;
    if (static_cast<std::size_t>(index) >= m_entries.size()) {
        m_entries.resize(static_cast<std::size_t>(index) + 1);
    }
    Entry& kept = m_entries[static_cast<std::size_t>(index)];
    kept = made;
    return &kept;
}

void CPathOutlines::Clear()
{
    kept_drawing::Release(m_bytes);
    m_bytes = 0;
    m_entries.clear();
}
