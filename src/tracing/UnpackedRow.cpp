#include "tracing/UnpackedRow.h"

#include <algorithm>
#include <cstring>

void CUnpackedRow::Reset(int width)
{
    m_width = width;
    m_cells.assign(static_cast<std::size_t>(width) + 2 + kPadding, 0);
    m_inkFirst = 1;
    m_inkLast = 0;
}

void CUnpackedRow::Clear()
{
    if (HasInk()) {
        std::fill(m_cells.begin() + m_inkFirst, m_cells.begin() + m_inkLast + 1, 0);
    }
    m_inkFirst = 1;
    m_inkLast = 0;
}

void CUnpackedRow::MarkInk(int entry)
{
    m_cells[static_cast<std::size_t>(entry)] = 1;
    if (!HasInk()) {
        m_inkFirst = entry;
    }
    m_inkLast = entry;
}

void CUnpackedRow::Unpack(const std::uint8_t* packed, bool inkBitIsZero)
{
    Clear();
    const std::uint8_t flip = inkBitIsZero ? 0xFF : 0x00;
    const std::uint32_t background = inkBitIsZero ? 0xFFFFFFFFu : 0u;
    const int fullBytes = m_width / 8;
    int byte = 0;
    while (byte < fullBytes) {
        // Skip whole words of background once they lie inside the row.
        if (byte + 8 <= fullBytes) {
            std::uint64_t pair = 0;
            std::memcpy(&pair, packed + byte, sizeof pair);
            if (pair == (std::uint64_t{background} << 32 | background)) {
                byte += 8;
                continue;
            }
        }
        if (byte + 4 <= fullBytes) {
            std::uint32_t word = 0;
            std::memcpy(&word, packed + byte, sizeof word);
            if (word == background) {
                byte += 4;
                continue;
            }
        }
        const std::uint8_t ink = static_cast<std::uint8_t>(packed[byte] ^ flip);
        if (ink != 0) {
            for (int bit = 0; bit < 8; ++bit) {
                if ((ink & (0x80 >> bit)) != 0) {
                    MarkInk(byte * 8 + bit + 1);
                }
            }
        }
        ++byte;
    }
    // The last, partly used byte: bits past the row's end are ignored.
    const int rest = m_width - fullBytes * 8;
    if (rest > 0) {
        const std::uint8_t ink = static_cast<std::uint8_t>(packed[fullBytes] ^ flip);
        for (int bit = 0; bit < rest; ++bit) {
            if ((ink & (0x80 >> bit)) != 0) {
                MarkInk(fullBytes * 8 + bit + 1);
            }
        }
    }
}
