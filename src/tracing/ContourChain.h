#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A pixel corner in the tracer's frame.
struct TracePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const TracePoint&) const = default;
};

// One piece of a boundary being traced: corner vertices from head to tail.
// Both ends grow; an end that continues straight on is moved instead of
// adding a vertex, so the chain only ever holds corners. A chain whose head
// equals its tail is closed.
//
// Vertices live in one flat buffer with free room at both ends, so growing
// either end is amortised constant time and a reused chain keeps its storage.
class CContourChain {
public:
    // Makes the chain the single edge head -> tail, dropping earlier vertices.
    void Start(TracePoint head, TracePoint tail);

    TracePoint Head() const { return m_buffer[m_first]; }
    TracePoint Tail() const { return m_buffer[m_last - 1]; }
    TracePoint NextToHead() const { return m_buffer[m_first + 1]; }
    TracePoint NextToTail() const { return m_buffer[m_last - 2]; }
    bool IsClosed() const { return Head() == Tail(); }

    // Adds p after the tail (or moves the tail to p when the tail's
    // neighbour, the tail and p lie on one horizontal or vertical line).
    void ExtendTail(TracePoint p);
    // The same at the head: p goes before the head.
    void ExtendHead(TracePoint p);

    // Joins `donor`, whose head is this chain's tail, onto the tail: the same
    // as extending the tail by each of the donor's vertices after its head.
    // The longer chain's storage is kept and the donor is left empty, so
    // joining costs the length of the shorter chain.
    void AppendChain(CContourChain& donor);
    // Joins `donor`, whose tail is this chain's head, onto the head: the same
    // as extending the head by the donor's vertices from its tail towards its
    // head, after the tail. The donor is left empty.
    void PrependChain(CContourChain& donor);

    std::size_t GetCount() const { return m_last - m_first; }
    const TracePoint& operator[](std::size_t i) const { return m_buffer[m_first + i]; }
    const TracePoint* begin() const { return m_buffer.data() + m_first; }
    const TracePoint* end() const { return m_buffer.data() + m_last; }

private:
    // Re-centres the vertices in a buffer with at least `room` free slots at
    // each end.
    void Regrow(std::size_t room);
    // Makes room for `n` more vertices before the head / after the tail.
    void ReserveFront(std::size_t n);
    void ReserveBack(std::size_t n);
    void TakeStorage(CContourChain& other);

    std::vector<TracePoint> m_buffer;
    std::size_t m_first = 0;  // index of the head
    std::size_t m_last = 0;   // one past the tail
};
