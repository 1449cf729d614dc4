#include "codecs/Rc4.h"

#include <stdexcept>
#include <utility>

namespace orv {

TRc4::TRc4(std::string_view key)
{
    if (key.empty() || key.size() > 256)
        throw std::runtime_error("RC4: Invalid key length");
    for (int i = 0; i < 256; ++i)
        m_state[i] = static_cast<uint8_t>(i);
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<uint8_t>(j + m_state[i] + static_cast<uint8_t>(key[i % key.size()]));
        std::swap(m_state[i], m_state[j]);
    }
}

TRc4::~TRc4()
{
    // Volatile writes, so that the wipe is not optimised away.
    volatile uint8_t* state = m_state.data();
    for (size_t i = 0; i < m_state.size(); ++i)
        state[i] = 0;
    m_i = m_j = 0;
}

void TRc4::transform(std::string& bytes)
{
    for (char& c : bytes) {
        m_i = static_cast<uint8_t>(m_i + 1);
        m_j = static_cast<uint8_t>(m_j + m_state[m_i]);
        std::swap(m_state[m_i], m_state[m_j]);
        c = static_cast<char>(static_cast<uint8_t>(c) ^ m_state[static_cast<uint8_t>(m_state[m_i] + m_state[m_j])]);
    }
}

std::string TRc4::apply(std::string_view key, std::string bytes)
{
    TRc4 cipher(key);
    cipher.transform(bytes);
    return bytes;
}

} // namespace orv
