#pragma once
// The preference record of the application and the rules of its store:
// names, sections, defaults, ranges and the colour encoding. Only the
// standard library, so the rules are tested without a window.
#include <cstdint>
#include <string>
#include <vector>

namespace settings {
inline constexpr const char* kOrganisation = "Morvanta";
inline constexpr const char* kApplication = "VandrelEdit2028";
// The framework's own section and the section of the colours.
inline constexpr const char* kWorkspace = "Workspace";
inline constexpr const char* kEinstellungen = "Einstellungen";
inline constexpr const char* kRecentFileList = "Recent File List";

inline constexpr int32_t kListWidthMin = 50;
inline constexpr int32_t kListWidthMax = 250;
inline constexpr int32_t kListWidthDefault = 100;
// Held until the store has been read.
inline constexpr int32_t kListWidthBeforeRead = 120;
inline constexpr int32_t kApplicationLookDefault = 219;
inline constexpr int kRecentFileCount = 15;
} // namespace settings

// A colour as held in memory: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = uint32_t;

constexpr ColorRef Rgb(int r, int g, int b)
{
    return uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16);
}
constexpr int RedOf(ColorRef c)
{
    return int(c & 0xFF);
}
constexpr int GreenOf(ColorRef c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c)
{
    return int((c >> 16) & 0xFF);
}

// The store keeps colours as 0x00RRGGBB: red and blue swapped against memory.
constexpr int32_t ColorToStored(ColorRef c)
{
    return int32_t((uint32_t(RedOf(c)) << 16) | (uint32_t(GreenOf(c)) << 8) | uint32_t(BlueOf(c)));
}
constexpr ColorRef ColorFromStored(int32_t v)
{
    const auto u = uint32_t(v);
    return Rgb(int((u >> 16) & 0xFF), int((u >> 8) & 0xFF), int(u & 0xFF));
}

// The four colours the option page offers as "Standard".
namespace stdcolors {
inline constexpr ColorRef kChannelBack = Rgb(53, 73, 106);
inline constexpr ColorRef kChannelText = Rgb(255, 255, 255);
inline constexpr ColorRef kTreeBack = Rgb(188, 199, 216);
inline constexpr ColorRef kTreeText = Rgb(0, 0, 0);
} // namespace stdcolors

// The per-user store, one integer or text per (section, name). Reading a
// missing value yields the default given.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual int32_t ReadInt(const std::string& section, const std::string& name, int32_t def) = 0;
    virtual void WriteInt(const std::string& section, const std::string& name, int32_t value) = 0;
    virtual std::string ReadString(const std::string& section, const std::string& name,
                                   const std::string& def) = 0;
    virtual void WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual void Remove(const std::string& section, const std::string& name) = 0;

    // The framework section.
    int32_t GetProfileInt(const std::string& name, int32_t def)
    {
        return ReadInt(settings::kWorkspace, name, def);
    }
    void WriteProfileInt(const std::string& name, int32_t value) { WriteInt(settings::kWorkspace, name, value); }
};

// The preferences held by the application object while the program runs.
struct AppSettings {
    int32_t m_nSatelliteOnlyActive = 1;
    int32_t m_nSatelliteOrder = 1;
    int32_t m_nProviderOrder = 0;
    int32_t m_nListWidth = settings::kListWidthBeforeRead;
    int32_t m_nShowToolTips = 1;
    int32_t m_nShowToolTipDescr = 1;
    int32_t m_nFavHoldSelection = 1;
    int32_t m_nFavSeqNum = 1;
    int32_t m_nApplicationLook = settings::kApplicationLookDefault;
    ColorRef m_clrChannelBack = stdcolors::kChannelBack;
    ColorRef m_clrChannelText = stdcolors::kChannelText;
    ColorRef m_clrTreeBack = stdcolors::kTreeBack;
    ColorRef m_clrTreeText = stdcolors::kTreeText;
    ColorRef m_clrFavoritenText = Rgb(255, 255, 245);
    ColorRef m_clrFavoritenBack = Rgb(215, 40, 45);
    int32_t m_nAutoNummerierung = 1;

    // Reads every value, each with its default.
    void Read(ISettingsStore& store);
    // Writes what the program writes at exit. "ApplicationLook" is written by
    // the style commands themselves; the favourite colours and
    // "AutoNummerierung" are never written.
    void WriteAtExit(ISettingsStore& store) const;

    // An out-of-range width is never stored.
    static int32_t ListWidthForStore(int32_t width);
};

// The framework's list of recently used files, most recent first, without
// duplicates, at most settings::kRecentFileCount entries.
class CRecentFileList {
public:
    explicit CRecentFileList(size_t maxEntries = settings::kRecentFileCount) : m_nMax(maxEntries) {}

    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Files() const { return m_files; }

    // Stored as "File1" .. "FileN" in the section "Recent File List".
    void Read(ISettingsStore& store);
    void Write(ISettingsStore& store) const;

private:
    size_t m_nMax;
    std::vector<std::string> m_files;
};
