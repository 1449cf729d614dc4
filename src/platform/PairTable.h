#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv {

// Values by a pair of neighbouring characters, keyed left << 16 | right
// (never 0: U+0000 is never one of a pair). Text measuring looks up every
// pair of every line, so the pairs sit in a power-of-two table with open
// addressing, kept at most half full so that probes stay short and end.
template <typename Value>
class TPairTable {
public:
    const Value* find(uint32_t pair) const
    {
        if (m_pairs.empty())
            return nullptr;
        for (size_t i = slot(pair);; i = (i + 1) & (m_pairs.size() - 1)) {
            if (m_pairs[i] == pair)
                return &m_values[i];
            if (m_pairs[i] == 0)
                return nullptr;
        }
    }

    // The first value given for a pair stays.
    void insert(uint32_t pair, Value value)
    {
        if (find(pair))
            return;
        if (2 * (m_count + 1) > m_pairs.size()) {
            std::vector<uint32_t> pairs = std::move(m_pairs);
            std::vector<Value> values = std::move(m_values);
            m_pairs.assign(std::max<size_t>(256, 2 * pairs.size()), 0);
            m_values.assign(m_pairs.size(), Value{});
            m_count = 0;
            for (size_t i = 0; i < pairs.size(); ++i)
                if (pairs[i] != 0)
                    insert(pairs[i], values[i]);
        }
        size_t i = slot(pair);
        while (m_pairs[i] != 0)
            i = (i + 1) & (m_pairs.size() - 1);
        m_pairs[i] = pair;
        m_values[i] = value;
        ++m_count;
    }

private:
    size_t slot(uint32_t pair) const
    {
        return static_cast<size_t>((uint64_t{pair} * 0x9E3779B97F4A7C15ull) >> 32) & (m_pairs.size() - 1);
    }

    std::vector<uint32_t> m_pairs; // 0: free
    std::vector<Value> m_values;
    size_t m_count = 0;
};

} // namespace orv
