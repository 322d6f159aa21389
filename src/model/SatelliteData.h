#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MemStream.h"
#include "NdbFormat.h"

class COptionList;

class CSatelliteData {
public:
    CSatelliteData() = default;
    CSatelliteData(const uint8_t* image, int slot);
    virtual ~CSatelliteData() = default;

    uint8_t GetNumber() const { return m_record[0]; }
    uint8_t GetFlags() const { return m_record[23]; }
    void SetFlags(uint8_t f) { m_record[23] = f; }
    bool IsInUse() const { return (m_record[23] & 0x08) != 0; }
    bool IsWest() const { return (m_record[23] & 0x10) != 0; }
    bool IsEast() const { return !IsWest(); }
    // Orbital position in tenths of a degree (11 bits).
    int GetPosition() const;

    std::string GetNameText() const;
    std::string FormatPositionText() const;
    std::string FormatDegreeText() const;
    std::string FormatOptionText() const;
    // Pads the position text with spaces until measure(text) lies in 77..83
    // pixels (or reaches 100), then appends a space and the name.
    template <class Measure> std::string FormatTreeLabel(Measure measure) const
    {
        std::string pos = FormatPositionText();
        for (int w = measure(pos); (w < 77 || w > 83) && w < 100; w = measure(pos)) {
            pos += ' ';
        }
        return pos + " " + GetNameText();
    }

    std::array<uint8_t, ndb::kSatRecordSize> m_record{};
    int32_t m_nSlot = 0;
};

// Key used by the stored sort order: the position through a single-precision
// round trip, truncated (0.7 degrees gives 6).
int PositionKeyOf(int position);

class CSatelliteDataArray {
public:
    virtual ~CSatelliteDataArray() = default;

    void ReadBlock(CMemStream& stream);
    void WriteBlock() const;
    bool ReadStream(CMemStream& stream);
    void WriteStream(CMemStream& stream) const;
    void RemoveAll() { m_records.clear(); }

    int GetSize() const { return static_cast<int>(m_records.size()); }
    CSatelliteData* GetAt(int i) const { return m_records[static_cast<size_t>(i)].get(); }
    CSatelliteData* Add(std::unique_ptr<CSatelliteData> rec);

    int IndexOf(const CSatelliteData* rec) const;
    int IndexOfNumber(int number) const;
    int IndexOfPositionAndName(int position, int east, const std::string& name) const;
    int NumberAtPosition(int key, int east) const;
    static int PositionKey(const CSatelliteData& rec) { return PositionKeyOf(rec.GetPosition()); }
    void FillSatelliteOptions(COptionList& options) const;

    int32_t m_nBodyLength = 0;
    std::array<uint8_t, ndb::kSatHeadSize> m_head{};
    // The bytes of the body behind the last whole slot, written back as
    // read; before any block was read, the zeroed tail of an empty block.
    std::vector<uint8_t> m_tail = std::vector<uint8_t>(ndb::kSatTailSize, 0);
    // The body was too short for the head: it is all in m_tail.
    bool m_bShortBody = false;

private:
    std::vector<std::unique_ptr<CSatelliteData>> m_records;
};
