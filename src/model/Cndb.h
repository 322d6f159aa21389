#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "MemStream.h"
#include "NdbFormat.h"

// The database header and the reader of the container and block headers.
class Cndb {
public:
    virtual ~Cndb() = default;

    // Checks tag and both checksums of the container held in fileBytes. On
    // success copies the payload into stream, rewinds it and returns 1.
    // A payload length beyond the file fails the check.
    int ReadContainer(const uint8_t* fileBytes, size_t fileSize, CMemStream& stream);

    // Reads one block header at the stream position. On success sets type
    // (1 to 8) and length and leaves the stream at the first body byte; on
    // failure leaves both untouched. A body length beyond the end of the
    // stream fails the read.
    int ReadBlockHeader(CMemStream& stream, int& type, int& length);

    // Appends the 128 header bytes, untagged, to the prepackaging output.
    void WriteHeader() const;

    std::string GetLastBlockTagText() const { return m_strLastBlockTag; }
    // The four display texts: version/date, "%i.%i.%i.%i", "%i.%i / %i.%i", "K%i-%i / M%i.%i".
    std::array<std::string, 4> GetInfoTexts() const;

    std::array<uint8_t, ndb::kDatabaseHeaderSize> m_header{};
    int32_t m_nLoadStatus = 0;
    std::string m_strLastBlockTag;
};
