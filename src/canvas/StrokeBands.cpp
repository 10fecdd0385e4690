#include "canvas/StrokeBands.h"

#include "canvas/ThreadHandoff.h"
#include "gfx/Surface.h"
#include "pens/PenTool.h"

#include <QRunnable>
#include <QThreadPool>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <numeric>
#include <span>
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

// The indices of the pens in [begin, end) that can reach the region whose
// bounding box is `bounds` and rectangles `rects`.
std::vector<std::size_t> Reaching(const std::vector<CPenTool*>& pens, std::size_t begin,
                                  std::size_t end, const QRect& bounds,
                                  std::span<const QRect> rects)
{
    std::vector<std::size_t> reaching;
    for (std::size_t i = begin; i < end; ++i) {
        if (pens[i]->DrawnExtent().intersects(bounds) && pens[i]->Reaches(rects)) {
            reaching.push_back(i);
        }
    }
    return reaching;
}

std::vector<std::size_t> Reaching(const std::vector<CPenTool*>& pens, const QRegion& part)
{
    const std::vector<QRect> rects(part.begin(), part.end());
    return Reaching(pens, 0, pens.size(), part.boundingRect(), rects);
}

// The width of the pieces of some pens within an area on each of its rows,
// kept as differences: at the first row of each piece rectangle's part
// within each of the area's rectangles its width is added, past its last
// row taken off again.
struct RowWeights {
    std::vector<long long> change;
    long long total = 0;
};

RowWeights Weigh(std::span<CPenTool* const> pens, const QRect& bounds,
                 std::span<const QRect> rects)
{
    RowWeights weights;
    weights.change.assign(static_cast<std::size_t>(bounds.height()) + 1, 0);
    for (const CPenTool* pen : pens) {
        for (const QRect& piece : pen->PieceRects()) {
            for (const QRect& rect : RectsAcross(rects, piece)) {
                const int left = std::max(piece.left(), rect.left());
                const int right = std::min(piece.right(), rect.right());
                const int top = std::max(piece.top(), rect.top());
                const int bottom = std::min(piece.bottom(), rect.bottom());
                if (left > right || top > bottom) {
                    continue;
                }
                const int width = right - left + 1;
                weights.change[static_cast<std::size_t>(top - bounds.top())] += width;
                weights.change[static_cast<std::size_t>(bottom + 1 - bounds.top())] -= width;
                weights.total += static_cast<long long>(width) * (bottom - top + 1);
            }
        }
    }
    return weights;
}

// The rows at which to cut `bounds` into `parts` bands over which the
// weights spread about evenly: increasing rows other than its first, fewer
// than parts - 1 of them (none) when too little is weighed.
std::vector<int> Cuts(const RowWeights& weights, const QRect& bounds, int parts)
{
    std::vector<int> cuts;
    if (weights.total == 0) {
        return cuts;
    }
    long long perRow = 0;
    long long sum = 0;
    for (int row = 0; row < bounds.height(); ++row) {
        perRow += weights.change[static_cast<std::size_t>(row)];
        sum += perRow;
        const auto next = static_cast<long long>(cuts.size()) + 1;
        if (next < parts && sum * parts >= weights.total * next && row + 1 < bounds.height()) {
            const int cut = bounds.top() + row + 1;
            if (cuts.empty() || cut > cuts.back()) {
                cuts.push_back(cut);
            }
        }
    }
    return cuts;
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

// Two tasks on Qt's global thread pool, waited for by the calling thread.
//
// The rebuild's drawing runs there because the raster engine spreads a
// large fill over that pool's threads unless the thread filling is one of
// them, and while two band threads keep both cores busy such a spread only
// adds hand-offs and waits. It also makes a trap to keep out of: a fill on
// any other thread waits for the pool's threads. So band drawing, whose
// threads wait for each other's pen locks, never runs on the calling thread
// while a band task runs on the pool: the calling thread would wait in its
// fill for a pool thread that waits for its lock.
class CPoolPair {
public:
    CPoolPair(const std::function<void()>& a, const std::function<void()>& b) : m_work{&a, &b}
    {
        for (std::size_t i = 0; i < m_tasks.size(); ++i) {
            m_tasks[i].reset(QRunnable::create([this, i] {
                TakeOver(&m_work);
                try {
                    (*m_work[i])();
                } catch (...) {
                    m_failures[i] = std::current_exception();
                }
                // Told under the lock, so the waiting thread, which then
                // lets this object go, sees it only once this task is done
                // with it.
                const std::lock_guard<std::mutex> lock(m_mutex);
                ++m_finished;
                m_changed.notify_all();
            }));
            m_tasks[i]->setAutoDelete(false);
        }
    }

    // Starts both and waits for them. With `shared`, each task takes work
    // from a common stock until none is left, so one alone does it all: a
    // task the pool has not started after a moment is taken back and
    // dropped, and only if it takes back both does this thread run one of
    // them. Otherwise a task taken back runs on this thread. Rethrows the
    // first task's exception, if any.
    void Run(QThreadPool& pool, bool shared)
    {
        HandOff(&m_work);
        for (const std::unique_ptr<QRunnable>& task : m_tasks) {
            pool.start(task.get());
        }
        // A started task is picked up by a woken pool thread within moments;
        // one still queued after a wait finds every pool thread busy.
        constexpr std::chrono::milliseconds kStartWait(2);
        std::array<bool, 2> takenBack = {false, false};
        int dropped = 0;
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_finished + dropped < static_cast<int>(m_tasks.size())) {
            const int finished = m_finished;
            if (m_changed.wait_for(lock, kStartWait, [&] { return m_finished != finished; })) {
                continue;
            }
            lock.unlock();
            for (std::size_t i = 0; i < m_tasks.size(); ++i) {
                if (takenBack[i] || !pool.tryTake(m_tasks[i].get())) {
                    continue;
                }
                takenBack[i] = true;
                if (!shared) {
                    m_tasks[i]->run();
                } else {
                    ++dropped;
                }
            }
            if (shared && takenBack[0] && takenBack[1]) {
                // Nothing else runs: this thread does all the work.
                --dropped;
                m_tasks[0]->run();
            }
            lock.lock();
        }
        for (const std::exception_ptr& failure : m_failures) {
            if (failure) {
                std::rethrow_exception(failure);
            }
        }
    }

private:
    std::array<const std::function<void()>*, 2> m_work;
    std::array<std::unique_ptr<QRunnable>, 2> m_tasks;
    std::array<std::exception_ptr, 2> m_failures;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_finished = 0;
};

