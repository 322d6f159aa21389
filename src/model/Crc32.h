#pragma once
#include <cstddef>
#include <cstdint>

// CRC-32 of ISO-HDLC / zlib (reflected 0xEDB88320, preset and final XOR
// 0xFFFFFFFF). Folded with carry-less multiplication where the processor has
// it, else sliced by eight; the result always equals the byte-wise table
// algorithm.
class Ccrc32 {
public:
    static const Ccrc32& GetInstance();
    uint32_t Compute(const uint8_t* data, size_t count) const;
    // CRC of A followed by B, from the CRCs of A and B and the length of B,
    // without touching the bytes again.
    uint32_t Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB) const;

private:
    Ccrc32();
    uint32_t m_table[8][256];
    uint32_t m_x2n[32]; // x^(2^k) modulo the polynomial
};
