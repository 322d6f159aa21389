#pragma once
// What a typed value may hold before it reaches a record: the length and
// characters of a text field, the digits and range of a number field, and
// the German texts that state a rule and explain a refusal. The editors of
// the panes and the tree check every keystroke against these rules: a
// character a field cannot hold is refused, digits out of range stay as
// typed but are never stored, so nothing is cut, replaced or wrapped
// without the user seeing it.
#include <cstdint>
#include <optional>
#include <string>

#include "model/TextCodec.h"

struct InputRule {
    enum class Kind { Free, Text, Number };
    Kind kind = Kind::Free;
    // Text fields: at most maxChars characters of the code page (one byte
    // each), and whether the text may be empty.
    int maxChars = 0;
    ve::CodePage codePage = ve::CodePage::Latin1;
    bool required = false;
    // Number fields: at most maxDigits decimal digits, a value from minValue
    // to maxValue.
    int maxDigits = 0;
    int minValue = 0;
    int maxValue = 0;
};

// Service names (19 characters) and providers (11), ISO-8859-1.
InputRule ServiceNameRule();
InputRule ProviderRule();
// Favourite group names: 19 characters of Windows-1252, never empty.
InputRule GroupNameRule();
// A number field of the given mask width and largest value.
InputRule NumberRule(int maxDigits, int maxValue);
// Service ids (16 bits) and PIDs (13 bits, what a DVB stream can carry).
InputRule ServiceIdRule();
InputRule PidRule();
// The rules of the channel and transponder pane rows (their ids overlap);
// Free for rows that take no typed value.
InputRule ChannelRowRule(int rowId);
InputRule TransponderRowRule(int rowId);

// Whether the field can hold the character as typed. ISO-8859-1 fields drop
// U+00C2 when the text is stored, so it is refused there too.
bool IsStorableCharacter(const InputRule& rule, char32_t c);

enum class InputVerdict {
    Accepted,   // may be stored as it is
    Incomplete, // may stand while typing, but not be stored
    Refused     // the keystroke that led here is refused
};
struct InputCheck {
    InputVerdict verdict = InputVerdict::Accepted;
    // Why it is not accepted, naming the field by label; empty when accepted.
    std::string message;
};

// The text as a whole. label is the field's name as the user sees it.
InputCheck CheckInput(const InputRule& rule, const std::string& label, const std::string& text);
// A change while editing a text that started as `before`. A stored value
// may already break the rule (a name of 20 characters, a PID of 9000): a
// change that is no longer and holds no more refused characters than it is
// only Incomplete, so the user can still correct the field.
InputCheck CheckInputChange(const InputRule& rule, const std::string& label, const std::string& before,
                            const std::string& text);

// The value of an accepted number field; none for any other text.
std::optional<uint16_t> NumberOf(const InputRule& rule, const std::string& text);

// The rule in one sentence, for the description line of a row.
std::string DescribeRule(const InputRule& rule);
