#include "canvas/StrokeBands.h"

#include "canvas/ThreadHandoff.h"
#include "gfx/Surface.h"
#include "pens/PenTool.h"

#include <QRunnable>
#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <numeric>
#include <thread>

namespace stroke_bands {
namespace {
// Below this many pixels a second thread costs more than it saves.
constexpr long long kMinParallelPixels = 128LL * 128;
// How many bands the area is cut into for the two threads.
constexpr int kBands = 6;

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
// Runs `a` and `b` at once and returns when both have finished, rethrowing
// the first one's exception, if any.
//
// Both run on Qt's global thread pool. The raster engine spreads a large
// fill over that pool's threads unless the thread filling is one of them,
// and while the two band threads keep both cores busy such a spread only
// adds hand-offs and waits. A task the pool does not start (its threads
// busy elsewhere) is taken back and run on this thread.
void RunBoth(const std::function<void()>& a, const std::function<void()>& b)
{
    QThreadPool* const pool = QThreadPool::globalInstance();
    if (pool == nullptr) {
        // Only while the application is shutting down.
        const std::jthread helper(b);
        a();
        return;
    }
    QSemaphore finished;
    std::array<std::exception_ptr, 2> failures;
    std::array<std::unique_ptr<QRunnable>, 2> tasks;
    const std::array<const std::function<void()>*, 2> work = {&a, &b};
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        tasks[i].reset(QRunnable::create([&, i] {
            TakeOver(&work);
            try {
                (*work[i])();
            } catch (...) {
                failures[i] = std::current_exception();
            }
            HandOff(&finished);
            finished.release();
        }));
        tasks[i]->setAutoDelete(false);
        HandOff(&work);
        pool->start(tasks[i].get());
    }
    // A started task is picked up by a woken pool thread within moments;
    // one still queued after a wait finds every pool thread busy.
    constexpr int kStartWaitMs = 2;
    for (std::size_t done = 0; done < tasks.size();) {
        if (finished.tryAcquire(1, kStartWaitMs)) {
            TakeOver(&finished);
            ++done;
            continue;
        }
        for (const std::unique_ptr<QRunnable>& task : tasks) {
            if (pool->tryTake(task.get())) {
                task->run();
            }
        }
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}
}  // namespace

std::vector<int> BalancedRows(const std::vector<CPenTool*>& pens, const QRegion& area, int parts)
{
    std::vector<int> cuts;
    const QRect bounds = area.boundingRect();
    if (bounds.isEmpty() || parts < 2) {
        return cuts;
    }
    // The width of every piece rectangle within the area on each row it
    // spans, summed per row through differences at its first and past its
    // last row.
    const std::vector<QRect> rects(area.begin(), area.end());
    std::vector<long long> change(static_cast<std::size_t>(bounds.height()) + 1, 0);
    long long total = 0;
    for (const CPenTool* pen : pens) {
        for (const QRect& piece : pen->PieceRects()) {
            for (const QRect& rect : RectsAcross(rects, piece)) {
                const QRect r = piece & rect;
                if (r.isEmpty()) {
                    continue;
                }
                change[static_cast<std::size_t>(r.top() - bounds.top())] += r.width();
                change[static_cast<std::size_t>(r.bottom() + 1 - bounds.top())] -= r.width();
                total += static_cast<long long>(r.width()) * r.height();
            }
        }
    }
    if (total == 0) {
        return cuts;
    }
    long long perRow = 0;
    long long sum = 0;
    for (int row = 0; row < bounds.height(); ++row) {
        perRow += change[static_cast<std::size_t>(row)];
        sum += perRow;
        const auto next = static_cast<long long>(cuts.size()) + 1;
        if (next < parts && sum * parts >= total * next && row + 1 < bounds.height()) {
            const int cut = bounds.top() + row + 1;
            if (cuts.empty() || cut > cuts.back()) {
                cuts.push_back(cut);
            }
        }
    }
    return cuts;
}

Split Compose(const CSurface& background, const std::vector<CPenTool*>& pens,
              const QRegion& area, CMemSurface& first, CMemSurface& second)
{
    // Every cache the threads read is measured here, on this thread: the
    // pens' extents and piece rectangles are filled in on first use.
    std::vector<CPenTool*> reaching;
    for (const std::size_t i : Reaching(pens, area)) {
        reaching.push_back(pens[i]);
    }
    std::vector<std::mutex> locks(reaching.size());
    if (reaching.size() < 2 || std::thread::hardware_concurrency() < 2 ||
        Pixels(area) < kMinParallelPixels) {
        std::vector<std::size_t> all(reaching.size());
        std::iota(all.begin(), all.end(), std::size_t{0});
        DrawPart(background, reaching, all, locks, area, first);
        return Split{area, QRegion()};
    }
    // Bands of about equal drawing, taken one at a time by whichever thread
    // is free, so that neither waits long for the other however the cost of
    // drawing varies from pen to pen.
    const QRect bounds = area.boundingRect();
    std::vector<QRegion> bands;
    int top = bounds.top();
    for (const int cut : BalancedRows(reaching, area, kBands)) {
        bands.push_back(area & QRect(QPoint(bounds.left(), top), QPoint(bounds.right(), cut - 1)));
        top = cut;
    }
    bands.push_back(area & QRect(QPoint(bounds.left(), top), bounds.bottomRight()));
    std::vector<std::vector<std::size_t>> bandPens;
    for (const QRegion& band : bands) {
        bandPens.push_back(Reaching(reaching, band));
    }
    std::atomic<std::size_t> next{0};
    Split split;
    const auto drawBands = [&](CMemSurface& surface, QRegion& drawn) {
        for (std::size_t b = next.fetch_add(1); b < bands.size(); b = next.fetch_add(1)) {
            DrawPart(background, reaching, bandPens[b], locks, bands[b], surface);
            drawn += bands[b];
        }
    };
    RunBoth([&] { drawBands(first, split.first); }, [&] { drawBands(second, split.second); });
    return split;
}

}  // namespace stroke_bands
