#include "pens/KeptDrawing.h"

#include <atomic>

namespace kept_drawing {

namespace {
std::atomic<std::size_t> g_kept{0};
std::atomic<std::size_t> g_budget{kBudget};
}  // namespace

void SetBudget(std::size_t bytes) { g_budget.store(bytes, std::memory_order_relaxed); }

bool Reserve(std::size_t bytes)
{
    if (g_kept.fetch_add(bytes, std::memory_order_relaxed) + bytes >
        g_budget.load(std::memory_order_relaxed)) {
        g_kept.fetch_sub(bytes, std::memory_order_relaxed);
        return false;
    }
    return true;
}

void Release(std::size_t bytes) { g_kept.fetch_sub(bytes, std::memory_order_relaxed); }

bool HasRoom()
{
    return g_kept.load(std::memory_order_relaxed) < g_budget.load(std::memory_order_relaxed);
}

std::size_t KeptBytes() { return g_kept.load(std::memory_order_relaxed); }

}  // namespace kept_drawing
