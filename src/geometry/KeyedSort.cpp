#include "geometry/KeyedSort.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

std::uint64_t KeyBits(double key)
{
    // +0.0 and -0.0 compare equal: give both the pattern of +0.0.
    if (key == 0.0) {
        return 0;
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &key, sizeof bits);
    return bits;
}

// Below this size a comparison sort is faster than eight histogram passes.
constexpr std::size_t kRadixFrom = 512;

}  // namespace

void SortKeyedIndices(std::vector<KeyedIndex>& items)
{
    if (items.size() < kRadixFrom) {
        std::sort(items.begin(), items.end(), [](const KeyedIndex& a, const KeyedIndex& b) {
            return a.key < b.key || (a.key == b.key && a.index < b.index);
        });
        return;
    }
    // Least significant digit first, 11 bits a digit (six passes); each pass
    // is stable, so equal keys keep their incoming (index) order. Digits
    // that are the same in every key are skipped.
    struct Item {
        std::uint64_t bits;
        std::uint32_t index;
    };
    std::vector<Item> a(items.size()), b(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        a[i] = {KeyBits(items[i].key), items[i].index};
    }
    constexpr int kDigitBits = 11;
    constexpr std::uint64_t kDigitMask = (1u << kDigitBits) - 1;
    for (int shift = 0; shift < 64; shift += kDigitBits) {
        std::array<std::size_t, (1u << kDigitBits) + 1> count{};
        for (const Item& it : a) {
            ++count[((it.bits >> shift) & kDigitMask) + 1];
        }
        if (*std::max_element(count.begin(), count.end()) == a.size()) {
            continue;
        }
        for (std::size_t d = 1; d < count.size(); ++d) {
            count[d] += count[d - 1];
        }
        for (const Item& it : a) {
            b[count[(it.bits >> shift) & kDigitMask]++] = it;
        }
        a.swap(b);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        double key = 0;
        std::memcpy(&key, &a[i].bits, sizeof key);
        items[i] = {key, a[i].index};
    }
}
