#pragma once
#include <cstddef>
#include <cstdint>

// CRC-32 of ISO-HDLC / zlib (reflected 0xEDB88320, preset and final XOR
// 0xFFFFFFFF). Sliced by eight for speed; the result equals the byte-wise
// table algorithm.
class Ccrc32 {
public:
    static const Ccrc32& GetInstance();
    uint32_t Compute(const uint8_t* data, size_t count) const;

private:
    Ccrc32();
    uint32_t m_table[8][256];
};
