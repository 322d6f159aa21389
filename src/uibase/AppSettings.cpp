#include "AppSettings.h"

#include <algorithm>

namespace {
using namespace settings;

void ReadColor(ISettingsStore& store, const char* name, ColorRef& color)
{
    color = ColorFromStored(store.ReadInt(kEinstellungen, name, ColorToStored(color)));
}
} // namespace

void AppSettings::Read(ISettingsStore& store)
{
    const AppSettings defaults;
    m_nSatelliteOnlyActive = store.GetProfileInt("SatelliteOnlyAcitve", defaults.m_nSatelliteOnlyActive);
    m_nSatelliteOrder = store.GetProfileInt("SatelliteOrder", defaults.m_nSatelliteOrder);
    m_nProviderOrder = store.GetProfileInt("ProviderOrder", defaults.m_nProviderOrder);
    m_nListWidth = store.GetProfileInt("ListWidth", kListWidthDefault);
    m_nShowToolTips = store.GetProfileInt("ShowToolTips", defaults.m_nShowToolTips);
    m_nShowToolTipDescr = store.GetProfileInt("ShowToolTipDescr", defaults.m_nShowToolTipDescr);
    m_nFavHoldSelection = store.GetProfileInt("FavHoldSelection", defaults.m_nFavHoldSelection);
    m_nFavSeqNum = store.GetProfileInt("FavSeqNum", defaults.m_nFavSeqNum);
    m_nApplicationLook = store.GetProfileInt("ApplicationLook", defaults.m_nApplicationLook);

    m_clrChannelBack = defaults.m_clrChannelBack;
    m_clrChannelText = defaults.m_clrChannelText;
    m_clrTreeBack = defaults.m_clrTreeBack;
    m_clrTreeText = defaults.m_clrTreeText;
    m_clrFavoritenText = defaults.m_clrFavoritenText;
    m_clrFavoritenBack = defaults.m_clrFavoritenBack;
    ReadColor(store, "ChannelBackColor", m_clrChannelBack);
    ReadColor(store, "ChannelTextColor", m_clrChannelText);
    ReadColor(store, "TreeBackColor", m_clrTreeBack);
    ReadColor(store, "TreeTextColor", m_clrTreeText);
    ReadColor(store, "FavoritenTextFarbe", m_clrFavoritenText);
    ReadColor(store, "FavoritenBackFarbe", m_clrFavoritenBack);
    m_nAutoNummerierung = store.ReadInt(kEinstellungen, "AutoNummerierung", defaults.m_nAutoNummerierung);
}

void AppSettings::WriteAtExit(ISettingsStore& store) const
{
    store.WriteProfileInt("SatelliteOnlyAcitve", m_nSatelliteOnlyActive);
    store.WriteProfileInt("SatelliteOrder", m_nSatelliteOrder);
    store.WriteProfileInt("ProviderOrder", m_nProviderOrder);
    store.WriteProfileInt("ListWidth", ListWidthForStore(m_nListWidth));
    store.WriteProfileInt("ShowToolTips", m_nShowToolTips);
    store.WriteProfileInt("ShowToolTipDescr", m_nShowToolTipDescr);
    store.WriteProfileInt("FavHoldSelection", m_nFavHoldSelection);
    store.WriteProfileInt("FavSeqNum", m_nFavSeqNum);

    store.WriteInt(kEinstellungen, "ChannelBackColor", ColorToStored(m_clrChannelBack));
    store.WriteInt(kEinstellungen, "ChannelTextColor", ColorToStored(m_clrChannelText));
    store.WriteInt(kEinstellungen, "TreeBackColor", ColorToStored(m_clrTreeBack));
    store.WriteInt(kEinstellungen, "TreeTextColor", ColorToStored(m_clrTreeText));
}

int32_t AppSettings::ListWidthForStore(int32_t width)
{
    return (width < kListWidthMin || width > kListWidthMax) ? kListWidthDefault : width;
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    Remove(path);
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > m_nMax)
        m_files.resize(m_nMax);
}

void CRecentFileList::Remove(const std::string& path)
{
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
}

void CRecentFileList::Read(ISettingsStore& store)
{
    m_files.clear();
    for (size_t i = 1; i <= m_nMax; ++i) {
        const std::string file = store.ReadString(kRecentFileList, "File" + std::to_string(i), {});
        if (!file.empty() && std::find(m_files.begin(), m_files.end(), file) == m_files.end())
            m_files.push_back(file);
    }
}

void CRecentFileList::Write(ISettingsStore& store) const
{
    for (size_t i = 1; i <= m_nMax; ++i) {
        const std::string key = "File" + std::to_string(i);
        if (i <= m_files.size())
            store.WriteString(kRecentFileList, key, m_files[i - 1]);
        else
            store.Remove(kRecentFileList, key);
    }
}
