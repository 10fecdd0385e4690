#include "tracing/ChainColumns.h"

#include <algorithm>

void CChainColumns::Reset(int columns)
{
    m_lists.resize(static_cast<std::size_t>(columns));
    for (std::vector<int>& list : m_lists) {
        list.clear();
    }
}

void CChainColumns::Register(int column, int chain)
{
    std::vector<int>& list = m_lists[static_cast<std::size_t>(column)];
    if (std::find(list.begin(), list.end(), chain) != list.end()) {
        return;
    }
    // The first cleared entry in list order is the last one in storage.
    const auto hole = std::find(list.rbegin(), list.rend(), kCleared);
    if (hole != list.rend()) {
        *hole = chain;
        return;
    }
    list.push_back(chain);
}

void CChainColumns::Clear(int column, int chain)
{
    std::vector<int>& list = m_lists[static_cast<std::size_t>(column)];
    std::replace(list.begin(), list.end(), chain, kCleared);
}

std::vector<int> CChainColumns::Entries(int column) const
{
    std::vector<int> live;
    const std::vector<int>& list = m_lists[static_cast<std::size_t>(column)];
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (*it != kCleared) {
            live.push_back(*it);
        }
    }
    return live;
}
