#pragma once
#include <cstdint>
#include <vector>

#include "MemStream.h"

// Collects the database header and the sealed blocks while saving, then seals
// the whole payload into a container. One process-wide instance; one save at
// a time.
class CNDBPrepackaging {
public:
    static CNDBPrepackaging& GetInstance();

    void Reset();
    // header: 20 bytes with tag id and version filled in. body: exactly the body.
    void AppendBlock(uint8_t* header, CMemStream& body);
    void AppendRaw(const uint8_t* data, size_t count);
    // The same as AppendBlock without a separate body stream: the block
    // writer writes its body straight into the returned output, then calls
    // EndBlock, which seals the header in place.
    CMemStream& BeginBlock(uint32_t tagId, uint32_t tagVersion);
    void EndBlock();
    // Returns the container header followed by the payload, and releases the
    // collected bytes.
    std::vector<uint8_t> WriteContainer();

    // Fills the header's checksums and length for the given body; returns the body's CRC.
    static uint32_t SealHeader(uint8_t* header, const uint8_t* body, size_t bodyLength);

private:
    CNDBPrepackaging() = default;
    void Collect(const uint8_t* data, size_t count, uint32_t crc);

    // The container header's place is kept free at the front, so the sealed
    // file needs no second copy; the payload CRC is combined piece by piece.
    CMemStream m_output;
    uint32_t m_nPayloadCrc = 0;
    size_t m_nOpenBlock = 0; // offset of the header of the block being written
};

// Builds a zeroed block header with the given tag.
void MakeBlockHeader(uint8_t* header, uint32_t tagId, uint32_t tagVersion);
