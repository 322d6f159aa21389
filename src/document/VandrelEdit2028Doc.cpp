#include "VandrelEdit2028Doc.h"

#include <cstdio>
#include <cstring>

#include "FileLayer.h"
#include "Messages.h"
#include "model/NdbPrepackaging.h"

CVandrelEdit2028Doc::~CVandrelEdit2028Doc()
{
    m_pCurrentService = nullptr;
    m_pCurrentSatellite = nullptr;
    m_pCurrentTransponder = nullptr;
    m_timers.RemoveAll();
    m_configuration.RemoveAll();
    m_services.RemoveAll();
    m_transponders.RemoveAll();
    m_satellites.RemoveAll();
}

LoadStatus CVandrelEdit2028Doc::Load(const uint8_t* fileBytes, size_t fileSize)
{
    CMemStream stream;
    m_ndb.ReadContainer(fileBytes, fileSize, stream);
    if (m_ndb.m_nLoadStatus == 0 || stream.Read(m_ndb.m_header.data(), m_ndb.m_header.size()) <
                                        m_ndb.m_header.size()) {
        m_ndb.m_nLoadStatus = 0;
        m_ndb.m_header.fill(0);
        return LoadStatus::Refused;
    }
    m_bHasFileContents = true;
    RunBlockLoop(stream);
    m_ndb.EndBlockReading();
    m_services.NumberListPositions();
    m_bModified = false;
    return m_bLoadStoppedEarly ? LoadStatus::LoadedPartly : LoadStatus::Loaded;
}

void CVandrelEdit2028Doc::RunBlockLoop(CMemStream& stream)
{
    m_bLoadStoppedEarly = false;
    while (stream.Remaining() > 0) {
        int type = ndb::kTypeNone;
        int length = -1;
        m_ndb.ReadBlockHeader(stream, type, length);
        if (type < ndb::kTypeConfigV2 || type == ndb::kTypeOldTimers || type == ndb::kTypeContainer) {
            m_bLoadStoppedEarly = true;
            return;
        }
        // Every reader sees exactly its own body, so a body of an unexpected
        // length can neither read into the next block nor shift it.
        const size_t bodyStart = stream.GetPosition();
        const size_t bodyLength = static_cast<size_t>(length);
        CMemStream body = CMemStream::View(stream.Current(), bodyLength);
        stream.Seek(bodyStart + bodyLength);
        switch (type) {
        case ndb::kTypeConfigV2:
        case ndb::kTypeConfigV3:
            m_configuration.m_nBodyLength = length;
            m_configuration.ReadBlock(body);
            break;
        case ndb::kTypeSatellites:
            m_satellites.m_nBodyLength = length;
            m_satellites.RemoveAll();
            m_satellites.ReadBlock(body);
            break;
        case ndb::kTypeTransponders:
            m_transponders.m_nBodyLength = length;
            m_transponders.RemoveAll();
            m_transponders.ReadBlock(body);
            break;
        case ndb::kTypeServices:
            m_services.m_nBodyLength = length;
            m_services.RemoveAll();
            m_services.ReadBlock(body);
            break;
        case ndb::kTypeTimers:
            m_timers.m_nBodyLength = length;
            m_timers.RemoveAll();
            m_timers.ReadBlock(body);
            break;
        default:
            break;
        }
    }
}

LoadStatus CVandrelEdit2028Doc::LoadFile(const std::string& path, std::string& error, CFileLayer* files)
{
    std::vector<uint8_t> bytes;
    if (!(files ? *files : CFileLayer::Default()).ReadFile(path, bytes, error)) {
        return LoadStatus::ReadError;
    }
    return Load(bytes.data(), bytes.size());
}

std::vector<uint8_t> CVandrelEdit2028Doc::Save()
{
    CNDBPrepackaging& out = CNDBPrepackaging::GetInstance();
    out.Reset();
    m_ndb.WriteHeader();
    m_configuration.WriteBlock();
    m_satellites.WriteBlock();
    m_transponders.WriteBlock();
    m_services.WriteBlock();
    m_timers.WriteBlock();
    return out.WriteContainer();
}

