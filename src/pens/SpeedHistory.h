#pragma once

#include <cstdint>
#include <vector>

// One position of a stroke with the speed factor measured on arrival there.
struct SpeedSample {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t time = 0;  // millisecond tick of the move
    double factor = 1.0;     // 0 to 1: 1 for slow movement, smaller when fast
};

// The recent movement of an ink stroke, oldest sample first. The ink pens
// make their dabs thinner the faster the hand moves; the factor of each
// sample is the time per pixel since the previous sample, scaled and capped
// at 1. The history grows by one sample per point and is never trimmed.
class CSpeedHistory {
public:
    // Appends the sample for a move to (x, y) at `time`. The first sample of
    // a history is entered four times with factor 1.0, so every stroke opens
    // at full width. A move whose tick does not lie after the previous one
    // (same tick) keeps the previous factor. The time step is the unsigned
    // 32-bit difference of the ticks, so a wrapped tick count still moves
    // forward.
    void AddSample(std::int32_t x, std::int32_t y, std::uint32_t time, int scale);

    // The sum of the last four factors, oldest first, times 0.25.
    double MeanFactor() const;

    void Clear() { m_samples.clear(); }
    bool IsEmpty() const { return m_samples.empty(); }
    int GetCount() const { return static_cast<int>(m_samples.size()); }
    const SpeedSample& At(int i) const { return m_samples.at(static_cast<std::size_t>(i)); }
    // The newest sample and the one before it; the history must hold at
    // least one (respectively two) samples, which it does after any AddSample.
    const SpeedSample& Last() const { return m_samples.back(); }
    const SpeedSample& BeforeLast() const { return m_samples[m_samples.size() - 2]; }

private:
    std::vector<SpeedSample> m_samples;
};
