#pragma once
// The rules behind the option pages: the tooltip entry of "AppOptionen" and
// the five language choices of "Spracheinstellungen".
#include <array>
#include <cstdint>
#include <vector>

#include "model/OptionList.h"

class CConfigurationData;

// The entries of "Eigenschaftsbeschreibungen:", in their order.
inline constexpr int kToolTipEntryCount = 3;
const char* ToolTipEntryText(int entry);

// The entry selected when the page opens: 2 when tooltips are off,
// otherwise 0 with descriptions and 1 without.
int ToolTipEntryOf(int32_t showToolTips, int32_t showToolTipDescr);

struct ToolTipSettings {
    int32_t showToolTips = 1;
    int32_t showToolTipDescr = 1;
    bool operator==(const ToolTipSettings&) const = default;
};
// What OK stores for an entry: 0 both on, 1 tooltips without descriptions,
// 2 both off.
ToolTipSettings ToolTipSettingsOf(int entry);

// The five language lists of "Spracheinstellungen", in their order on the page.
enum LanguageField : int { kLangOsd = 0, kLangAudio1, kLangAudio2, kLangSubtitle1, kLangSubtitle2,
                           kLanguageFieldCount };
const char* LanguageFieldLabel(int field);
// Offset of the field's byte in the configuration block.
size_t LanguageFieldOffset(int field);

// The entries of a field's list, sorted by text as the list shows them; each
// carries its language code.
std::vector<COptionList::Option> LanguageOptions(int field);

// A code per field, -1 where the list has no selection.
using LanguageChoice = std::array<int, kLanguageFieldCount>;

// The stored codes (every byte, also those without an entry).
LanguageChoice StoredLanguageCodes(const CConfigurationData& config);
// The list index to select for a stored code among the sorted options, or -1.
int LanguageOptionIndex(const std::vector<COptionList::Option>& options, int code);

// Stores the choices that were made; a field without selection keeps its
// byte. Returns whether a byte changed.
bool ApplyLanguageChoice(CConfigurationData& config, const LanguageChoice& choice);
