#pragma once
// The reference list: the channel order of a database as a text file a user
// can edit in a spreadsheet. Written as UTF-8 with a byte-order mark, ";"
// between fields and CR LF line ends; read back from what spreadsheets save
// (UTF-8 with or without the mark, Windows-1252, UTF-16 with its mark; ";",
// "," or TAB; LF or CR LF), finding the columns by their header names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CVandrelEdit2028Doc;
class CSatelliteData;

// A file larger than this is not taken for a reference list.
inline constexpr size_t kReferenceListMaxBytes = 32u << 20;

// One readable line of a list. Fields the file does not have, or that are
// empty or not a valid value, are absent.
struct ReferenceLine {
    int lineNumber = 0; // the line of the file where the entry starts, from 1
    bool radio = false;
    uint64_t number = 0; // Nr, at least 1; 0 when the list has no Nr column
    std::string name;    // Kanalname as written (UTF-8), surrounding spaces removed
    bool hasPosition = false;
    int position = 0; // orbital position in tenths of a degree
    bool west = false;
    bool hasOnid = false, hasTsid = false, hasSid = false;
    uint16_t onid = 0, tsid = 0, sid = 0;
    int favourite = -1; // 0 to 8, or -1 when absent
    // Gesperrt and Überspringen: 1 sets the flag, 0 clears it, -1 leaves it.
    int locked = -1;
    int skipped = -1;
};

// A line that could not be used, for the report.
struct ReferenceLineIssue {
    int lineNumber = 0;
    std::string type, number, name; // the fields as written
    std::string reason;             // empty for a line that matched no channel
};

// A report lists at most this many problem lines; the others are counted,
// so a file of nothing but bad lines costs no memory for them.
inline constexpr size_t kMaxReportedLines = 1000;

struct ReferenceList {
    std::vector<ReferenceLine> lines;           // in file order
    std::vector<ReferenceLineIssue> unreadable; // in file order, at most kMaxReportedLines
    size_t unreadableOmitted = 0;               // unreadable lines behind those
    // Without a Nr column the file order is the order of the lines.
    bool hasNumbers = true;
};

enum class ReferenceListStatus {
    Ok,
    NotText,        // binary bytes
    NoHeader,       // no line at all
    MissingColumns, // Typ, or both SID and Kanalname missing
    TooLarge,
    ReadError, // the file cannot be read
};

// The whole file for the document: television channels in receiver order,
// then radio channels.
std::string BuildReferenceList(const CVandrelEdit2028Doc& doc);
// Writes the list into path, replacing the file. On failure returns false
// and sets the German message.
bool ExportReferenceListFile(const CVandrelEdit2028Doc& doc, const std::string& path, std::string& error);

// Parses untrusted bytes. Anything but Ok leaves list empty and sets message.
ReferenceListStatus ParseReferenceList(const uint8_t* data, size_t size, ReferenceList& list,
                                       std::string& message);
ReferenceListStatus ReadReferenceListFile(const std::string& path, ReferenceList& list, std::string& message);
// The list of another open document, as its exported file would read back:
// applying it takes over that document's order without a file.
ReferenceList ReferenceListOf(const CVandrelEdit2028Doc& doc);

// "19.2E", "0.8W": the orbital position with one decimal and its side.
std::string FormatOrbitalPosition(int tenths, bool west);
std::string FormatOrbitalPosition(const CSatelliteData& satellite);

// A name as the name rule compares it: surrounding spaces removed, letters
// (umlauts and other Latin-1 letters included) in lower case.
std::string FoldedName(const std::string& utf8);
