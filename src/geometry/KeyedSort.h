#pragma once

#include <cstdint>
#include <vector>

// A sort key with the position it came from.
struct KeyedIndex {
    double key;
    std::uint32_t index;
};

// Sorts ascending by key; equal keys keep ascending index order (the order
// they were made in). Keys must be non-negative and not NaN: their bit
// patterns then order like their values, which lets long arrays go through
// a radix sort in linear time.
void SortKeyedIndices(std::vector<KeyedIndex>& items);
