#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Endian.h"
#include "MemStream.h"
#include "NdbFormat.h"
#include "TextCodec.h"

class CServiceData {
public:
    CServiceData() = default;
    explicit CServiceData(const uint8_t* image);
    virtual ~CServiceData() = default;

    uint16_t GetNumber() const { return ve::ReadLE16(&m_record[0]); }
    void SetNumber(uint16_t v) { ve::WriteLE16(&m_record[0], v); }
    uint16_t GetPrevious() const { return ve::ReadLE16(&m_record[2]); }
    void SetPrevious(uint16_t v) { ve::WriteLE16(&m_record[2], v); }
    uint16_t GetNext() const { return ve::ReadLE16(&m_record[4]); }
    void SetNext(uint16_t v) { ve::WriteLE16(&m_record[4], v); }
    uint16_t GetTransponder() const { return ve::ReadLE16(&m_record[6]); }
    void SetTransponder(uint16_t v) { ve::WriteLE16(&m_record[6], v); }
    uint16_t GetServiceId() const { return ve::ReadLE16(&m_record[8]); }
    void SetServiceId(uint16_t v) { ve::WriteLE16(&m_record[8], v); }
    uint16_t GetPmtPid() const { return ve::ReadLE16(&m_record[10]); }
    void SetPmtPid(uint16_t v) { ve::WriteLE16(&m_record[10], v); }
    uint16_t GetVideoPid() const { return ve::ReadLE16(&m_record[12]); }
    void SetVideoPid(uint16_t v) { ve::WriteLE16(&m_record[12], v); }
    uint16_t GetAudioPid() const { return ve::ReadLE16(&m_record[14]); }
    void SetAudioPid(uint16_t v) { ve::WriteLE16(&m_record[14], v); }
    uint16_t GetPcrPid() const { return ve::ReadLE16(&m_record[16]); }
    void SetPcrPid(uint16_t v) { ve::WriteLE16(&m_record[16], v); }
    uint16_t GetCaValue() const { return ve::ReadLE16(&m_record[28]); }
    bool IsScrambled() const { return GetCaValue() > 1; }
    uint8_t GetFavouriteGroup() const { return m_record[30]; }
    void SetFavouriteGroup(uint8_t g) { m_record[30] = g; }
    uint8_t GetFlags() const { return m_record[31]; }
    void SetFlags(uint8_t f) { m_record[31] = f; }
    bool IsRadio() const { return (m_record[31] & 0x08) != 0; }
    bool IsSkip() const { return (m_record[31] & 0x10) != 0; }
    bool IsLocked() const { return (m_record[31] & 0x20) != 0; }
    uint8_t GetVideoType() const { return m_record[32]; }
    bool IsHD() const { return m_record[32] == 27; }
    uint16_t GetTunerWord() const { return ve::ReadLE16(&m_record[34]); }

    std::string GetNameText() const;
    // Appends the same name as UTF-16, straight from the record's bytes.
    void AppendNameUtf16(std::u16string& out) const;
    std::string GetProviderText() const;
    void SetNameText(const std::string& text, ve::CodePage cp = ve::CodePage::Latin1);
    void SetProviderText(const std::string& text, ve::CodePage cp = ve::CodePage::Latin1);

    std::array<uint8_t, ndb::kSvcRecordSize> m_record{};
    int32_t m_nListPos = 0;
};

struct ScrambledCounts {
    int tv = 0;
    int radio = 0;
    int scrambledTv = 0;
    int scrambledRadio = 0;
};

class CServiceDataArray {
public:
    virtual ~CServiceDataArray() = default;

    void ReadBlock(CMemStream& stream);
    void NumberListPositions();
    void RelinkServices();
    void WriteBlock();
    bool ReadStream(CMemStream& stream);
    void WriteStream(CMemStream& stream) const;
    void RemoveAll() { m_records.clear(); }

    int GetSize() const { return static_cast<int>(m_records.size()); }
    CServiceData* GetAt(int i) const { return m_records[static_cast<size_t>(i)].get(); }
    CServiceData* Add(std::unique_ptr<CServiceData> rec);

    // Returns the new record, put in the last empty slot, or nullptr when the
    // table has no free slot (FreeSlots) or is not whole.
    CServiceData* AddService(const CServiceData* source, bool television);
    // How many records AddService can add: the empty slots of a whole table,
    // less the first one when records on no chain stand behind it, since
    // filling it would put them on the chain.
    int FreeSlots() const;
    void DeleteService(CServiceData* rec);
    // Moves the record at its index to target; returns the old index, or -1
    // (nothing moved) when the record or the target is outside the array.
    int MoveService(CServiceData* rec, int target);
    int MoveServiceTo(CServiceData* anchor, CServiceData* rec);

    int IndexOf(const CServiceData* rec) const;
    // The channels are the numbered records in front of the first empty
    // slot: the ones the save chains. Records behind it that carry a number
    // are on no chain; they are kept and written back, but listed nowhere.
    // Returns the index of that first empty slot (the size when there is none).
    int ChannelEnd() const;
    int ListNumberOf(const CServiceData* rec, bool television) const;
    CServiceData* ServiceAtListNumber(int number, bool television) const;
    int IndexOfTransponderAndSid(int transponder, int sid) const;
    ScrambledCounts CountScrambled() const;
    void RemapFavouriteGroups(int oldPos, int newPos, int groupCount);

    // Deletes several records in one pass; the same result as DeleteService
    // on each of them in turn.
    void DeleteServices(const std::vector<CServiceData*>& records);
    // Takes the records out of the array and puts them, in the given order,
    // right before (after == false) or right after the anchor. Returns false
    // and moves nothing when the anchor or a record is not in the array.
    bool MoveServicesNextTo(const CServiceData* anchor, const std::vector<CServiceData*>& records, bool after);

    // The record pointers in array order.
    std::vector<CServiceData*> Order() const;
    // While set, records that deletions and additions drop are parked here
    // instead of being destroyed, so that an edit can be taken back with the
    // very same records.
    void SetGraveyard(std::vector<std::unique_ptr<CServiceData>>* graveyard) { m_pGraveyard = graveyard; }
    // Replaces the records at [first, first + count) by the records of
    // order, taken from that range or from parked; records of the range that
    // order leaves out go to parked. False, nothing changed, when a record of
    // order is in neither.
    bool Rearrange(int first, int count, const std::vector<CServiceData*>& order,
                   std::vector<std::unique_ptr<CServiceData>>& parked);

    uint32_t GetTvCount() const { return ve::ReadLE32(&m_serviceHead[0]); }
    uint32_t GetRadioCount() const { return ve::ReadLE32(&m_serviceHead[4]); }
    uint16_t GetHeadTotal() const { return ve::ReadLE16(&m_serviceHead[16]); }

    int32_t m_nBodyLength = 0;
    std::array<uint8_t, ndb::kSvcHeadSize> m_serviceHead{};
    // The bytes of the body behind the last whole slot, written back as read.
    std::vector<uint8_t> m_tail;
    // The body was too short for the head: it is all in m_tail.
    bool m_bShortBody = false;

private:
    void AddToKindCount(bool radio, int delta);
    void Drop(std::unique_ptr<CServiceData> rec);
    std::vector<std::unique_ptr<CServiceData>> m_records;
    std::vector<std::unique_ptr<CServiceData>>* m_pGraveyard = nullptr;
};
