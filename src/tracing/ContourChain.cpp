#include "tracing/ContourChain.h"

#include <algorithm>

namespace {
bool Straight(TracePoint n, TracePoint e, TracePoint p)
{
    return (n.x == e.x && e.x == p.x) || (n.y == e.y && e.y == p.y);
}

constexpr std::size_t kInitialRoom = 8;
}  // namespace

void CContourChain::Start(TracePoint head, TracePoint tail)
{
    if (m_buffer.size() < 2 * kInitialRoom + 2) {
        m_buffer.resize(2 * kInitialRoom + 2);
    }
    // Start in the middle so that both ends have room to grow.
    m_first = m_buffer.size() / 2 - 1;
    m_last = m_first + 2;
    m_buffer[m_first] = head;
    m_buffer[m_first + 1] = tail;
}

void CContourChain::ExtendTail(TracePoint p)
{
    if (Straight(NextToTail(), Tail(), p)) {
        m_buffer[m_last - 1] = p;
        return;
    }
    if (m_last == m_buffer.size()) {
        Regrow(std::max(kInitialRoom, GetCount()));
    }
    m_buffer[m_last++] = p;
}

void CContourChain::ExtendHead(TracePoint p)
{
    if (Straight(NextToHead(), Head(), p)) {
        m_buffer[m_first] = p;
        return;
    }
    if (m_first == 0) {
        Regrow(std::max(kInitialRoom, GetCount()));
    }
    m_buffer[--m_first] = p;
}

void CContourChain::Regrow(std::size_t room)
{
    const std::size_t count = GetCount();
    std::vector<TracePoint> grown(count + 2 * room);
    std::copy(begin(), end(), grown.begin() + static_cast<std::ptrdiff_t>(room));
    m_buffer.swap(grown);
    m_first = room;
    m_last = room + count;
}
