#pragma once
// Container and block framing for the fuzz harness: splitting a file into its
// database header and blocks, and sealing them again with fresh checksums, so
// mutated inputs still pass the checksum tests and reach the block readers.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vefuzz {

using Bytes = std::vector<uint8_t>;

inline constexpr size_t kHeader = 20;
inline constexpr size_t kDbHeader = 128;

uint32_t Crc(const uint8_t* data, size_t size);
uint32_t GetU32(const uint8_t* p);
void PutU32(uint8_t* p, uint32_t v);
void PutU16(uint8_t* p, uint16_t v);

struct Block {
    uint32_t tagId = 0;
    uint32_t version = 0;
    Bytes body;
    // Kept from the input so an unsealed block stays as damaged as it was.
    uint32_t headerCrc = 0;
    uint32_t bodyCrc = 0;
    uint32_t declaredLength = 0;
    bool seal = true; // recompute checksums and length when framing
};

struct Database {
    Bytes dbHeader; // normally 128 bytes; shorter when the payload was short
    std::vector<Block> blocks;
    Bytes trailing; // payload bytes after the last whole block
};

// Splits a sealed file. Returns false when the bytes are not a container
// (wrong tag or fewer than 20 bytes); checksums are not verified, and a
// payload length beyond the file is cut to the bytes there.
bool Parse(const uint8_t* data, size_t size, Database& db);
// Frames every block (sealed ones with fresh checksums) and seals the container.
Bytes Build(const Database& db);
// Wraps arbitrary bytes as the payload of a valid container.
Bytes SealPayload(const uint8_t* payload, size_t size);

// The tags the reader knows, in the order of the block type codes.
struct Tag {
    uint32_t id;
    uint32_t version;
};
inline constexpr Tag kTags[] = {{0xDB01, 2}, {0xDB01, 3}, {0xDB02, 3}, {0xDB03, 1},
                                {0xDB04, 2}, {0xDB05, 2}, {0xDB05, 3}, {0xDB20, 2}};

} // namespace vefuzz
