#pragma once
// The bytes channels travel in between documents: three count-prefixed
// sequences (services with a kind byte, then their satellites, then their
// transponders), entry i of each belonging together.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "SatelliteData.h"
#include "ServiceData.h"
#include "TransponderData.h"

// Name of the private clipboard format, and the MIME type it travels under.
inline constexpr const char* kClipFormatName = "VandrelEditClipRudevozNDB";
inline constexpr const char* kClipMimeType = "application/x-VandrelEditClipRudevozNDB";

class CClipPayload {
public:
    CClipPayload() = default;
    CClipPayload(const CClipPayload&) = delete;
    CClipPayload& operator=(const CClipPayload&) = delete;
    virtual ~CClipPayload() = default;

    // Reads the three sequences from untrusted bytes into empty arrays. Only
    // entries that are really there are kept; returns false when a count
    // promised more than arrived (the arrays then hold what did).
    bool Read(const uint8_t* data, size_t size);
    std::vector<uint8_t> Write() const;
    // Copies of the three records of one channel, appended as one entry.
    void Append(const CServiceData& service, const CSatelliteData& satellite, const CTransponderData& transponder);
    // A payload the paste can work with: none of the sequences is empty.
    bool IsUsable() const;
    int GetChannelCount() const { return m_services.GetSize(); }
    void RemoveAll();

    CServiceDataArray m_services;
    CSatelliteDataArray m_satellites;
    CTransponderDataArray m_transponders;
};
