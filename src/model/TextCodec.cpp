#include "TextCodec.h"

#include <algorithm>

namespace ve {

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to the C1
// control of the same value, as the Windows conversion does.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

size_t FixedLength(const uint8_t* bytes, size_t maxBytes)
{
    size_t n = 0;
    while (n < maxBytes && bytes[n] != 0) {
        ++n;
    }
    return n;
}

} // namespace

char32_t DecodeByte(uint8_t byte, CodePage cp)
{
    if (cp == CodePage::Windows1252 && byte >= 0x80 && byte < 0xA0) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string DecodeFixed(const uint8_t* bytes, size_t maxBytes, CodePage cp)
{
    const size_t n = FixedLength(bytes, maxBytes);
    // Most names are plain ASCII, which every code page keeps as it is.
    if (std::all_of(bytes, bytes + n, [](uint8_t b) { return b < 0x80; })) {
        return std::string(reinterpret_cast<const char*>(bytes), n);
    }
    std::string out;
    out.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        AppendUtf8(out, DecodeByte(bytes[i], cp));
    }
    return out;
}

std::u32string Utf8ToUtf32(const std::string& text)
{
    std::u32string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const uint8_t b = s[i];
        int extra;
        char32_t cp;
        char32_t min;
        if (b < 0x80) {
            out += b;
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, cp = b & 0x07, min = 0x10000;
        } else {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= n || (s[j] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (s[j] & 0x3F);
        }
        if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += U'\uFFFD';
            i = j; // resume at the byte that broke the sequence
            continue;
        }
        out += cp;
        i = j;
    }
    return out;
}

std::string Utf32ToUtf8(const std::u32string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out.resize(text.size());
        std::copy(text.begin(), text.end(), out.begin());
        return out;
    }
    for (char32_t c : Utf8ToUtf32(text)) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string DecodeUtf8Fixed(const uint8_t* bytes, size_t maxBytes)
{
    const size_t n = FixedLength(bytes, maxBytes);
    return Utf32ToUtf8(Utf8ToUtf32(std::string(reinterpret_cast<const char*>(bytes), n)));
}

std::string EncodeCodePage(const std::u32string& text, CodePage cp)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c < 0x100) || (cp == CodePage::Latin1 && c < 0x100)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        if (cp == CodePage::Windows1252) {
            for (int k = 0; k < 32; ++k) {
                if (kCp1252High[k] == c) {
                    mapped = static_cast<char>(0x80 + k);
                    break;
                }
            }
        }
        out += mapped;
    }
    return out;
}

std::string EscapeControls(const std::string& utf8)
{
    const auto isControl = [&](size_t i) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        return b < 0x20 || b == 0x7F ||
               (b == 0xC2 && i + 1 < utf8.size() && static_cast<uint8_t>(utf8[i + 1]) >= 0x80 &&
                static_cast<uint8_t>(utf8[i + 1]) <= 0x9F);
    };
    size_t i = 0;
    while (i < utf8.size() && !isControl(i)) {
        ++i;
    }
    if (i == utf8.size()) {
        return utf8;
    }
    static const char kHex[] = "0123456789abcdef";
    std::string out(utf8, 0, i);
    for (; i < utf8.size(); ++i) {
        if (!isControl(i)) {
            out += utf8[i];
            continue;
        }
        uint8_t code = static_cast<uint8_t>(utf8[i]);
        if (code == 0xC2) {
            code = static_cast<uint8_t>(utf8[++i]);
        }
        switch (code) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += "\\x";
            out += kHex[code >> 4];
            out += kHex[code & 0xF];
            break;
        }
    }
    return out;
}

} // namespace ve