bool CVandrelEdit2028Doc::SaveFile(const std::string& path, std::string& error, CFileLayer* files)
{
    const std::vector<uint8_t> bytes = Save();
    if (!(files ? *files : CFileLayer::Default()).WriteFileAtomic(path, bytes.data(), bytes.size(), error)) {
        return false;
    }
    m_bModified = false;
    return true;
}

std::string CVandrelEdit2028Doc::GetUnknownBlockMessage() const
{
    std::string text = msg::kUnknownBlockText;
    const size_t at = text.find("%s");
    text.replace(at, 2, m_ndb.GetLastBlockTagText());
    return text;
}

CTransponderData* CVandrelEdit2028Doc::TransponderOf(const CServiceData* service) const
{
    if (service == nullptr) {
        return nullptr;
    }
    const int idx = m_transponders.IndexOfNumber(service->GetTransponder());
    return idx >= 0 ? m_transponders.GetAt(idx) : nullptr;
}

CSatelliteData* CVandrelEdit2028Doc::SatelliteOf(const CTransponderData* transponder) const
{
    if (transponder == nullptr) {
        return nullptr;
    }
    const int idx = m_satellites.IndexOfNumber(transponder->GetSatellite());
    return idx >= 0 ? m_satellites.GetAt(idx) : nullptr;
}

CSatelliteData* CVandrelEdit2028Doc::SatelliteOf(const CServiceData* service) const
{
    return SatelliteOf(TransponderOf(service));
}

int CVandrelEdit2028Doc::FindSatelliteIndexOfService(const CServiceData* service) const
{
    if (service == nullptr) {
        return 0;
    }
    const CTransponderData* tp = TransponderOf(service);
    if (tp == nullptr) {
        return 0;
    }
    return m_satellites.IndexOfNumber(tp->GetSatellite());
}

void CVandrelEdit2028Doc::UpdateSatelliteUsage()
{
    // Which transponder numbers carry a service, and which satellite numbers
    // have such a transponder: the same result as walking the arrays for every
    // satellite, in linear time.
    std::vector<char> tpUsed(65536, 0);
    for (int i = 0; i < m_services.GetSize(); ++i) {
        tpUsed[m_services.GetAt(i)->GetTransponder()] = 1;
    }
    std::vector<char> satUsed(256, 0);
    for (int i = 0; i < m_transponders.GetSize(); ++i) {
        const CTransponderData& t = *m_transponders.GetAt(i);
        if (tpUsed[t.GetNumber()]) {
            satUsed[t.GetSatellite()] = 1;
        }
    }
    for (int i = 0; i < m_satellites.GetSize(); ++i) {
        CSatelliteData& s = *m_satellites.GetAt(i);
        const uint8_t flags = static_cast<uint8_t>(s.GetFlags() & ~0x08);
        s.SetFlags(satUsed[s.GetNumber()] ? static_cast<uint8_t>(flags | 0x08) : flags);
    }
}

void CVandrelEdit2028Doc::UpdateTransponderUsage()
{
    std::vector<char> tpUsed(65536, 0);
    for (int i = 0; i < m_services.GetSize(); ++i) {
        tpUsed[m_services.GetAt(i)->GetTransponder()] = 1;
    }
    for (int i = 0; i < m_transponders.GetSize(); ++i) {
        CTransponderData& t = *m_transponders.GetAt(i);
        uint32_t flags = t.GetFlags() & ~(1u << 21);
        if (t.GetNumber() != 0 && tpUsed[t.GetNumber()]) {
            flags |= 1u << 21;
        }
        t.SetFlags(flags);
    }
}

CServiceData* CVandrelEdit2028Doc::AddService(const CServiceData* source, bool television)
{
    CServiceData* rec = m_services.AddService(source, television);
    if (rec != nullptr) {
        SetModifiedFlag(true);
    }
    return rec;
}

void CVandrelEdit2028Doc::ForgetService(const CServiceData* service)
{
    if (m_pCurrentService == service) {
        m_pCurrentService = nullptr;
    }
}