// Qt's global pool when it can run two tasks at once, else null.
QThreadPool* PoolForTwo()
{
    QThreadPool* const pool = QThreadPool::globalInstance();
    return pool != nullptr && pool->maxThreadCount() >= 2 ? pool : nullptr;
}

// Runs `a` and `b`, which do not wait for each other, at once.
void RunBoth(const std::function<void()>& a, const std::function<void()>& b)
{
    if (QThreadPool* const pool = PoolForTwo()) {
        CPoolPair(a, b).Run(*pool, false);
        return;
    }
    a();
    b();
}

// Runs `a` and `b`, each of which takes work from a common stock until none
// is left, at once where the pool lets them.
void ShareWork(const std::function<void()>& a, const std::function<void()>& b)
{
    if (QThreadPool* const pool = PoolForTwo()) {
        CPoolPair(a, b).Run(*pool, true);
        return;
    }
    a();
}
}  // namespace

Split Compose(const CSurface& background, const std::vector<CPenTool*>& pens,
              const QRegion& area, CMemSurface& first, CMemSurface& second)
{
    const auto alone = [&](std::vector<CPenTool*> reaching) {
        std::vector<std::mutex> locks(reaching.size());
        std::vector<std::size_t> all(reaching.size());
        std::iota(all.begin(), all.end(), std::size_t{0});
        DrawPart(background, reaching, all, locks, area, first);
        return Split{area, QRegion()};
    };
    const auto pick = [&pens](const std::vector<std::size_t>& indices) {
        std::vector<CPenTool*> picked;
        picked.reserve(indices.size());
        for (const std::size_t i : indices) {
            picked.push_back(pens[i]);
        }
        return picked;
    };
    if (std::thread::hardware_concurrency() < 2 || PoolForTwo() == nullptr ||
        Pixels(area) < kMinParallelPixels) {
        return alone(pick(Reaching(pens, area)));
    }
    // Which pens reach the area, and how their pieces spread over its rows,
    // is found for each half of the pens on a thread of its own. Every
    // cache the band threads read is filled in here: the pens' extents and
    // piece rectangles are measured on first use, each pen's by one thread.
    const QRect bounds = area.boundingRect();
    const std::vector<QRect> rects(area.begin(), area.end());
    const std::size_t half = pens.size() / 2;
    std::array<std::vector<std::size_t>, 2> found;
    std::array<RowWeights, 2> weights;
    const auto weighHalf = [&](std::size_t h) {
        const std::size_t begin = h == 0 ? 0 : half;
        const std::size_t end = h == 0 ? half : pens.size();
        found[h] = Reaching(pens, begin, end, bounds, rects);
        const std::vector<CPenTool*> picked = pick(found[h]);
        weights[h] = Weigh(picked, bounds, rects);
    };
    RunBoth([&] { weighHalf(0); }, [&] { weighHalf(1); });
    found[0].insert(found[0].end(), found[1].begin(), found[1].end());
    const std::vector<CPenTool*> reaching = pick(found[0]);
    if (reaching.size() < 2) {
        return alone(reaching);
    }
    for (std::size_t row = 0; row < weights[0].change.size(); ++row) {
        weights[0].change[row] += weights[1].change[row];
    }
    weights[0].total += weights[1].total;
    // Bands of about equal drawing, taken one at a time by whichever thread
    // is free, so that neither waits long for the other however the cost of
    // drawing varies from pen to pen; each thread finds which pens reach a
    // band as it takes it.
    std::vector<QRegion> bands;
    int top = bounds.top();
    for (const int cut : Cuts(weights[0], bounds, kBands)) {
        bands.push_back(area & QRect(QPoint(bounds.left(), top), QPoint(bounds.right(), cut - 1)));
        top = cut;
    }
    bands.push_back(area & QRect(QPoint(bounds.left(), top), bounds.bottomRight()));
    std::vector<std::mutex> locks(reaching.size());
    std::atomic<std::size_t> next{0};
    Split split;
    const auto drawBands = [&](CMemSurface& surface, QRegion& drawn) {
        for (std::size_t b = next.fetch_add(1); b < bands.size(); b = next.fetch_add(1)) {
            DrawPart(background, reaching, Reaching(reaching, bands[b]), locks, bands[b],
                     surface);
            drawn += bands[b];
        }
    };
    ShareWork([&] { drawBands(first, split.first); }, [&] { drawBands(second, split.second); });
    return split;
}

}  // namespace stroke_bands
