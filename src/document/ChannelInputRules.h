#pragma once
// What a typed channel field may hold, and the message when it does not.
// Small on purpose: every place that lets the user type a channel's name,
// provider, service id or PIDs uses these rules and texts.
#include <cstddef>
#include <string>

namespace chinput {
// Characters of the name and provider fields (the rest of each field is
// the terminating zero).
inline constexpr size_t kNameChars = 19;
inline constexpr size_t kProviderChars = 11;
inline constexpr int kMaxServiceId = 65535;
// PIDs are 13 bits wide.
inline constexpr int kMaxPid = 8191;
} // namespace chinput

// Whether the UTF-8 text can be stored as it is in an ISO-8859-1 field of
// maxChars characters: no character outside ISO-8859-1, no control
// character, none of the characters the record's text setter drops.
bool FitsLatin1Field(const std::string& utf8, size_t maxChars);

// A typed whole number checked against its range.
struct NumberInput {
    bool ok = false;
    int value = 0;
    std::string error; // the message to show when not ok
};
// label is the field's caption as the user sees it.
NumberInput ParseNumberInRange(const std::string& label, const std::string& text, int lower, int upper);
// "„<label>“: Geben Sie eine ganze Zahl zwischen <lower> und <upper> ein."
std::string RangeMessage(const std::string& label, int lower, int upper);
