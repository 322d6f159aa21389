#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Endian.h"
#include "MemStream.h"
#include "NdbFormat.h"

// One timer slot, kept exactly as read.
class CAlarmData {
public:
    explicit CAlarmData(const uint8_t* image);
    virtual ~CAlarmData() = default;

    bool IsInUse() const;
    int GetIconIndex() const { return m_record[7]; }
    std::string GetProgrammeName() const;
    std::string GetModeText() const;
    std::string GetTimeText() const;
    std::string GetDateText() const;
    std::string GetDurationText() const;

    std::array<uint8_t, ndb::kTimerRecordSize> m_record{};
};

class CAlarmDataArray {
public:
    virtual ~CAlarmDataArray() = default;

    void ReadBlock(CMemStream& stream);
    void WriteBlock() const;
    void RemoveAll() { m_records.clear(); }
    // True once a preamble was read.
    bool HasHead() const { return m_bHasHead; }

    int GetSize() const { return static_cast<int>(m_records.size()); }
    CAlarmData* GetAt(int i) const { return m_records[static_cast<size_t>(i)].get(); }
    int CountInUse() const;

    int32_t m_nBodyLength = 0;
    std::array<uint8_t, ndb::kTimerHeadSize> m_head{};
    std::vector<uint8_t> m_tail;

private:
    bool m_bHasHead = false;
    // The body read was too short for the preamble: it is all in m_tail.
    bool m_bShortBody = false;
    std::vector<std::unique_ptr<CAlarmData>> m_records;
};

// The six texts of one timer list row; number is the running row number.
struct TimerRowTexts {
    int index = 0; // index of the record in the timer array
    int icon = 0;
    std::string number, mode, time, date, duration, programme;
};
// Rows for every timer in use, in array order, numbered from 1.
std::vector<TimerRowTexts> BuildTimerRows(const CAlarmDataArray& timers);
