#include "AlarmData.h"

#include <cstdio>
#include <cstring>

#include "NdbPrepackaging.h"
#include "TextCodec.h"

using namespace ve;

CAlarmData::CAlarmData(const uint8_t* image)
{
    std::memcpy(m_record.data(), image, m_record.size());
}

bool CAlarmData::IsInUse() const
{
    return ReadLE16(&m_record[0]) != 0 || ReadLE16(&m_record[2]) != 0 || ReadLE16(&m_record[4]) != 0;
}

std::string CAlarmData::GetProgrammeName() const
{
    return DecodeFixed(&m_record[55], 20, CodePage::Latin1);
}

std::string CAlarmData::GetModeText() const
{
    switch (m_record[6]) {
    case 0:
        return "Aus";
    case 1:
        return "Einmal";
    case 2:
        return "Täglich";
    case 3:
        return "Wöchentlich";
    case 4:
        return "Mo - Fr";
    default:
        return "Unbekannt";
    }
}

std::string CAlarmData::GetTimeText() const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2X:%.2X", m_record[42], m_record[41]);
    return buf;
}

std::string CAlarmData::GetDateText() const
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2i.%.2i.%.4i", m_record[16], m_record[12], ReadLE16(&m_record[8]));
    return buf;
}

std::string CAlarmData::GetDurationText() const
{
    const int minutes = ReadLE16(&m_record[44]);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2i:%.2i", minutes / 60, minutes % 60);
    return buf;
}

void CAlarmDataArray::ReadBlock(CMemStream& stream)
{
    m_bShortBody = stream.Read(m_head.data(), m_head.size()) < m_head.size();
    if (m_bShortBody) {
        // Too short for the preamble (even empty): kept whole as an opaque tail.
        m_tail.assign(stream.Data(), stream.Data() + stream.GetLength());
        stream.Seek(stream.GetLength());
        return;
    }
    m_bHasHead = true;
    size_t consumed = ndb::kTimerHeadSize;
    for (int i = 0; i < ndb::kTimerSlots && stream.Remaining() >= ndb::kTimerRecordSize; ++i) {
        m_records.push_back(std::make_unique<CAlarmData>(stream.Current()));
        stream.Skip(ndb::kTimerRecordSize);
        consumed += ndb::kTimerRecordSize;
    }
    m_tail.clear();
    if (m_nBodyLength > static_cast<int32_t>(consumed)) {
        m_tail.resize(static_cast<size_t>(m_nBodyLength) - consumed);
        m_tail.resize(stream.Read(m_tail.data(), m_tail.size()));
    }
}

void CAlarmDataArray::WriteBlock() const
{
    CMemStream body;
    // A body too short for the preamble went whole into the tail.
    if (!m_bShortBody) {
        body.Write(m_head.data(), m_head.size());
    }
    for (const auto& r : m_records) {
        body.Write(r->m_record.data(), r->m_record.size());
    }
    body.Write(m_tail.data(), m_tail.size());
    uint8_t header[ndb::kHeaderSize];
    MakeBlockHeader(header, 0xDB05, 3);
    CNDBPrepackaging::GetInstance().AppendBlock(header, body);
}

int CAlarmDataArray::CountInUse() const
{
    int n = 0;
    for (const auto& r : m_records) {
        n += r->IsInUse() ? 1 : 0;
    }
    return n;
}

std::vector<TimerRowTexts> BuildTimerRows(const CAlarmDataArray& timers)
{
    std::vector<TimerRowTexts> rows;
    int number = 0;
    for (int i = 0; i < timers.GetSize(); ++i) {
        const CAlarmData& t = *timers.GetAt(i);
        if (!t.IsInUse()) {
            continue;
        }
        char num[16];
        std::snprintf(num, sizeof num, "%5.d", ++number);
        rows.push_back({i, t.GetIconIndex(), num, t.GetModeText(), t.GetTimeText(), t.GetDateText(),
                        t.GetDurationText(), t.GetProgrammeName()});
    }
    return rows;
}
