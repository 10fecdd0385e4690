#include "tracing/OutlineTracer.h"

#include "geometry/TickCount.h"
#include "tracing/ContourSimplify.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <new>

namespace {
// Larger sides would overflow the corner coordinates; no real mask is close.
constexpr std::int32_t kMaxSide = 1 << 28;
// Closed chains well above the current row are flushed this often.
constexpr std::int32_t kFlushRows = 32;
constexpr std::uint8_t kInside = 0xFF;

std::uint64_t Load8(const std::uint8_t* p)
{
    std::uint64_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v;
}
}  // namespace

COutlineTracer::COutlineTracer(std::int32_t polarity) : m_polarity(polarity) {}

// ---------------------------------------------------------------------------
// Entry point: validates the bitmap, runs the trace, and leaves either the
// whole result (true) or nothing (false).

bool COutlineTracer::TraceBitmap(const MonoBitmap& bitmap, double tolerance, double sizeDivisor)
{
    m_result.RemoveAll();
    m_emitted = 0;
    if (bitmap.planes != 1 || bitmap.bitsPerPixel != 1) {
        return false;
    }
    if (bitmap.width < 0 || bitmap.height < 0 || bitmap.width > kMaxSide ||
        bitmap.height > kMaxSide) {
        return false;
    }
    if (bitmap.width == 0 || bitmap.height == 0) {
        return true;
    }
    if (bitmap.bits == nullptr || bitmap.rowPitch < (bitmap.width + 7) / 8) {
        return false;
    }
    m_width = bitmap.width;
    m_height = bitmap.height;
    m_rowPitch = bitmap.rowPitch;
    m_paddedWidth = bitmap.width + 2;
    m_bits = bitmap.bits;
    m_tolerance = tolerance;
    const double longest = static_cast<double>(std::max(m_width, m_height));
    m_minLength = sizeDivisor > 0.0 ? longest / sizeDivisor : 1.0;
    bool ok = true;
    try {
        Run();
    } catch (const std::bad_alloc&) {
        ok = false;
        m_result.RemoveAll();
        m_emitted = 0;
    }
    // Free everything but the result.
    m_pool.clear();
    m_freeChains.clear();
    m_openChains = -1;
    m_columns.Reset(0);
    m_prevRow = CUnpackedRow{};
    m_curRow = CUnpackedRow{};
    m_nextRow = CUnpackedRow{};
    m_colInside = {};
    m_scratch = {};
    m_bits = nullptr;
    return ok;
}

// ---------------------------------------------------------------------------
// The pass over the rows. Boundary `row` lies between image rows row - 1
// (m_prevRow) and row (m_curRow); rows outside the image are background.

void COutlineTracer::Run()
{
    m_prevRow.Reset(m_width);
    m_curRow.Reset(m_width);
    m_nextRow.Reset(m_width);
    m_colInside.assign(static_cast<std::size_t>(m_paddedWidth), 0);
    m_columns.Reset(m_paddedWidth);
    UnpackRow(0, m_curRow);
    if (m_height > 1) {
        UnpackRow(1, m_nextRow);
    }
    for (m_row = 0; m_row <= m_height; ++m_row) {
        ProcessBoundary();
        if ((m_row + 1) % kFlushRows == 0) {
            CloseFinishedChains();
        }
        std::swap(m_prevRow, m_curRow);
        std::swap(m_curRow, m_nextRow);
        if (m_row + 2 < m_height) {
            UnpackRow(m_row + 2, m_nextRow);
        } else {
            m_nextRow.Clear();
        }
    }
    CloseFinishedChains();
    while (m_openChains >= 0) {
        const int id = m_openChains;
        EmitChain(id);
        DeleteChain(id);
    }
}

void COutlineTracer::UnpackRow(std::int32_t index, CUnpackedRow& row) const
{
    const std::uint8_t* packed =
        m_bits + static_cast<std::ptrdiff_t>(m_rowPitch) * static_cast<std::ptrdiff_t>(index);
    row.Unpack(packed, m_polarity == kInkBitZero);
}

