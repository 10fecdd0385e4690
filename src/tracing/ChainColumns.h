#pragma once

#include <cstddef>
#include <vector>

// Per pixel-corner column X, the open chains that have an end at that X, so
// the tracer finds the chain an edge continues without scanning every open
// chain. Chains are named by their number in the tracer's pool.
//
// Each list keeps its entries in a fixed order: registering fills the first
// cleared entry, or else goes to the front; clearing leaves a hole that a
// later registration reuses. Searches go front to back and skip holes.
class CChainColumns {
public:
    static constexpr int kCleared = -1;

    // Makes `columns` empty lists (storage of earlier lists is kept).
    void Reset(int columns);

    // Lists `chain` in `column` unless it is already listed there.
    void Register(int column, int chain);
    // Marks every entry of `chain` in `column` as cleared.
    void Clear(int column, int chain);

    // The first chain of `column`'s list, in list order, for which
    // match(chain) is true, or kCleared.
    template <class Match>
    int Find(int column, Match&& match) const
    {
        const std::vector<int>& list = m_lists[static_cast<std::size_t>(column)];
        // Stored back to front: the list's front is the vector's back.
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            if (*it != kCleared && match(*it)) {
                return *it;
            }
        }
        return kCleared;
    }

    // The live entries of `column` in list order (for tests and checks).
    std::vector<int> Entries(int column) const;

private:
    std::vector<std::vector<int>> m_lists;
};
