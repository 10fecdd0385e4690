// Outline tracer speed on a canvas-sized mask: one thick brush stroke (the
// usual case) and pure noise (the worst case), each next to potrace tracing
// the same bitmap into polygons (no curve fitting), for comparison.

#include "tracing/OutlineTracer.h"

#include <benchmark/benchmark.h>

#ifdef KOLVANE_HAVE_POTRACE
#include <potracelib.h>
#endif

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1050;

// A mask as the ink pens pack it: rows of whole 32-bit words, MSB first,
// 1 = ink.
struct Mask {
    int width = kWidth;
    int height = kHeight;
    int pitch = ((kWidth + 31) / 32) * 4;
    std::vector<std::uint8_t> bits = std::vector<std::uint8_t>(
        static_cast<std::size_t>(((kWidth + 31) / 32) * 4) * kHeight, 0);

    void Set(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            bits[static_cast<std::size_t>(y) * pitch + x / 8] |=
                static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    void Disc(double cx, double cy, double r)
    {
        for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y) {
            for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x) {
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r) {
                    Set(x, y);
                }
            }
        }
    }
};

// A brush stroke sweeping across most of the canvas, 10 to 46 pixels wide,
// as a trail of overlapping dabs.
const Mask& StrokeMask()
{
    static const Mask mask = [] {
        Mask m;
        for (int i = 0; i <= 3000; ++i) {
            const double t = i / 3000.0;
            const double x = 160.0 + 1600.0 * t;
            const double y = 525.0 + 300.0 * std::sin(t * 5.0) + 80.0 * std::sin(t * 23.0);
            const double r = 5.0 + 18.0 * std::sin(t * 3.14159265);
            m.Disc(x, y, r);
        }
        return m;
    }();
    return mask;
}

const Mask& NoiseMask()
{
    static const Mask mask = [] {
        Mask m;
        std::mt19937 rng(1050);
        for (std::uint8_t& byte : m.bits) {
            byte = static_cast<std::uint8_t>(rng());
        }
        return m;
    }();
    return mask;
}

void TraceWithKolvane(benchmark::State& state, const Mask& mask)
{
    std::size_t contours = 0;
    for (auto _ : state) {
        COutlineTracer tracer(COutlineTracer::kInkBitOne);
        const bool ok = tracer.TraceBitmap(
            MakeMonoBitmap(mask.width, mask.height, mask.pitch, mask.bits.data()), 1.4143, -4.0);
        if (!ok) {
            state.SkipWithError("trace failed");
            return;
        }
        contours = static_cast<std::size_t>(tracer.GetResult().GetCount());
        benchmark::DoNotOptimize(tracer.GetResult());
    }
    state.counters["contours"] = static_cast<double>(contours);
}

void BM_TraceStroke(benchmark::State& state)
{
    TraceWithKolvane(state, StrokeMask());
}
void BM_TraceNoise(benchmark::State& state)
{
    TraceWithKolvane(state, NoiseMask());
}
BENCHMARK(BM_TraceStroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceNoise)->Unit(benchmark::kMillisecond);

#ifdef KOLVANE_HAVE_POTRACE
// potrace keeps rows as native words with the leftmost pixel in the most
// significant bit; the conversion is done once, outside the timing.
struct PotraceInput {
    std::vector<potrace_word> words;
    potrace_bitmap_t bitmap{};
};

PotraceInput ToPotrace(const Mask& mask)
{
    constexpr int kWordBits = 8 * static_cast<int>(sizeof(potrace_word));
    PotraceInput input;
    const int dy = (mask.width + kWordBits - 1) / kWordBits;
    input.words.assign(static_cast<std::size_t>(dy) * mask.height, 0);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const std::uint8_t byte = mask.bits[static_cast<std::size_t>(y) * mask.pitch + x / 8];
            if ((byte & (0x80 >> (x % 8))) != 0) {
                input.words[static_cast<std::size_t>(y) * dy + x / kWordBits] |=
                    potrace_word{1} << (kWordBits - 1 - x % kWordBits);
            }
        }
    }
    input.bitmap.w = mask.width;
    input.bitmap.h = mask.height;
    input.bitmap.dy = dy;
    input.bitmap.map = input.words.data();
    return input;
}

void TraceWithPotrace(benchmark::State& state, const Mask& mask)
{
    PotraceInput input = ToPotrace(mask);
    potrace_param_t* param = potrace_param_default();
    param->turdsize = 0;    // keep every region, as the tracer does
    param->alphamax = 0.0;  // polygons: every vertex a corner, no curves
    param->opticurve = 0;   // no curve optimisation
    for (auto _ : state) {
        potrace_state_t* result = potrace_trace(param, &input.bitmap);
        if (result == nullptr || result->status != POTRACE_STATUS_OK) {
            if (result != nullptr) {
                potrace_state_free(result);
            }
            state.SkipWithError("potrace failed");
            break;
        }
        benchmark::DoNotOptimize(result->plist);
        potrace_state_free(result);
    }
    potrace_param_free(param);
}

void BM_PotraceStroke(benchmark::State& state)
{
    TraceWithPotrace(state, StrokeMask());
}
void BM_PotraceNoise(benchmark::State& state)
{
    TraceWithPotrace(state, NoiseMask());
}
BENCHMARK(BM_PotraceStroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PotraceNoise)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
