#include "ChannelInputRules.h"

#include <algorithm>

#include "model/TextCodec.h"

bool FitsLatin1Field(const std::string& utf8, size_t maxChars)
{
    const std::u32string text = ve::Utf8ToUtf32(utf8);
    if (text.size() > maxChars) {
        return false;
    }
    for (char32_t c : text) {
        // U+00C2 is dropped by the text setter (the remains of UTF-8 read as
        // ISO-8859-1); U+FFFD marks bytes that were no UTF-8 at all.
        if (c > 0xFF || c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xC2) {
            return false;
        }
    }
    return true;
}

std::string RangeMessage(const std::string& label, int lower, int upper)
{
    return "„" + label + "“: Geben Sie eine ganze Zahl zwischen " + std::to_string(lower) + " und " +
           std::to_string(upper) + " ein.";
}

NumberInput ParseNumberInRange(const std::string& label, const std::string& text, int lower, int upper)
{
    NumberInput in;
    const size_t b = text.find_first_not_of(" \t");
    const size_t e = text.find_last_not_of(" \t");
    const std::string t = b == std::string::npos ? std::string() : text.substr(b, e - b + 1);
    long long value = 0;
    for (char c : t) {
        if (c < '0' || c > '9') {
            value = -1;
            break;
        }
        // Held just above any range, so leading zeros and long numbers both work.
        value = std::min(value * 10 + (c - '0'), 1LL << 40);
    }
    if (t.empty() || value < lower || value > upper) {
        in.error = RangeMessage(label, lower, upper);
        return in;
    }
    in.ok = true;
    in.value = static_cast<int>(value);
    return in;
}
