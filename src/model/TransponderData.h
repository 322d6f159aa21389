#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Endian.h"
#include "MemStream.h"
#include "NdbFormat.h"

class COptionList;

class CTransponderData {
public:
    CTransponderData() = default;
    explicit CTransponderData(const uint8_t* image);
    virtual ~CTransponderData() = default;

    uint16_t GetNumber() const { return ve::ReadLE16(&m_record[0]); }
    uint16_t GetOrgNetId() const { return ve::ReadLE16(&m_record[6]); }
    void SetOrgNetId(uint16_t v) { ve::WriteLE16(&m_record[6], v); }
    uint16_t GetTpId() const { return ve::ReadLE16(&m_record[8]); }
    void SetTpId(uint16_t v) { ve::WriteLE16(&m_record[8], v); }
    uint16_t GetFrequency() const { return ve::ReadLE16(&m_record[10]); }
    void SetFrequency(uint16_t v) { ve::WriteLE16(&m_record[10], v); }
    uint16_t GetSymbolRate() const { return ve::ReadLE16(&m_record[14]); }
    void SetSymbolRate(uint16_t v) { ve::WriteLE16(&m_record[14], v); }
    uint32_t GetFlags() const { return ve::ReadLE32(&m_record[16]); }
    void SetFlags(uint32_t v) { ve::WriteLE32(&m_record[16], v); }
    // Bits 0 to 1: 0 vertical, 1 horizontal, 2 and 3 unknown.
    int GetPolarisation() const { return static_cast<int>(GetFlags() & 3u); }
    void SetPolarisation(int p) { SetFlags((GetFlags() & ~3u) | (static_cast<uint32_t>(p) & 3u)); }
    bool IsInUse() const { return (GetFlags() & (1u << 21)) != 0; }
    uint8_t GetSatellite() const { return m_record[20]; }

    std::string FormatPolarityText() const;
    std::string FormatSummaryText() const;

    std::array<uint8_t, ndb::kTpRecordSize> m_record{};
};

class CTransponderDataArray {
public:
    virtual ~CTransponderDataArray() = default;

    void ReadBlock(CMemStream& stream);
    void WriteBlock() const;
    bool ReadStream(CMemStream& stream);
    void WriteStream(CMemStream& stream) const;
    void RemoveAll() { m_records.clear(); }

    int GetSize() const { return static_cast<int>(m_records.size()); }
    CTransponderData* GetAt(int i) const { return m_records[static_cast<size_t>(i)].get(); }
    CTransponderData* Add(std::unique_ptr<CTransponderData> rec);

    int IndexOf(const CTransponderData* rec) const;
    int IndexOfNumber(int number) const;
    int IndexOfTransponderKeys(int tpId, int orgNetId, int polarisation) const;
    int NumberOfTransponderKeys(int satellite, int tpId, int orgNetId, int polarisation) const;
    void FillTransponderOptions(int satelliteNumber, COptionList& options) const;
    static void FillPolarisationOptions(COptionList& options);

    std::array<uint8_t, ndb::kTpHeadSize> m_head{};
    int32_t m_nBodyLength = 0;
    // The bytes of the body behind the last whole slot, written back as read.
    std::vector<uint8_t> m_tail;
    // The body was too short for the head: it is all in m_tail.
    bool m_bShortBody = false;

private:
    std::vector<std::unique_ptr<CTransponderData>> m_records;
};
