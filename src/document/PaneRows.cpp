#include "PaneRows.h"

#include "VandrelEdit2028Doc.h"

COptionList ClearedOptions()
{
    COptionList options;
    options.AddOption(std::string(), -1);
    return options;
}

namespace {
COptionList SatelliteOptionsOf(const CVandrelEdit2028Doc& doc)
{
    COptionList options;
    doc.m_satellites.FillSatelliteOptions(options);
    return options;
}

// A satellite byte that names no satellite shows an empty row rather than
// the first satellite offered.
std::string SatelliteTextOf(const COptionList& options, int satelliteIndex)
{
    return satelliteIndex >= 0 ? options.SelectValueText(satelliteIndex) : std::string();
}
} // namespace

ChannelPaneContent ChannelPaneContentOf(const CVandrelEdit2028Doc& doc, const CServiceData& service)
{
    ChannelPaneContent c;
    c.satelliteOptions = SatelliteOptionsOf(doc);
    const int transponderIndex = doc.m_transponders.IndexOfNumber(service.GetTransponder());
    c.transponderFound = transponderIndex >= 0;
    if (c.transponderFound) {
        const CTransponderData* transponder = doc.m_transponders.GetAt(transponderIndex);
        const int satelliteIndex = doc.m_satellites.IndexOfNumber(transponder->GetSatellite());
        c.satelliteText = SatelliteTextOf(c.satelliteOptions, satelliteIndex);
        // The transponders of the same satellite byte: with a valid satellite
        // that is its number, with a dangling one the transponder still shows.
        doc.m_transponders.FillTransponderOptions(transponder->GetSatellite(), c.transponderOptions);
        c.transponderText = c.transponderOptions.SelectValueText(transponderIndex);
    } else {
        // The satellite row stays offered, so a channel can be put on an
        // existing transponder again.
        c.transponderOptions = ClearedOptions();
    }
    c.name = service.GetNameText();
    c.provider = service.GetProviderText();
    c.serviceId = service.GetServiceId();
    c.videoPid = service.GetVideoPid();
    c.audioPid = service.GetAudioPid();
    c.pcrPid = service.GetPcrPid();
    c.pmtPid = service.GetPmtPid();
    c.skip = service.IsSkip();
    c.locked = service.IsLocked();
    c.scrambled = service.IsScrambled();
    c.hd = service.IsHD();
    for (const CFavoritenData* group : doc.m_configuration.GroupOrder()) {
        c.groupNames.push_back(group->GetName());
    }
    const int g = service.GetFavouriteGroup();
    if (g >= 1 && g <= 8 && g <= static_cast<int>(c.groupNames.size())) {
        c.checkedGroupRow = panerow::kFavouriteFirst - 1 + g;
    }
    return c;
}

void FillOrientationOptions(COptionList& options)
{
    options.AddOption("\xC2\xB0" "E", 1);
    options.AddOption("\xC2\xB0" "W", 0);
}

SatellitePaneContent SatellitePaneContentOf(const CSatelliteData& satellite)
{
    SatellitePaneContent c;
    c.name = satellite.GetNameText();
    c.degree = satellite.FormatDegreeText();
    FillOrientationOptions(c.orientationOptions);
    c.orientationText = c.orientationOptions.SelectValueText(satellite.IsEast() ? 1 : 0);
    return c;
}

TransponderPaneContent TransponderPaneContentOf(const CVandrelEdit2028Doc& doc, const CTransponderData& transponder)
{
    TransponderPaneContent c;
    c.satelliteOptions = SatelliteOptionsOf(doc);
    c.satelliteText =
        SatelliteTextOf(c.satelliteOptions, doc.m_satellites.IndexOfNumber(transponder.GetSatellite()));
    c.frequency = transponder.GetFrequency();
    CTransponderDataArray::FillPolarisationOptions(c.polarityOptions);
    c.polarityText = c.polarityOptions.SelectValueText(transponder.GetPolarisation());
    c.symbolRate = transponder.GetSymbolRate();
    c.tpId = transponder.GetTpId();
    c.orgNetId = transponder.GetOrgNetId();
    return c;
}
