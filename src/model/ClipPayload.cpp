#include "ClipPayload.h"

#include <memory>

#include "MemStream.h"

bool CClipPayload::Read(const uint8_t* data, size_t size)
{
    RemoveAll();
    CMemStream in = CMemStream::View(data, size);
    // Each reader stops at the end of the bytes; a short sequence leaves the
    // stream at its end, so the sequences after it come out empty.
    const bool services = m_services.ReadStream(in);
    const bool satellites = m_satellites.ReadStream(in);
    const bool transponders = m_transponders.ReadStream(in);
    return services && satellites && transponders;
}

std::vector<uint8_t> CClipPayload::Write() const
{
    CMemStream out;
    out.Reserve(12 + static_cast<size_t>(m_services.GetSize()) * (1 + ndb::kSvcRecordSize) +
                static_cast<size_t>(m_satellites.GetSize()) * ndb::kSatRecordSize +
                static_cast<size_t>(m_transponders.GetSize()) * ndb::kTpRecordSize);
    m_services.WriteStream(out);
    m_satellites.WriteStream(out);
    m_transponders.WriteStream(out);
    return out.Detach();
}

void CClipPayload::Append(const CServiceData& service, const CSatelliteData& satellite,
                          const CTransponderData& transponder)
{
    m_services.Add(std::make_unique<CServiceData>(service.m_record.data()));
    m_satellites.Add(std::make_unique<CSatelliteData>(satellite.m_record.data(), m_satellites.GetSize()));
    m_transponders.Add(std::make_unique<CTransponderData>(transponder.m_record.data()));
}

bool CClipPayload::IsUsable() const
{
    return m_services.GetSize() > 0 && m_satellites.GetSize() > 0 && m_transponders.GetSize() > 0;
}

void CClipPayload::RemoveAll()
{
    m_services.RemoveAll();
    m_satellites.RemoveAll();
    m_transponders.RemoveAll();
}
