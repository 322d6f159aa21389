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
    // success makes stream a view of the payload at its start and returns 1;
    // fileBytes must stay alive while the blocks are read. A payload length
    // beyond the file fails the check.
    int ReadContainer(const uint8_t* fileBytes, size_t fileSize, CMemStream& stream);
    // Drops what the container check remembered about the payload.
    void EndBlockReading()
    {
        m_pCheckedPayload = nullptr;
        m_knownBodies.clear();
    }

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

private:
    // Body checksums computed while the payload checksum was verified, so
    // every byte is run through the CRC once.
    struct KnownBody {
        size_t offset;
        size_t length;
        uint32_t crc;
    };
    uint32_t PayloadCrc(const uint8_t* payload, size_t length);
    bool LookUpBodyCrc(const CMemStream& stream, size_t offset, size_t length, uint32_t& crc) const;

    const uint8_t* m_pCheckedPayload = nullptr;
    std::vector<KnownBody> m_knownBodies;
};
