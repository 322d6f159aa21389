#include "ChannelIdentity.h"

#include "VandrelEdit2028Doc.h"

CReceptionLookup::CReceptionLookup(const CVandrelEdit2028Doc& doc) : m_transponders(65536, nullptr)
{
    // Walked backwards, so the first record of a number is the one kept.
    for (int i = doc.m_transponders.GetSize() - 1; i >= 0; --i) {
        const CTransponderData* tp = doc.m_transponders.GetAt(i);
        m_transponders[tp->GetNumber()] = tp;
    }
    for (int i = doc.m_satellites.GetSize() - 1; i >= 0; --i) {
        const CSatelliteData* sat = doc.m_satellites.GetAt(i);
        m_satellites[sat->GetNumber()] = sat;
    }
    // Number 0 marks an empty slot: a reference to it is no reference.
    m_transponders[0] = nullptr;
    m_satellites[0] = nullptr;
}

const CTransponderData* CReceptionLookup::TransponderOf(const CServiceData& service) const
{
    return m_transponders[service.GetTransponder()];
}

const CSatelliteData* CReceptionLookup::SatelliteOf(const CTransponderData* transponder) const
{
    return transponder ? m_satellites[transponder->GetSatellite()] : nullptr;
}

uint64_t PositionKey(int position, bool west, uint16_t onid, uint16_t tsid, uint16_t sid)
{
    return (static_cast<uint64_t>(west ? 1 : 0) << 59) | (static_cast<uint64_t>(position & 0x7FF) << 48) |
           IdentifierKey(onid, tsid, sid);
}

uint64_t IdentifierKey(uint16_t onid, uint16_t tsid, uint16_t sid)
{
    return (static_cast<uint64_t>(onid) << 32) | (static_cast<uint64_t>(tsid) << 16) | sid;
}

uint32_t OnidSidKey(uint16_t onid, uint16_t sid)
{
    return (static_cast<uint32_t>(onid) << 16) | sid;
}

ChannelKeys KeysOf(const CReceptionLookup& lookup, const CServiceData& service)
{
    ChannelKeys keys;
    const CTransponderData* tp = lookup.TransponderOf(service);
    if (tp == nullptr) {
        return keys;
    }
    keys.hasIdentifiers = true;
    keys.identifiers = IdentifierKey(tp->GetOrgNetId(), tp->GetTpId(), service.GetServiceId());
    keys.onidSid = OnidSidKey(tp->GetOrgNetId(), service.GetServiceId());
    if (const CSatelliteData* sat = lookup.SatelliteOf(tp)) {
        keys.hasPosition = true;
        keys.position = PositionKey(sat->GetPosition(), sat->IsWest(), tp->GetOrgNetId(), tp->GetTpId(),
                                    service.GetServiceId());
    }
    return keys;
}