// Walks the columns of one row boundary and links every edge on it: the
// vertical edges of the upper row and the horizontal edges under it. Columns
// where both rows are blank, or where eight columns in a row agree above and
// below, produce no edge and are passed over.
void COutlineTracer::ProcessBoundary()
{
    if (!m_prevRow.HasInk() && !m_curRow.HasInk()) {
        return;
    }
    int first = m_paddedWidth;
    int last = -1;
    for (const CUnpackedRow* row : {&m_prevRow, &m_curRow}) {
        if (row->HasInk()) {
            first = std::min(first, row->InkFirst());
            last = std::max(last, row->InkLast());
        }
    }
    const std::uint8_t* u = m_prevRow.Cells();
    const std::uint8_t* l = m_curRow.Cells();
    const std::int32_t y = m_row;
    std::uint8_t parity = 0;
    bool prevSaddle = false;
    for (int i = first - 1; i <= last; ++i) {
        const std::uint64_t above = Load8(u + i);
        if (above == Load8(l + i) && above == u[i] * 0x0101010101010101ull &&
            u[i + 8] == u[i] && l[i + 8] == u[i]) {
            prevSaddle = false;
            i += 7;
            continue;
        }
        const bool saddle = l[i] != u[i] && u[i + 1] != u[i] && l[i + 1] != u[i + 1];
        if (u[i + 1] != u[i]) {
            parity ^= 0xFF;
            if (parity == 0xFF) {
                LinkEdge({i + 1, y}, {i + 1, y + 1});
            } else {
                LinkEdge({i + 1, y + 1}, {i + 1, y});
            }
        }
        if (l[i] != u[i]) {
            std::uint8_t& inside = m_colInside[static_cast<std::size_t>(i)];
            inside ^= 0xFF;
            if (inside == kInside) {
                // Top edge of the ink below, unless the previous column's
                // checkerboard already linked it.
                if (!prevSaddle) {
                    LinkEdge({i + 1, y + 1}, {i, y + 1});
                }
            } else {
                // Bottom edge of the ink above. In a checkerboard with ink at
                // upper left and lower right, the lower pixel's top edge goes
                // first so the two pixels share one boundary.
                if (saddle) {
                    LinkEdge({i + 2, y + 1}, {i + 1, y + 1});
                }
                LinkEdge({i, y + 1}, {i + 1, y + 1});
            }
        }
        prevSaddle = saddle;
    }
}

// ---------------------------------------------------------------------------
// Chains.

int COutlineTracer::NewChain(TracePoint head, TracePoint tail)
{
    int id = 0;
    if (!m_freeChains.empty()) {
        id = m_freeChains.back();
        m_freeChains.pop_back();
    } else {
        id = static_cast<int>(m_pool.size());
        m_pool.emplace_back();
    }
    ChainSlot& slot = m_pool[static_cast<std::size_t>(id)];
    slot.chain.Start(head, tail);
    slot.prev = -1;
    slot.next = m_openChains;
    if (m_openChains >= 0) {
        m_pool[static_cast<std::size_t>(m_openChains)].prev = id;
    }
    m_openChains = id;
    return id;
}

// Clears the chain from the columns of its ends, unlinks it from the open
// list and frees its number.
void COutlineTracer::DeleteChain(int id)
{
    ChainSlot& slot = m_pool[static_cast<std::size_t>(id)];
    if (slot.chain.GetCount() >= 2) {  // a chain joined into another is empty
        m_columns.Clear(slot.chain.Head().x, id);
        m_columns.Clear(slot.chain.Tail().x, id);
    }
    if (slot.prev >= 0) {
        m_pool[static_cast<std::size_t>(slot.prev)].next = slot.next;
    } else {
        m_openChains = slot.next;
    }
    if (slot.next >= 0) {
        m_pool[static_cast<std::size_t>(slot.next)].prev = slot.prev;
    }
    slot.prev = -1;
    slot.next = -1;
    m_freeChains.push_back(id);
}

