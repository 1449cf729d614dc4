#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv {

// Compresses strips with TIFF's LZW: codes of 9 to 12 bits packed most
// significant bit first, Clear (256) at the start and whenever the table
// fills, End (257) at the end, and each wider code width taken one code
// early as TIFF readers expect. The table is a small open-addressed hash
// that stays in the processor's first-level cache, and runs of one byte (the blank paper of a page) are followed
// through a table of their own, so a run costs a lookup for each code it
// becomes rather than for each byte; only the entries a strip added are
// cleared again.
class TLzwEncoder {
public:
    TLzwEncoder();

    // Replaces `out` with the strip's codes.
    void encode(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

private:
    void clearTable();

    // Each slot holds (code << 8 | byte) << 12 | the code of that string,
    // or 0; at most 3836 of the 8192 are ever in use, so probes stay short.
    static constexpr int kSlotBits = 13;
    static constexpr uint32_t kSlots = 1u << kSlotBits;
    std::vector<uint32_t> m_slots;
    std::vector<uint32_t> m_filled; // the slots in use
    // For each byte, the codes of that byte repeated 1, 2, 3 ... times.
    std::array<std::vector<uint16_t>, 256> m_runs;
};

} // namespace orv
