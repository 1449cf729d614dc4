#include "codecs/LzwEncoder.h"

#include <algorithm>
#include <cstring>

namespace orv {

namespace {

constexpr uint16_t kClear = 256;
constexpr uint16_t kEnd = 257;
constexpr uint16_t kFirstFree = 258;
// The table is full, and starts again after a Clear, when the next free
// code would be 4094.
constexpr uint16_t kTableFull = 4094;
constexpr int kNarrowest = 9;

// Codes packed most significant bit first.
class TCodeWriter {
public:
    explicit TCodeWriter(std::vector<uint8_t>& out) : m_out(out) {}

    void put(uint32_t code, int width)
    {
        m_bits = (m_bits << width) | code;
        m_count += width;
        while (m_count >= 8) {
            m_count -= 8;
            m_out.push_back(static_cast<uint8_t>(m_bits >> m_count));
        }
        m_bits &= (1u << m_count) - 1;
    }

    // The last byte, padded with zero bits.
    void flush()
    {
        if (m_count > 0)
            m_out.push_back(static_cast<uint8_t>(m_bits << (8 - m_count)));
        m_count = 0;
        m_bits = 0;
    }

private:
    std::vector<uint8_t>& m_out;
    uint32_t m_bits = 0;
    int m_count = 0;
};

} // namespace

TLzwEncoder::TLzwEncoder()
    : m_slots(kSlots, 0)
{
    m_filled.reserve(kTableFull);
    for (size_t byte = 0; byte < m_runs.size(); ++byte)
        m_runs[byte].assign(1, static_cast<uint16_t>(byte));
}

void TLzwEncoder::clearTable()
{
    for (const uint32_t slot : m_filled)
        m_slots[slot] = 0;
    m_filled.clear();
    for (std::vector<uint16_t>& runs : m_runs)
        runs.resize(1);
}

void TLzwEncoder::encode(const uint8_t* data, size_t size, std::vector<uint8_t>& out)
{
    out.clear();
    out.reserve(size / 4 + 16);
    TCodeWriter writer(out);
    int width = kNarrowest;
    uint32_t widest = (1u << width) - 1; // the largest code of this width
    uint32_t nextCode = kFirstFree;
    // A wider code takes over once the next free code no longer fits; a full
    // table is cleared and starts again at 9 bits.
    auto added = [&] {
        if (++nextCode == kTableFull) {
            writer.put(kClear, width);
            clearTable();
            nextCode = kFirstFree;
            width = kNarrowest;
            widest = (1u << width) - 1;
        } else if (nextCode > widest) {
            ++width;
            widest = (1u << width) - 1;
        }
    };

    writer.put(kClear, width);
    if (size > 0) {
        uint32_t string = data[0];
        // The string is `runByte` repeated `runLength` times; 0 when it is not a run.
        uint8_t runByte = data[0];
        size_t runLength = 1;
        for (size_t i = 1; i < size;) {
            const uint8_t byte = data[i];
            const bool continuesRun = runLength > 0 && byte == runByte;
            const std::vector<uint16_t>& runs = m_runs[byte];
            if (continuesRun && runLength < runs.size()) {
                // Inside a run the longest run string the table knows is
                // found by counting bytes, without a lookup for each.
                const size_t limit = std::min(runs.size() - runLength, size - i);
                size_t extra = 0;
                const uint64_t eight = 0x0101010101010101ull * byte;
                for (uint64_t word; extra + 8 <= limit; extra += 8) {
                    std::memcpy(&word, data + i + extra, 8);
                    if (word != eight)
                        break;
                }
                while (extra < limit && data[i + extra] == byte)
                    ++extra;
                runLength += extra;
                i += extra;
                string = runs[runLength - 1];
                continue;
            }
            const uint32_t key = string << 8 | byte;
            uint32_t slot = key * 2654435761u >> (32 - kSlotBits);
            while (m_slots[slot] != 0 && m_slots[slot] >> 12 != key)
                slot = (slot + 1) & (kSlots - 1);
            if (m_slots[slot] != 0) {
                string = m_slots[slot] & 0xFFF;
                runLength = continuesRun ? runLength + 1 : 0;
                ++i;
                continue;
            }
            writer.put(string, width);
            m_slots[slot] = key << 12 | nextCode;
            m_filled.push_back(slot);
            if (continuesRun)
                m_runs[byte].push_back(static_cast<uint16_t>(nextCode));
            string = byte;
            runByte = byte;
            runLength = 1;
            ++i;
            added();
        }
        writer.put(string, width);
        // A reader adds one more entry on the last code: its width follows.
        added();
    }
    writer.put(kEnd, width);
    writer.flush();
    clearTable();
}

} // namespace orv
