#include "ReferenceListFile.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <string_view>

#include "ChannelIdentity.h"
#include "ChannelRows.h"
#include "DelimitedText.h"
#include "FileLayer.h"
#include "ReferenceMessages.h"
#include "VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

namespace {

// ---- writing -------------------------------------------------------------------------------

void AppendField(std::string& out, const std::string& field)
{
    if (field.find_first_of(";\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

const char* PolarityLetter(int polarisation)
{
    switch (polarisation) {
    case 0:
        return "V";
    case 1:
        return "H";
    default:
        return "";
    }
}

// ---- fields --------------------------------------------------------------------------------

// Decimal digits only; a value above max is false.
bool ParseUnsigned(std::string_view s, uint64_t max, uint64_t& value)
{
    s = Trimmed(s);
    if (s.empty()) {
        return false;
    }
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
        if (__builtin_mul_overflow(v, 10u, &v) || __builtin_add_overflow(v, static_cast<uint64_t>(c - '0'), &v)) {
            return false;
        }
    }
    if (v > max) {
        return false;
    }
    value = v;
    return true;
}

bool ParseId(std::string_view s, uint16_t& value)
{
    uint64_t v = 0;
    if (!ParseUnsigned(s, 0xFFFF, v)) {
        return false;
    }
    value = static_cast<uint16_t>(v);
    return true;
}

// "19.2E", "0,8 W", "13°E", "42.0 e": tenths of a degree up to 204.7.
bool ParsePosition(std::string_view s, int& tenths, bool& west)
{
    s = Trimmed(s);
    if (s.empty()) {
        return false;
    }
    const char side = s.back();
    if (side == 'E' || side == 'e') {
        west = false;
    } else if (side == 'W' || side == 'w') {
        west = true;
    } else {
        return false;
    }
    s = Trimmed(s.substr(0, s.size() - 1));
    if (s.size() >= 2 && s.substr(s.size() - 2) == "\xC2\xB0") { // the degree sign
        s = Trimmed(s.substr(0, s.size() - 2));
    }
    const size_t point = s.find_first_of(".,");
    uint64_t whole = 0;
    if (!ParseUnsigned(s.substr(0, point), 9999, whole) || s.substr(0, point) != Trimmed(s.substr(0, point))) {
        return false;
    }
    uint64_t value = whole * 10;
    if (point != std::string_view::npos) {
        const std::string_view fraction = s.substr(point + 1);
        uint64_t ignored = 0;
        if (fraction.empty() || fraction.size() > 6 || !ParseUnsigned(fraction, 999999, ignored) ||
            Trimmed(fraction) != fraction) {
            return false;
        }
        value += static_cast<uint64_t>(fraction[0] - '0');
        if (fraction.size() > 1 && fraction[1] >= '5') {
            ++value;
        }
    }
    if (value > 2047) {
        return false;
    }
    tenths = static_cast<int>(value);
    return true;
}

// A field of a report: long texts are cut, so one odd line cannot flood a
// message or a terminal.
std::string Shown(std::string_view s)
{
    constexpr size_t kMax = 60;
    if (s.size() <= kMax) {
        return std::string(s);
    }
    size_t cut = kMax;
    while (cut > 0 && (static_cast<uint8_t>(s[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return std::string(s.substr(0, cut)) + "…";
}

std::string WithField(const char* pattern, std::string_view field)
{
    std::string text = pattern;
    const size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, Shown(field));
    }
    return text;
}

// ---- lines ---------------------------------------------------------------------------------

// ASCII letters compared without case; lower is in lower case.
bool SameLetters(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lower[i]) {
            return false;
        }
    }
    return true;
}

// A flag column: 1 for "X", "x", "1" or "ja", 0 for "0" or "nein", -1 (leave
// the flag as it is) for an empty field or anything else.
int ParseFlag(std::string_view s)
{
    s = Trimmed(s);
    if (s == "X" || s == "x" || s == "1" || SameLetters(s, "ja")) {
        return 1;
    }
    if (s == "0" || SameLetters(s, "nein")) {
        return 0;
    }
    return -1;
}

enum Column {
    kNr,
    kTyp,
    kKanalname,
    kSatellit,
    kONID,
    kTSID,
    kSID,
    kFavorit,
    kGesperrt,
    kUeberspringen,
    kColumns
};

struct Columns {
    std::array<int, kColumns> at;
    Columns() { at.fill(-1); }
    std::string_view Field(const DelimitedRecord& r, Column c) const
    {
        const int i = at[c];
        return i >= 0 && static_cast<size_t>(i) < r.fields.size() ? r.fields[static_cast<size_t>(i)]
                                                                  : std::string_view();
    }
};

Columns FindColumns(const DelimitedRecord& header)
{
    static const char* const kNames[kColumns] = {"nr",   "typ", "kanalname", "satellit", "onid",
                                                 "tsid", "sid", "favorit",   "gesperrt", "überspringen"};
    Columns columns;
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = FoldedName(std::string(header.fields[i]));
        for (int c = 0; c < kColumns; ++c) {
            if (columns.at[c] < 0 && name == kNames[c]) {
                columns.at[c] = static_cast<int>(i);
            }
        }
    }
    return columns;
}

std::string MissingColumns(const Columns& columns)
{
    std::vector<std::string> missing;
    if (columns.at[kTyp] < 0) {
        missing.emplace_back("Typ");
    }
    if (columns.at[kSID] < 0 && columns.at[kKanalname] < 0) {
        missing.emplace_back(refmsg::kSidOrName);
    }
    std::string text;
    for (const std::string& m : missing) {
        text += (text.empty() ? "" : ", ") + m;
    }
    return text;
}

// One entry of the list, or the reason it cannot be read.
bool ReadLine(const DelimitedRecord& r, const Columns& columns, ReferenceLine& line, std::string& reason)
{
    const std::string_view type = Trimmed(columns.Field(r, kTyp));
    const std::string_view number = Trimmed(columns.Field(r, kNr));
    if (r.openQuote) {
        reason = refmsg::kOpenQuote;
        reason.replace(reason.find("%1"), 2, std::to_string(r.quoteLine));
        reason.replace(reason.find("%2"), 2, std::to_string(r.quoteLines));
        return false;
    }
    const bool radio = SameLetters(type, "radio");
    if (!radio && !SameLetters(type, "tv")) {
        reason = WithField(refmsg::kBadType, type);
        return false;
    }
    if (columns.at[kNr] >= 0 &&
        (!ParseUnsigned(number, std::numeric_limits<uint64_t>::max(), line.number) || line.number == 0)) {
        // Digits only and still unread: more than the field holds.
        const bool digits = !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
        reason =
            WithField(digits && number.find_first_not_of('0') != std::string_view::npos ? refmsg::kNumberTooLarge
                                                                                        : refmsg::kBadNumber,
                      number);
        return false;
    }
    line.lineNumber = r.line;
    line.radio = radio;
    // A receiver's name has at most 20 characters, so a cut name loses no match.
    line.name = Shown(Trimmed(columns.Field(r, kKanalname)));
    line.hasPosition = ParsePosition(columns.Field(r, kSatellit), line.position, line.west);
    line.hasOnid = ParseId(columns.Field(r, kONID), line.onid);
    line.hasTsid = ParseId(columns.Field(r, kTSID), line.tsid);
    line.hasSid = ParseId(columns.Field(r, kSID), line.sid);
    uint64_t favourite = 0;
    line.favourite = ParseUnsigned(columns.Field(r, kFavorit), 8, favourite) ? static_cast<int>(favourite) : -1;
    line.locked = ParseFlag(columns.Field(r, kGesperrt));
    line.skipped = ParseFlag(columns.Field(r, kUeberspringen));
    return true;
}

} // namespace

// ---- public --------------------------------------------------------------------------------

std::string FormatOrbitalPosition(int tenths, bool west)
{
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + (west ? "W" : "E");
}

std::string FormatOrbitalPosition(const CSatelliteData& satellite)
{
    return FormatOrbitalPosition(satellite.GetPosition(), satellite.IsWest());
}

std::string FoldedName(const std::string& utf8)
{
    std::string_view trimmed = Trimmed(utf8);
    if (std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; })) {
        std::string out(trimmed);
        for (char& c : out) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return out;
    }
    std::u32string text = ve::Utf8ToUtf32(std::string(trimmed));
    const auto blank = [](char32_t c) { return c == U' ' || c == U'\t' || c == U'\u00A0'; };
    while (!text.empty() && blank(text.back())) {
        text.pop_back();
    }
    size_t start = 0;
    while (start < text.size() && blank(text[start])) {
        ++start;
    }
    text.erase(0, start);
    for (char32_t& c : text) {
        if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
            c += 0x20;
        } else if (c == 0x178) { // Ÿ
            c = 0xFF;
        }
    }
    return ve::Utf32ToUtf8(text);
}

