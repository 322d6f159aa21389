#include "Crc32.h"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VE_CRC_CLMUL 1
#endif

namespace {

// Product of two polynomials modulo the CRC polynomial, in reflected bit order.
uint32_t MultModP(uint32_t a, uint32_t b)
{
    uint32_t m = 1u << 31;
    uint32_t p = 0;
    if (a == 0) {
        return 0;
    }
    for (;;) {
        if (a & m) {
            p ^= b;
            if ((a & (m - 1)) == 0) {
                break;
            }
        }
        m >>= 1;
        b = (b & 1u) ? (b >> 1) ^ 0xEDB88320u : b >> 1;
    }
    return p;
}

#ifdef VE_CRC_CLMUL
#define VE_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

VE_CLMUL_TARGET inline __m128i Load128(const uint8_t* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// One fold of acc over 128 bits onto next.
VE_CLMUL_TARGET inline __m128i Fold128(__m128i acc, __m128i next, __m128i k)
{
    const __m128i lo = _mm_clmulepi64_si128(acc, k, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(acc, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(hi, next), lo);
}

// Folds 64 bytes at a time with carry-less multiplication; len is at least
// 64 and a multiple of 16. Takes and returns the uncomplemented register.
VE_CLMUL_TARGET uint32_t FoldClmul(const uint8_t* buf, size_t len, uint32_t crc)
{
    // Powers of x modulo the polynomial for the fold distances, and the
    // Barrett constants, in reflected order.
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596LL, 0x0154442bd4LL);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);
    const __m128i k5k0 = _mm_set_epi64x(0, 0x0163cd6124LL);
    const __m128i poly = _mm_set_epi64x(0x01f7011641LL, 0x01db710641LL);

    __m128i x1 = _mm_xor_si128(Load128(buf), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x2 = Load128(buf + 16);
    __m128i x3 = Load128(buf + 32);
    __m128i x4 = Load128(buf + 48);
    buf += 64;
    len -= 64;
    while (len >= 64) {
        x1 = Fold128(x1, Load128(buf), k1k2);
        x2 = Fold128(x2, Load128(buf + 16), k1k2);
        x3 = Fold128(x3, Load128(buf + 32), k1k2);
        x4 = Fold128(x4, Load128(buf + 48), k1k2);
        buf += 64;
        len -= 64;
    }
    x1 = Fold128(x1, x2, k3k4);
    x1 = Fold128(x1, x3, k3k4);
    x1 = Fold128(x1, x4, k3k4);
    while (len >= 16) {
        x1 = Fold128(x1, Load128(buf), k3k4);
        buf += 16;
        len -= 16;
    }
    // 128 bits to 64.
    const __m128i mask32 = _mm_setr_epi32(~0, 0, ~0, 0);
    __m128i t = _mm_clmulepi64_si128(x1, k3k4, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), t);
    t = _mm_srli_si128(x1, 4);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, mask32), k5k0, 0x00), t);
    // Barrett reduction to 32 bits.
    t = _mm_clmulepi64_si128(_mm_and_si128(x1, mask32), poly, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, mask32), poly, 0x00);
    x1 = _mm_xor_si128(x1, t);
    return static_cast<uint32_t>(_mm_extract_epi32(x1, 1));
}

bool HasClmul()
{
    static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return has;
}
#endif

} // namespace

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
    uint32_t p = 1u << 30; // x^1
    for (uint32_t& entry : m_x2n) {
        entry = p;
        p = MultModP(p, p);
    }
}


uint32_t Ccrc32::Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB) const
{
    // Shifting A's register over lengthB zero bytes is a multiplication by
    // x^(8 * lengthB); the powers of two of x come from the table.
    uint32_t p = 1u << 31; // x^0
    unsigned k = 3;        // 2^3 bits per byte
    for (uint64_t n = lengthB; n != 0; n >>= 1, ++k) {
        if (n & 1u) {
            p = MultModP(m_x2n[k & 31], p);
        }
    }
    return MultModP(p, crcA) ^ crcB;
}

const Ccrc32& Ccrc32::GetInstance()
{
    static const Ccrc32 instance;
    return instance;
}

uint32_t Ccrc32::Compute(const uint8_t* data, size_t count) const
{
    uint32_t crc = 0xFFFFFFFFu;
#ifdef VE_CRC_CLMUL
    if (count >= 64 && HasClmul()) {
        const size_t folded = count & ~static_cast<size_t>(15);
        crc = FoldClmul(data, folded, crc);
        data += folded;
        count -= folded;
    }
#endif
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
