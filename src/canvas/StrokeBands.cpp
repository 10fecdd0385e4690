#include "canvas/StrokeBands.h"

#include "gfx/Surface.h"
#include "pens/PenTool.h"

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <numeric>
#include <thread>

namespace stroke_bands {
namespace {
// Below this many pixels a second thread costs more than it saves.
constexpr long long kMinParallelPixels = 128LL * 128;

long long Pixels(const QRegion& region)
{
    long long n = 0;
    for (const QRect& r : region) {
        n += static_cast<long long>(r.width()) * r.height();
    }
    return n;
}

// The indices of the pens that can reach `part`.
std::vector<std::size_t> Reaching(const std::vector<CPenTool*>& pens, const QRegion& part)
{
    std::vector<std::size_t> reaching;
    const QRect bounds = part.boundingRect();
    const std::vector<QRect> rects(part.begin(), part.end());
    for (std::size_t i = 0; i < pens.size(); ++i) {
        if (pens[i]->DrawnExtent().intersects(bounds) && pens[i]->Reaches(rects)) {
            reaching.push_back(i);
        }
    }
    return reaching;
}

// The background for `part`, then the pens at `indices`, in order, each
// drawn while holding its lock and clipped to the part: the pens rasterise
// and blend only there, and paint there what they paint unclipped.
void DrawPart(const CSurface& background, const std::vector<CPenTool*>& pens,
              const std::vector<std::size_t>& indices, std::vector<std::mutex>& locks,
              const QRegion& part, CMemSurface& surface)
{
    surface.CopyFrom(background, part);
    surface.SetPaintClip(part);
    for (const std::size_t i : indices) {
        const std::lock_guard<std::mutex> lock(locks[i]);
        pens[i]->Draw(surface, 0, 0);
    }
    surface.SetPaintClip(QRegion());
}
}  // namespace

int BalancedRow(const std::vector<CPenTool*>& pens, const QRegion& area)
{
    const QRect bounds = area.boundingRect();
    if (bounds.isEmpty()) {
        return bounds.top();
    }
    // The width of every piece rectangle on each row it spans, summed per
    // row through differences at its first and past its last row.
    std::vector<long long> change(static_cast<std::size_t>(bounds.height()) + 1, 0);
    long long total = 0;
    for (const CPenTool* pen : pens) {
        for (const QRect& piece : pen->PieceRects()) {
            const QRect r = piece & bounds;
            if (r.isEmpty()) {
                continue;
            }
            change[static_cast<std::size_t>(r.top() - bounds.top())] += r.width();
            change[static_cast<std::size_t>(r.bottom() + 1 - bounds.top())] -= r.width();
            total += static_cast<long long>(r.width()) * r.height();
        }
    }
    if (total == 0) {
        return bounds.top();
    }
    long long perRow = 0;
    long long sum = 0;
    for (int row = 0; row < bounds.height(); ++row) {
        perRow += change[static_cast<std::size_t>(row)];
        sum += perRow;
        if (2 * sum >= total) {
            return bounds.top() + std::max(row, 1);
        }
    }
    return bounds.bottom();
}

Split Compose(const CSurface& background, const std::vector<CPenTool*>& pens,
              const QRegion& area, CMemSurface& upper, CMemSurface& lower)
{
    // Every cache the threads read is measured here, on this thread: the
    // pens' extents and piece rectangles are filled in on first use.
    std::vector<CPenTool*> reaching;
    for (const std::size_t i : Reaching(pens, area)) {
        reaching.push_back(pens[i]);
    }
    std::vector<std::mutex> locks(reaching.size());
    const QRect bounds = area.boundingRect();
    Split split{area, QRegion()};
    if (reaching.size() >= 2 && std::thread::hardware_concurrency() >= 2 &&
        Pixels(area) >= kMinParallelPixels) {
        const int row = BalancedRow(reaching, area);
        const QRect above(QPoint(bounds.left(), bounds.top()), QPoint(bounds.right(), row - 1));
        const QRect below(QPoint(bounds.left(), row), bounds.bottomRight());
        split = Split{area & above, area & below};
    }
    if (split.lower.isEmpty()) {
        std::vector<std::size_t> all(reaching.size());
        std::iota(all.begin(), all.end(), std::size_t{0});
        DrawPart(background, reaching, all, locks, area, upper);
        return Split{area, QRegion()};
    }
    const std::vector<std::size_t> upperPens = Reaching(reaching, split.upper);
    const std::vector<std::size_t> lowerPens = Reaching(reaching, split.lower);
    {
        // Joined when it goes out of scope, also if drawing here throws.
        const std::jthread second(
            [&] { DrawPart(background, reaching, lowerPens, locks, split.lower, lower); });
        DrawPart(background, reaching, upperPens, locks, split.upper, upper);
    }
    return split;
}

}  // namespace stroke_bands
