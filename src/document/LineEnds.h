#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace orv {

// The line ends of a laid-out text (1-based character indexes). Nearly
// every text makes a few lines: up to four are kept in the record itself,
// so a report of many short texts spends no allocation on them; longer
// lists live on the heap.
class TLineEnds {
public:
    using value_type = int16_t;
    using iterator = int16_t*;
    using const_iterator = const int16_t*;

    TLineEnds() = default;
    TLineEnds(const TLineEnds& other) { assign(other.begin(), other.size()); }
    TLineEnds(TLineEnds&& other) noexcept { take(other); }
    TLineEnds& operator=(const TLineEnds& other)
    {
        if (this != &other) {
            clear();
            assign(other.begin(), other.size());
        }
        return *this;
    }
    TLineEnds& operator=(TLineEnds&& other) noexcept
    {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~TLineEnds() { release(); }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const int16_t* begin() const { return onHeap() ? m_heap : m_inline; }
    const int16_t* end() const { return begin() + m_size; }
    int16_t* begin() { return onHeap() ? m_heap : m_inline; }
    int16_t* end() { return begin() + m_size; }
    int16_t operator[](size_t i) const { return begin()[i]; }
    int16_t& operator[](size_t i) { return begin()[i]; }
    int16_t front() const { return *begin(); }
    int16_t back() const { return begin()[m_size - 1]; }

    void push_back(int16_t end)
    {
        if (m_size == m_capacity)
            grow();
        begin()[m_size++] = end;
    }
    // Empties the list; heap storage goes with it.
    void clear()
    {
        release();
        m_size = 0;
        m_capacity = kInline;
    }

    friend bool operator==(const TLineEnds& a, const TLineEnds& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const TLineEnds& a, const std::vector<int16_t>& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    static constexpr uint32_t kInline = 4;

    bool onHeap() const { return m_capacity > kInline; }
    void release()
    {
        if (onHeap())
            delete[] m_heap;
    }
    void take(TLineEnds& other)
    {
        std::memcpy(m_inline, other.m_inline, sizeof m_inline); // the pointer too, when on the heap
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        other.m_size = 0;
        other.m_capacity = kInline;
    }
    void assign(const int16_t* ends, size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            push_back(ends[i]);
    }
    void grow()
    {
        const uint32_t capacity = m_capacity * 2;
        auto* heap = new int16_t[capacity];
        std::copy(begin(), end(), heap);
        release();
        m_heap = heap;
        m_capacity = capacity;
    }

    union {
        int16_t m_inline[kInline] = {};
        int16_t* m_heap;
    };
    static_assert(sizeof(int16_t[kInline]) == sizeof(int16_t*), "the pointer and the inline ends share their bytes");
    uint32_t m_size = 0;
    uint32_t m_capacity = kInline;
};

} // namespace orv
