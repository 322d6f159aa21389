#include "DelimitedText.h"

#include <algorithm>
#include <cstring>

#include "model/TextCodec.h"

namespace {

bool IsValidUtf8(const uint8_t* s, size_t n)
{
    size_t i = 0;
    while (i < n) {
        // Runs of ASCII eight bytes at a time.
        uint64_t word;
        if (n - i >= 8 && (std::memcpy(&word, s + i, 8), (word & 0x8080808080808080u) == 0)) {
            i += 8;
            continue;
        }
        const uint8_t b = s[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        size_t extra;
        char32_t cp;
        char32_t min;
        if ((b & 0xE0) == 0xC0) {
            extra = 1, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, cp = b & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (n - i <= extra) {
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string DecodeWindows1252(const uint8_t* s, size_t n)
{
    std::string out;
    out.reserve(n + n / 8);
    for (size_t i = 0; i < n; ++i) {
        ve::AppendUtf8(out, ve::DecodeByte(s[i], ve::CodePage::Windows1252));
    }
    return out;
}

std::string DecodeUtf16(const uint8_t* s, size_t n, bool bigEndian)
{
    std::string out;
    out.reserve(n);
    const auto unit = [&](size_t i) {
        return bigEndian ? static_cast<char16_t>(s[i] << 8 | s[i + 1])
                         : static_cast<char16_t>(s[i + 1] << 8 | s[i]);
    };
    for (size_t i = 0; i + 1 < n; i += 2) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < n) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                ve::AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        ve::AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? U'\uFFFD' : static_cast<char32_t>(u));
    }
    return out;
}

} // namespace

bool DecodeSpreadsheetText(const uint8_t* data, size_t size, std::string& text)
{
    if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
        text = DecodeUtf16(data + 2, size - 2, data[0] == 0xFE);
    } else {
        if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
            data += 3;
            size -= 3;
        }
        text = IsValidUtf8(data, size) ? std::string(reinterpret_cast<const char*>(data), size)
                                       : DecodeWindows1252(data, size);
    }
    // A zero byte never stands in a text a spreadsheet writes; it does in
    // every database and picture.
    return text.find('\0') == std::string::npos;
}

char SeparatorOf(std::string_view headerLine)
{
    if (headerLine.find(';') != std::string_view::npos) {
        return ';';
    }
    const auto commas = std::count(headerLine.begin(), headerLine.end(), ',');
    const auto tabs = std::count(headerLine.begin(), headerLine.end(), '\t');
    return tabs > commas ? '\t' : (commas > 0 ? ',' : ';');
}

std::string_view Trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool DelimitedRecord::IsBlank() const
{
    return std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return Trimmed(f).empty(); });
}

CDelimitedReader::CDelimitedReader(const std::string& text, char separator) : m_text(text), m_sep(separator)
{
    for (const char c : {separator, '\r', '\n'}) {
        m_ends[static_cast<uint8_t>(c)] = true;
    }
}

bool CDelimitedReader::Next(DelimitedRecord& r)
{
    const size_t n = m_text.size();
    if (m_pos >= n) {
        return false;
    }
    r.line = m_line;
    r.fields.clear();
    r.openQuote = false;
    r.quoteLine = r.quoteLines = 0;
    m_quoted.clear();
    for (;;) {
        size_t p = m_pos;
        while (p < n && (m_text[p] == ' ' || m_text[p] == '\t') && m_text[p] != m_sep) {
            ++p;
        }
        if (p < n && m_text[p] == '"') {
            std::string& field = m_quoted.emplace_back();
            const int quoteLine = m_line;
            if (!ReadQuoted(p + 1, field, p)) {
                r.openQuote = true;
                r.quoteLine = quoteLine;
                // A line end at the very end opens no further line.
                const bool endsLine = m_text.back() == '\n' || m_text.back() == '\r';
                r.quoteLines = m_line - (endsLine ? 1 : 0) - quoteLine + 1;
                r.fields.push_back(field);
                m_pos = n;
                return true;
            }
            const size_t end = FieldEnd(p);
            field.append(m_text, p, end - p);
            r.fields.push_back(field);
            p = end;
        } else {
            p = FieldEnd(m_pos);
            r.fields.push_back(std::string_view(m_text).substr(m_pos, p - m_pos));
        }
        if (p >= n) {
            m_pos = n;
            return true;
        }
        const char c = m_text[p++];
        if (c == m_sep) {
            m_pos = p;
            continue;
        }
        if (c == '\r' && p < n && m_text[p] == '\n') {
            ++p;
        }
        ++m_line;
        m_pos = p;
        return true;
    }
}

size_t CDelimitedReader::FieldEnd(size_t p) const
{
    const size_t n = m_text.size();
    while (p < n && !m_ends[static_cast<uint8_t>(m_text[p])]) {
        ++p;
    }
    return p;
}

// The content of a quoted field from p on; end is where it closed. False
// when the text ends first.
bool CDelimitedReader::ReadQuoted(size_t p, std::string& field, size_t& end)
{
    const size_t n = m_text.size();
    while (p < n) {
        const char c = m_text[p++];
        if (c == '"') {
            if (p < n && m_text[p] == '"') {
                field += '"';
                ++p;
                continue;
            }
            end = p;
            return true;
        }
        // Line ends inside quotes count for the line numbers of what follows.
        if (c == '\n' || (c == '\r' && (p >= n || m_text[p] != '\n'))) {
            ++m_line;
        }
        field += c;
    }
    end = n;
    return false;
}
