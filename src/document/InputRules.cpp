#include "InputRules.h"

#include <algorithm>
#include <cstdio>

#include "PaneRows.h"

namespace {
constexpr int kNameChars = 19;
constexpr int kProviderChars = 11;
constexpr int kGroupNameChars = 19;
// Largest value of a 16-bit field, and of a PID: 13 bits in a DVB stream.
constexpr int kWordMax = 65535;
constexpr int kPidMax = 8191;

std::string Quoted(const std::string& text)
{
    return "„" + text + "“";
}

const char* CodePageName(ve::CodePage cp)
{
    return cp == ve::CodePage::Latin1 ? "ISO-8859-1 (Westeuropäisch)" : "Windows-1252 (Westeuropäisch)";
}

std::string ShownCharacter(char32_t c)
{
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        return code;
    }
    std::string out;
    ve::AppendUtf8(out, c);
    return out;
}

bool IsDigits(const std::string& text)
{
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::string NumberMessage(const InputRule& rule, const std::string& label)
{
    return Quoted(label) + " nimmt nur ganze Zahlen von " + std::to_string(rule.minValue) + " bis " +
           std::to_string(rule.maxValue) + " an.";
}

// How far a text is from fitting: its length and its refused characters.
struct Excess {
    size_t length = 0;
    size_t refused = 0;
};

Excess ExcessOf(const InputRule& rule, const std::string& text)
{
    const std::u32string chars = ve::Utf8ToUtf32(text);
    Excess e;
    e.length = chars.size();
    if (rule.kind == InputRule::Kind::Text) {
        for (char32_t c : chars) {
            e.refused += IsStorableCharacter(rule, c) ? 0 : 1;
        }
    } else {
        for (char32_t c : chars) {
            e.refused += c >= '0' && c <= '9' ? 0 : 1;
        }
    }
    return e;
}

InputCheck CheckText(const InputRule& rule, const std::string& label, const std::string& text)
{
    const std::u32string chars = ve::Utf8ToUtf32(text);
    for (char32_t c : chars) {
        if (!IsStorableCharacter(rule, c)) {
            return {InputVerdict::Refused, "Das Zeichen " + Quoted(ShownCharacter(c)) + " kann in " +
                                               Quoted(label) +
                                               " nicht gespeichert werden; erlaubt ist der Zeichensatz " +
                                               CodePageName(rule.codePage) + "."};
        }
    }
    if (chars.size() > static_cast<size_t>(rule.maxChars)) {
        return {InputVerdict::Refused,
                Quoted(label) + " fasst höchstens " + std::to_string(rule.maxChars) + " Zeichen."};
    }
    // Blanks alone name nothing, as an empty text does.
    const auto blank = [](char32_t c) { return c == U' ' || c == U'\t' || c == U'\u00A0'; };
    if (rule.required && std::all_of(chars.begin(), chars.end(), blank)) {
        return {InputVerdict::Incomplete, Quoted(label) + " darf nicht leer sein."};
    }
    return {};
}

InputCheck CheckNumber(const InputRule& rule, const std::string& label, const std::string& text)
{
    if (text.empty()) {
        return {InputVerdict::Incomplete, NumberMessage(rule, label)};
    }
    if (!IsDigits(text)) {
        return {InputVerdict::Refused, NumberMessage(rule, label)};
    }
    // Digits out of range stay as typed, so the user sees what was typed
    // and corrects it; such a text is never stored.
    const bool tooLong = text.size() > static_cast<size_t>(rule.maxDigits);
    const long value = tooLong ? 0 : std::stol(text);
    if (tooLong || value < rule.minValue || value > rule.maxValue) {
        return {InputVerdict::Incomplete, NumberMessage(rule, label)};
    }
    return {};
}
} // namespace

InputRule ServiceNameRule()
{
    InputRule rule;
    rule.kind = InputRule::Kind::Text;
    rule.maxChars = kNameChars;
    rule.codePage = ve::CodePage::Latin1;
    return rule;
}

InputRule ProviderRule()
{
    InputRule rule = ServiceNameRule();
    rule.maxChars = kProviderChars;
    return rule;
}

InputRule GroupNameRule()
{
    InputRule rule;
    rule.kind = InputRule::Kind::Text;
    rule.maxChars = kGroupNameChars;
    rule.codePage = ve::CodePage::Windows1252;
    rule.required = true;
    return rule;
}

InputRule NumberRule(int maxDigits, int maxValue)
{
    InputRule rule;
    rule.kind = InputRule::Kind::Number;
    rule.maxDigits = maxDigits;
    rule.minValue = 0;
    rule.maxValue = maxValue;
    return rule;
}

InputRule ServiceIdRule()
{
    return NumberRule(5, kWordMax);
}

InputRule PidRule()
{
    return NumberRule(4, kPidMax);
}

InputRule ChannelRowRule(int rowId)
{
    using namespace panerow;
    switch (rowId) {
    case kName:
        return ServiceNameRule();
    case kProvider:
        return ProviderRule();
    case kServiceId:
        return ServiceIdRule();
    case kVideoPid:
    case kAudioPid:
    case kPcrPid:
    case kPmtPid:
        return PidRule();
    default:
        return {};
    }
}

InputRule TransponderRowRule(int rowId)
{
    using namespace panerow;
    switch (rowId) {
    case kTpFrequency:
    case kTpSymbolRate:
    case kTpTpId:
    case kTpOrgNetId:
        return NumberRule(5, kWordMax);
    default:
        return {};
    }
}

bool IsStorableCharacter(const InputRule& rule, char32_t c)
{
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
        return false; // control characters are never typed into a name
    }
    if (rule.codePage == ve::CodePage::Latin1 && c == 0x00C2) {
        return false;
    }
    const std::string byte = ve::EncodeCodePage(std::u32string(1, c), rule.codePage);
    return c == U'?' || byte != "?";
}

InputCheck CheckInput(const InputRule& rule, const std::string& label, const std::string& text)
{
    switch (rule.kind) {
    case InputRule::Kind::Text:
        return CheckText(rule, label, text);
    case InputRule::Kind::Number:
        return CheckNumber(rule, label, text);
    case InputRule::Kind::Free:
        break;
    }
    return {};
}

InputCheck CheckInputChange(const InputRule& rule, const std::string& label, const std::string& before,
                            const std::string& text)
{
    InputCheck check = CheckInput(rule, label, text);
    if (check.verdict != InputVerdict::Refused ||
        CheckInput(rule, label, before).verdict != InputVerdict::Refused) {
        return check;
    }
    const Excess was = ExcessOf(rule, before);
    const Excess now = ExcessOf(rule, text);
    if (now.length <= was.length && now.refused <= was.refused) {
        check.verdict = InputVerdict::Incomplete;
    }
    return check;
}

std::optional<uint16_t> NumberOf(const InputRule& rule, const std::string& text)
{
    if (rule.kind != InputRule::Kind::Number ||
        CheckInput(rule, std::string(), text).verdict != InputVerdict::Accepted) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(std::stol(text));
}

std::string DescribeRule(const InputRule& rule)
{
    switch (rule.kind) {
    case InputRule::Kind::Text: {
        std::string text = "Höchstens " + std::to_string(rule.maxChars) + " Zeichen im Zeichensatz " +
                           CodePageName(rule.codePage) + ".";
        if (rule.required) {
            text += " Darf nicht leer sein.";
        }
        return text;
    }
    case InputRule::Kind::Number:
        return "Ganze Zahl von " + std::to_string(rule.minValue) + " bis " + std::to_string(rule.maxValue) + ".";
    case InputRule::Kind::Free:
        break;
    }
    return {};
}