// Adds the edge b -> a to the chain it continues (a chain ending at b or one
// starting at a), or starts a new chain with it.
void COutlineTracer::LinkEdge(TracePoint b, TracePoint a)
{
    bool atHead = false;
    const auto continues = [&](int id) {
        const CContourChain& c = Chain(id);
        if (c.Tail() == b) {
            atHead = c.Head() == a && b.x >= a.x && b.y >= a.y;
            return true;
        }
        if (c.Head() == a) {
            atHead = true;
            return true;
        }
        return false;
    };
    int k = m_columns.Find(b.x, continues);
    if (k < 0 && a.x != b.x) {
        k = m_columns.Find(a.x, continues);
    }
    if (k < 0) {
        const int id = NewChain(b, a);
        m_columns.Register(b.x, id);
        m_columns.Register(a.x, id);
        return;
    }
    CContourChain& chain = Chain(k);
    const TracePoint oldEnd = atHead ? chain.Head() : chain.Tail();
    if (atHead) {
        chain.ExtendHead(b);
    } else {
        chain.ExtendTail(a);
    }
    if (b.x != a.x) {
        // The extended end changed column. Its old column keeps the chain
        // while the other end still lies there.
        const TracePoint newEnd = atHead ? chain.Head() : chain.Tail();
        const TracePoint otherEnd = atHead ? chain.Tail() : chain.Head();
        if (otherEnd.x != oldEnd.x) {
            m_columns.Clear(oldEnd.x, k);
        }
        m_columns.Register(newEnd.x, k);
    }
    JoinChains(k, !atHead);
}

// If another open chain continues chain k at its just extended end, appends
// that chain's vertices to k and deletes it. A chain never joins itself.
void COutlineTracer::JoinChains(int k, bool tailExtended)
{
    CContourChain& chain = Chain(k);
    const TracePoint p = tailExtended ? chain.Tail() : chain.Head();
    const int d = m_columns.Find(p.x, [&](int id) {
        if (id == k) {
            return false;
        }
        const CContourChain& other = Chain(id);
        return tailExtended ? other.Head() == p : other.Tail() == p;
    });
    if (d < 0) {
        return;
    }
    const TracePoint otherEnd = tailExtended ? chain.Head() : chain.Tail();
    if (otherEnd.x != p.x) {
        m_columns.Clear(p.x, k);
    }
    CContourChain& donor = Chain(d);
    const int donorHeadX = donor.Head().x;
    const int donorTailX = donor.Tail().x;
    if (tailExtended) {
        chain.AppendChain(donor);
        m_columns.Register(chain.Tail().x, k);
    } else {
        chain.PrependChain(donor);
        m_columns.Register(chain.Head().x, k);
    }
    m_columns.Clear(donorHeadX, d);
    m_columns.Clear(donorTailX, d);
    DeleteChain(d);
}

// Emits and deletes every closed chain whose tail lies well above the
// current row: no later edge can reach it.
void COutlineTracer::CloseFinishedChains()
{
    int id = m_openChains;
    while (id >= 0) {
        const int next = m_pool[static_cast<std::size_t>(id)].next;
        const CContourChain& chain = Chain(id);
        if (chain.IsClosed() && chain.Tail().y + 1 < m_row) {
            EmitChain(id);
            DeleteChain(id);
        }
        id = next;
    }
}

// ---------------------------------------------------------------------------
// Output.

void COutlineTracer::EmitChain(int id)
{
    const CContourChain& chain = Chain(id);
    m_scratch.assign(chain.begin(), chain.end());
    EmitContour(SimplifyContour(m_scratch, m_tolerance));
}

// Appends the vertices, shifted back into image corner coordinates, as one
// contour; lists of one vertex and contours shorter than the minimum length
// are dropped.
void COutlineTracer::EmitContour(const std::vector<TracePoint>& vertices)
{
    if (vertices.size() <= 1) {
        return;
    }
    double perimeter = 0.0;
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        const double dx = static_cast<double>(vertices[i].x) - vertices[i - 1].x;
        const double dy = static_cast<double>(vertices[i].y) - vertices[i - 1].y;
        perimeter += std::sqrt(dx * dx + dy * dy);
    }
    if (m_minLength > 0.0 && perimeter < m_minLength) {
        return;
    }
    const std::uint32_t now = GetTickCount();
    CPointArray contour;
    contour.Reserve(vertices.size());
    for (const TracePoint& v : vertices) {
        StrokePoint p;
        p.x = v.x - 1;
        p.y = v.y - 1;
        p.time = now;
        contour.AddRaw(p);
    }
    m_result.Append(std::move(contour));
    ++m_emitted;
}
