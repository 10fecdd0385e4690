#pragma once

#include <cstdint>
#include <vector>

// One image row unpacked to a byte per pixel with a background border:
// entry 0 and entry width + 1 are 0, entry k + 1 is 1 when pixel k is ink.
// The row remembers the span of entries that hold ink, so clearing it and
// scanning a boundary against it only touch that span. The buffer carries
// zero padding after the border so that the scan may read 8 entries at once.
class CUnpackedRow {
public:
    static constexpr int kPadding = 16;

    // Sizes the row for `width` pixels, all background.
    void Reset(int width);
    // Makes every entry background again.
    void Clear();
    // Unpacks one packed row (most significant bit first). With
    // `inkBitIsZero` a 0 bit is ink, otherwise a 1 bit is. Background runs of
    // whole 32-bit words are skipped without looking at their pixels.
    void Unpack(const std::uint8_t* packed, bool inkBitIsZero);

    const std::uint8_t* Cells() const { return m_cells.data(); }
    bool HasInk() const { return m_inkFirst <= m_inkLast; }
    // First and last entries holding ink (only meaningful when HasInk()).
    int InkFirst() const { return m_inkFirst; }
    int InkLast() const { return m_inkLast; }

private:
    void MarkInk(int entry);

    std::vector<std::uint8_t> m_cells;
    int m_width = 0;
    int m_inkFirst = 1;
    int m_inkLast = 0;
};
