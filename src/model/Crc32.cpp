#include "Crc32.h"

#include <cstring>

Ccrc32::Ccrc32()
{
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        }
        m_table[0][i] = c;
    }
    // Tables 1..7 advance a byte through further zero bytes, which lets the
    // main loop fold eight input bytes per step.
    for (uint32_t i = 0; i < 256; ++i) {
        for (int t = 1; t < 8; ++t) {
            const uint32_t prev = m_table[t - 1][i];
            m_table[t][i] = (prev >> 8) ^ m_table[0][prev & 0xFFu];
        }
    }
}

const Ccrc32& Ccrc32::GetInstance()
{
    static const Ccrc32 instance;
    return instance;
}

uint32_t Ccrc32::Compute(const uint8_t* data, size_t count) const
{
    uint32_t crc = 0xFFFFFFFFu;
    while (count >= 8) {
        const uint32_t lo = crc ^ (static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
                                   (static_cast<uint32_t>(data[2]) << 16) |
                                   (static_cast<uint32_t>(data[3]) << 24));
        const uint32_t hi = static_cast<uint32_t>(data[4]) | (static_cast<uint32_t>(data[5]) << 8) |
                            (static_cast<uint32_t>(data[6]) << 16) | (static_cast<uint32_t>(data[7]) << 24);
        crc = m_table[7][lo & 0xFF] ^ m_table[6][(lo >> 8) & 0xFF] ^ m_table[5][(lo >> 16) & 0xFF] ^
              m_table[4][lo >> 24] ^ m_table[3][hi & 0xFF] ^ m_table[2][(hi >> 8) & 0xFF] ^
              m_table[1][(hi >> 16) & 0xFF] ^ m_table[0][hi >> 24];
        data += 8;
        count -= 8;
    }
    while (count--) {
        crc = (crc >> 8) ^ m_table[0][(crc ^ *data++) & 0xFFu];
    }
    return crc ^ 0xFFFFFFFFu;
}
