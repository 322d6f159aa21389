#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/AlarmData.h"
#include "model/Cndb.h"
#include "model/ConfigurationData.h"
#include "model/NetworkDataArray.h"
#include "model/SatelliteData.h"
#include "model/ServiceData.h"
#include "model/TransponderData.h"

class CFileLayer;

enum class LoadStatus {
    Loaded,       // every block was read
    LoadedPartly, // the block loop stopped at an unknown or damaged block
    Refused,      // the container checks failed: nothing is kept
    ReadError,    // the file could not be read
};

// One opened channel database: the header object and every record array.
class CVandrelEdit2028Doc {
public:
    CVandrelEdit2028Doc() = default;
    CVandrelEdit2028Doc(const CVandrelEdit2028Doc&) = delete;
    CVandrelEdit2028Doc& operator=(const CVandrelEdit2028Doc&) = delete;
    virtual ~CVandrelEdit2028Doc();

    // The load pipeline over the bytes of a whole file. The document must be
    // fresh. Refused leaves it empty.
    LoadStatus Load(const uint8_t* fileBytes, size_t fileSize);
    LoadStatus LoadFile(const std::string& path, std::string& error, CFileLayer* files = nullptr);

    // The save pipeline: the whole file as bytes (renumbers and relinks the services).
    std::vector<uint8_t> Save();
    // Saves atomically into path. Clears the modified flag only on success.
    bool SaveFile(const std::string& path, std::string& error, CFileLayer* files = nullptr);

    // The message text of the unknown block that stopped the load.
    std::string GetUnknownBlockMessage() const;
    bool LoadStoppedEarly() const { return m_bLoadStoppedEarly; }
    // False for a document made by "new": it has no header, configuration or timers.
    bool HasFileContents() const { return m_bHasFileContents; }

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    int FindSatelliteIndexOfService(const CServiceData* service) const;
    void UpdateSatelliteUsage();
    void UpdateTransponderUsage();
    CServiceData* AddService(const CServiceData* source, bool television);
    // Clears any current-record pointer that points at the record.
    void ForgetService(const CServiceData* service);

    // Resolved references of a service; nullptr when dangling.
    CTransponderData* TransponderOf(const CServiceData* service) const;
    CSatelliteData* SatelliteOf(const CServiceData* service) const;
    CSatelliteData* SatelliteOf(const CTransponderData* transponder) const;

    Cndb m_ndb;
    CSatelliteDataArray m_satellites;
    CTransponderDataArray m_transponders;
    CServiceDataArray m_services;
    CNetworkDataArray m_networks;
    CConfigurationData m_configuration;
    CAlarmDataArray m_timers;
    CServiceData* m_pCurrentService = nullptr;
    CSatelliteData* m_pCurrentSatellite = nullptr;
    CTransponderData* m_pCurrentTransponder = nullptr;

private:
    void RunBlockLoop(CMemStream& stream);

    bool m_bModified = false;
    bool m_bLoadStoppedEarly = false;
    bool m_bHasFileContents = false;
};