std::string BuildReferenceList(const CVandrelEdit2028Doc& doc)
{
    std::string out = "\xEF\xBB\xBF";
    out += refmsg::kHeaderLine;
    out += "\r\n";
    const CReceptionLookup lookup(doc);
    for (const bool radio : {false, true}) {
        const std::vector<ChannelRow> rows = SelectAllChannels(doc, radio);
        out.reserve(out.size() + rows.size() * 80);
        for (const ChannelRow& row : rows) {
            const CServiceData& s = *row.service;
            const CTransponderData* tp = lookup.TransponderOf(s);
            const CSatelliteData* sat = lookup.SatelliteOf(tp);
            out += std::to_string(row.number);
            out += ';';
            out += radio ? refmsg::kTypeRadio : refmsg::kTypeTv;
            out += ';';
            AppendField(out, s.GetNameText());
            out += ';';
            if (sat) {
                out += FormatOrbitalPosition(*sat);
            }
            out += ';';
            if (tp) {
                out += std::to_string(tp->GetFrequency()) + ";" + PolarityLetter(tp->GetPolarisation()) + ";" +
                       std::to_string(tp->GetSymbolRate()) + ";" + std::to_string(tp->GetOrgNetId()) + ";" +
                       std::to_string(tp->GetTpId()) + ";";
            } else {
                out += ";;;;;";
            }
            out += std::to_string(s.GetServiceId());
            out += ';';
            out += std::to_string(s.GetFavouriteGroup());
            out += s.IsLocked() ? ";X" : ";";
            out += s.IsSkip() ? ";X" : ";";
            out += "\r\n";
        }
    }
    return out;
}

