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
    // Returns the container header followed by the payload, and releases the
    // collected bytes.
    std::vector<uint8_t> WriteContainer();

    // Fills the header's checksums and length for the given body.
    static void SealHeader(uint8_t* header, const uint8_t* body, size_t bodyLength);

private:
    CNDBPrepackaging() = default;
    CMemStream m_output;
};

// Builds a zeroed block header with the given tag.
void MakeBlockHeader(uint8_t* header, uint32_t tagId, uint32_t tagVersion);
