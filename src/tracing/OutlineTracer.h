#pragma once

#include "tracing/ChainColumns.h"
#include "tracing/ContourChain.h"
#include "tracing/MonoBitmap.h"
#include "tracing/Outline.h"
#include "tracing/UnpackedRow.h"

#include <cstdint>
#include <deque>
#include <vector>

// Turns a one-bit image into closed polygons along the pixel edges between
// ink and background: one polygon for the outer boundary of every 8-connected
// ink region and one for every hole in it. Outer boundaries run down the left
// side, right along the bottom, up the right side and left along the top (
// anticlockwise on screen, y down); holes run the other way, so filling all
// contours together with the nonzero winding rule reproduces the ink. The
// polygons are thinned out before they are handed back; output vertices lie on
// pixel corners, pixel (x, y) being the square (x, y) - (x + 1, y + 1).
//
// The image is read once, top to bottom; open chains of edges grow along
// each row boundary and join where they meet. One tracer serves one trace.
class COutlineTracer {
public:
    // Polarity: which bit value is ink.
    static constexpr std::int32_t kInkBitZero = 255;  // black (0) on white (1)
    static constexpr std::int32_t kInkBitOne = 0;     // e.g. a packed mask, 1 = ink

    explicit COutlineTracer(std::int32_t polarity = kInkBitOne);

    // Traces `bitmap`. The minimum perimeter of a kept contour is
    // max(width, height) / sizeDivisor for a positive divisor, else 1.0;
    // `tolerance` is the simplification's distance tolerance. Fails (false,
    // no contours) for a bitmap that is not one plane of one bit per pixel,
    // has a negative size, rows shorter than its width, or no bits, and when
    // memory runs out. An empty image succeeds with no contours.
    bool TraceBitmap(const MonoBitmap& bitmap, double tolerance, double sizeDivisor);

    // The traced contours; move them out with COutline::TakeAll.
    COutline& GetResult() { return m_result; }
    const COutline& GetResult() const { return m_result; }
    std::int32_t GetEmittedCount() const { return m_emitted; }

private:
    struct ChainSlot {
        CContourChain chain;
        int prev = -1;  // neighbours in the open-chain list
        int next = -1;
    };

    void Run();
    void UnpackRow(std::int32_t index, CUnpackedRow& row) const;
    void ProcessBoundary();
    void LinkEdge(TracePoint b, TracePoint a);
    void JoinChains(int k, bool tailExtended);
    void CloseFinishedChains();
    void EmitChain(int id);
    void EmitContour(const std::vector<TracePoint>& vertices);

    int NewChain(TracePoint head, TracePoint tail);
    void DeleteChain(int id);
    CContourChain& Chain(int id) { return m_pool[static_cast<std::size_t>(id)].chain; }

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_rowPitch = 0;
    std::int32_t m_paddedWidth = 0;
    std::int32_t m_row = 0;
    std::int32_t m_polarity = kInkBitOne;
    double m_tolerance = 0.0;
    double m_minLength = 1.0;
    const std::uint8_t* m_bits = nullptr;

    CUnpackedRow m_prevRow;
    CUnpackedRow m_curRow;
    CUnpackedRow m_nextRow;
    std::vector<std::uint8_t> m_colInside;

    // Chains by number; numbers of deleted chains are reused.
    std::deque<ChainSlot> m_pool;
    std::vector<int> m_freeChains;
    int m_openChains = -1;  // front of the open list, most recent first
    CChainColumns m_columns;

    std::int32_t m_emitted = 0;
    COutline m_result;
    std::vector<TracePoint> m_scratch;
};