bool ExportReferenceListFile(const CVandrelEdit2028Doc& doc, const std::string& path, std::string& error)
{
    const std::string text = BuildReferenceList(doc);
    return CFileLayer::Default().WriteFileAtomic(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                                 error);
}

ReferenceListStatus ParseReferenceList(const uint8_t* data, size_t size, ReferenceList& list, std::string& message)
{
    list = ReferenceList{};
    message.clear();
    if (size > kReferenceListMaxBytes) {
        message = refmsg::kTooLarge;
        message.replace(message.find("%i"), 2, std::to_string(kReferenceListMaxBytes >> 20));
        return ReferenceListStatus::TooLarge;
    }
    std::string text;
    if (data != nullptr && !DecodeSpreadsheetText(data, size, text)) {
        message = refmsg::kNotText;
        return ReferenceListStatus::NotText;
    }
    // A file saved twice with a mark can begin with two.
    size_t marks = 0;
    while (text.compare(marks, 3, "\xEF\xBB\xBF") == 0) {
        marks += 3;
    }
    if (marks > 0) {
        text.erase(0, marks);
    }

    // The header is the first line that holds anything.
    size_t start = 0;
    while (start < text.size() &&
           (text[start] == '\r' || text[start] == '\n' || text[start] == ' ' || text[start] == '\t')) {
        ++start;
    }
    const size_t headerEnd = text.find_first_of("\r\n", start);
    CDelimitedReader reader(text, SeparatorOf(std::string_view(text).substr(start, headerEnd - start)));
    DelimitedRecord record;
    bool haveHeader = false;
    while (reader.Next(record)) {
        if (!record.IsBlank()) {
            haveHeader = true;
            break;
        }
    }
    if (!haveHeader) {
        message = refmsg::kNoHeader;
        return ReferenceListStatus::NoHeader;
    }
    const Columns columns = FindColumns(record);
    list.hasNumbers = columns.at[kNr] >= 0;
    if (const std::string missing = MissingColumns(columns); !missing.empty()) {
        message = refmsg::kMissingColumns;
        message.replace(message.find("%s"), 2, missing);
        return ReferenceListStatus::MissingColumns;
    }

    while (reader.Next(record)) {
        if (record.IsBlank()) {
            continue;
        }
        ReferenceLine line;
        std::string reason;
        if (ReadLine(record, columns, line, reason)) {
            list.lines.push_back(std::move(line));
        } else if (list.unreadable.size() >= kMaxReportedLines) {
            ++list.unreadableOmitted;
        } else {
            list.unreadable.push_back({record.line, Shown(Trimmed(columns.Field(record, kTyp))),
                                       Shown(Trimmed(columns.Field(record, kNr))),
                                       Shown(Trimmed(columns.Field(record, kKanalname))), reason});
        }
    }
    return ReferenceListStatus::Ok;
}

ReferenceListStatus ReadReferenceListFile(const std::string& path, ReferenceList& list, std::string& message)
{
    list = ReferenceList{};
    // A large file is refused before it is read into memory.
    std::error_code ec;
    if (const auto size = std::filesystem::file_size(path, ec); !ec && size > kReferenceListMaxBytes) {
        return ParseReferenceList(nullptr, static_cast<size_t>(kReferenceListMaxBytes) + 1, list, message);
    }
    std::vector<uint8_t> bytes;
    if (!CFileLayer::Default().ReadFile(path, bytes, message)) {
        return ReferenceListStatus::ReadError;
    }
    return ParseReferenceList(bytes.data(), bytes.size(), list, message);
}

ReferenceList ReferenceListOf(const CVandrelEdit2028Doc& doc)
{
    const std::string text = BuildReferenceList(doc);
    ReferenceList list;
    std::string message;
    ParseReferenceList(reinterpret_cast<const uint8_t*>(text.data()), text.size(), list, message);
    return list;
}
