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

// Both joins rely on every chain holding corners only: no three consecutive
// vertices on one horizontal or vertical line. Then only the meeting point
// can be straight, and the rest of the donor is copied as it stands.
void CContourChain::AppendChain(CContourChain& donor)
{
    const bool straight = Straight(NextToTail(), Tail(), donor[1]);
    if (GetCount() >= donor.GetCount()) {
        if (straight) {
            --m_last;
        }
        ReserveBack(donor.GetCount() - 1);
        std::copy(donor.begin() + 1, donor.end(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_last));
        m_last += donor.GetCount() - 1;
    } else {
        // Put this chain's vertices in front of the donor's instead.
        const std::size_t keep = straight ? GetCount() - 1 : GetCount();
        ++donor.m_first;  // the donor's head is this chain's tail
        donor.ReserveFront(keep);
        donor.m_first -= keep;
        std::copy(begin(), begin() + keep, donor.m_buffer.begin() + static_cast<std::ptrdiff_t>(donor.m_first));
        TakeStorage(donor);
    }
    donor.m_first = donor.m_last = 0;
}

void CContourChain::PrependChain(CContourChain& donor)
{
    const std::size_t count = donor.GetCount();
    const bool straight = Straight(NextToHead(), Head(), donor[count - 2]);
    if (GetCount() >= count) {
        if (straight) {
            ++m_first;
        }
        ReserveFront(count - 1);
        m_first -= count - 1;
        std::copy(donor.begin(), donor.end() - 1, m_buffer.begin() + static_cast<std::ptrdiff_t>(m_first));
    } else {
        const std::size_t skip = straight ? 1 : 0;
        --donor.m_last;  // the donor's tail is this chain's head
        donor.ReserveBack(GetCount() - skip);
        std::copy(begin() + skip, end(), donor.m_buffer.begin() + static_cast<std::ptrdiff_t>(donor.m_last));
        donor.m_last += GetCount() - skip;
        TakeStorage(donor);
    }
    donor.m_first = donor.m_last = 0;
}

void CContourChain::ReserveFront(std::size_t n)
{
    if (m_first < n) {
        Regrow(std::max({kInitialRoom, GetCount(), n}));
    }
}

void CContourChain::ReserveBack(std::size_t n)
{
    if (m_buffer.size() - m_last < n) {
        Regrow(std::max({kInitialRoom, GetCount(), n}));
    }
}

void CContourChain::TakeStorage(CContourChain& other)
{
    m_buffer.swap(other.m_buffer);
    std::swap(m_first, other.m_first);
    std::swap(m_last, other.m_last);
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
