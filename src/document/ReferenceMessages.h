#pragma once
// Fixed user-visible texts of the reference list and of comparing two
// databases.

namespace refmsg {

// The first line of a written reference list.
inline constexpr const char* kHeaderLine =
    "Nr;Typ;Kanalname;Satellit;Frequenz;Polarität;Symbolrate;ONID;TSID;SID;Favorit;Gesperrt;Überspringen";
inline constexpr const char* kTypeTv = "TV";
inline constexpr const char* kTypeRadio = "Radio";

// Refusals of a whole file.
inline constexpr const char* kNotText = "Die Datei ist keine Referenzliste: sie enthält keinen Text.";
inline constexpr const char* kNoHeader =
    "Die Referenzliste ist leer: es fehlt die Kopfzeile mit den Spaltennamen.";
// %s lists the missing columns.
inline constexpr const char* kMissingColumns =
    "In der Referenzliste fehlen Spalten: %s.\nNötig sind die Spalten Typ und SID oder Kanalname.";
inline constexpr const char* kSidOrName = "SID oder Kanalname";
// %i is the limit in megabytes.
inline constexpr const char* kTooLarge = "Die Datei ist zu groß für eine Referenzliste (höchstens %i MB).";

// Lines that cannot be read; %s is the field as written.
inline constexpr const char* kBadType = "Typ \"%s\" ist weder TV noch Radio";
inline constexpr const char* kBadNumber = "Nr \"%s\" ist keine positive Zahl";
inline constexpr const char* kNumberTooLarge = "Nr \"%s\" ist zu groß";
// %1 the line where the quote opened, %2 how many lines it spans.
inline constexpr const char* kOpenQuote =
    "das Anführungszeichen aus Zeile %1 wird nicht geschlossen; es reicht über %2 Zeilen bis zum Ende der Datei";

// The report of an application: the six counts, then one line per issue.
inline constexpr const char* kByPosition = "Zugeordnet über Satellit, ONID, TSID und SID: ";
inline constexpr const char* kByIdentifiers = "Zugeordnet über ONID, TSID und SID: ";
inline constexpr const char* kByOnidSid = "Zugeordnet über ONID und SID: ";
inline constexpr const char* kByName = "Zugeordnet über den Namen: ";
inline constexpr const char* kNotFound = "Nicht gefunden: ";
inline constexpr const char* kNew = "Neu (nicht in der Liste): ";
inline constexpr const char* kNumberOrderHint =
    "Hinweis: Die Zeilen stehen nicht nach Nr geordnet; es gilt die Spalte Nr.";
// A reviewed match: "Zeile 5, Nr 12: ZDF → ZDFneo (über ONID und SID)".
inline constexpr const char* kReviewNumber = ", Nr ";
inline constexpr const char* kRuleIdentifiers = "über ONID, TSID und SID";
inline constexpr const char* kRuleOnidSid = "über ONID und SID";
inline constexpr const char* kRuleName = "über den Namen";
// The headings of the report as text.
inline constexpr const char* kReviewHeading = "Zu prüfen (nicht über den Satelliten zugeordnet):";
inline constexpr const char* kIssuesHeading = "Nicht verwendete Zeilen:";
// "Zeile 7: nicht lesbar: ..." and "Zeile 9: nicht gefunden: TV 12 ZDF".
inline constexpr const char* kLine = "Zeile ";
inline constexpr const char* kUnreadable = "nicht lesbar";
inline constexpr const char* kNotFoundLine = "nicht gefunden";

// Comparison: the names of what changed.
inline constexpr const char* kNr = "Nr";
inline constexpr const char* kName = "Name";
inline constexpr const char* kSatellite = "Satellit";
inline constexpr const char* kFavourite = "Favorit";
inline constexpr const char* kLocked = "Gesperrt";
inline constexpr const char* kSkipped = "Überspringen";
inline constexpr const char* kVideoPid = "Video Pid";
inline constexpr const char* kAudioPid = "Audio Pid";
inline constexpr const char* kPcrPid = "PCR Pid";
inline constexpr const char* kPmtPid = "PMT Pid";
inline constexpr const char* kFrequency = "Frequenz";
inline constexpr const char* kSymbolRate = "Symbolrate";
inline constexpr const char* kPolarity = "Polarität";
inline constexpr const char* kYes = "ja";
inline constexpr const char* kNo = "nein";
inline constexpr const char* kArrow = "→";
// The summary of a comparison and the first lines of its saved text.
inline constexpr const char* kSummaryAdded = " neu, ";
inline constexpr const char* kSummaryRemoved = " entfallen, ";
inline constexpr const char* kSummaryChanged = " geändert";
inline constexpr const char* kTransponder = "Transponder";
inline constexpr const char* kChannel = " Kanal";
inline constexpr const char* kChannels = " Kanäle";
inline constexpr const char* kOldSide = "Alt: ";
inline constexpr const char* kNewSide = "Neu: ";

} // namespace refmsg
