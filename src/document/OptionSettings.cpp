#include "OptionSettings.h"

#include "model/ConfigurationData.h"
#include "model/NdbFormat.h"

namespace {

constexpr const char* kToolTipTexts[kToolTipEntryCount] = {
    "Zeige die Eigenschaftsbeschreibungen in den Screentips.", "Zeige nur die Screentips.",
    "Keine Screentips anzeigen."};

constexpr const char* kLanguageLabels[kLanguageFieldCount] = {
    "OSD Sprache", "Erster Audio Kanal", "Zweiter Audio Kanal", "Erster DVB Untertitel", "Zweiter DVB Untertitel"};

constexpr size_t kLanguageOffsets[kLanguageFieldCount] = {ndb::kConfigOsdLanguage, ndb::kConfigAudio1,
                                                          ndb::kConfigAudio2, ndb::kConfigSubtitle1,
                                                          ndb::kConfigSubtitle2};

bool ValidField(int field)
{
    return field >= 0 && field < kLanguageFieldCount;
}

} // namespace

const char* ToolTipEntryText(int entry)
{
    return entry >= 0 && entry < kToolTipEntryCount ? kToolTipTexts[entry] : "";
}

int ToolTipEntryOf(int32_t showToolTips, int32_t showToolTipDescr)
{
    if (showToolTips == 0) {
        return 2;
    }
    return showToolTipDescr != 0 ? 0 : 1;
}

ToolTipSettings ToolTipSettingsOf(int entry)
{
    switch (entry) {
    case 1:
        return {1, 0};
    case 2:
        return {0, 0};
    default:
        return {1, 1};
    }
}

const char* LanguageFieldLabel(int field)
{
    return ValidField(field) ? kLanguageLabels[field] : "";
}

size_t LanguageFieldOffset(int field)
{
    return ValidField(field) ? kLanguageOffsets[field] : 0;
}

std::vector<COptionList::Option> LanguageOptions(int field)
{
    COptionList list;
    if (field == kLangOsd) {
        CConfigurationData::FillOsdLanguageList(list);
    } else if (ValidField(field)) {
        CConfigurationData::FillTrackLanguageList(list);
    }
    std::vector<COptionList::Option> options = list.Options();
    SortOptionTexts(options);
    return options;
}

LanguageChoice StoredLanguageCodes(const CConfigurationData& config)
{
    LanguageChoice codes{};
    for (int f = 0; f < kLanguageFieldCount; ++f) {
        codes[static_cast<size_t>(f)] = config.m_image[kLanguageOffsets[f]];
    }
    return codes;
}

int LanguageOptionIndex(const std::vector<COptionList::Option>& options, int code)
{
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i].value == code) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ApplyLanguageChoice(CConfigurationData& config, const LanguageChoice& choice)
{
    bool changed = false;
    for (int f = 0; f < kLanguageFieldCount; ++f) {
        const int code = choice[static_cast<size_t>(f)];
        if (code < 0 || code > 255) {
            continue;
        }
        uint8_t& byte = config.m_image[kLanguageOffsets[f]];
        changed = changed || byte != code;
        byte = static_cast<uint8_t>(code);
    }
    return changed;
}
