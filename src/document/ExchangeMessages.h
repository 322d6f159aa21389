#pragma once
// Fixed user-visible texts of the channel exchange: clipboard, stored sort
// order, CSV export and channel search.

namespace exmsg {

// Clipboard. An empty caption means the application's own.
inline constexpr const char* kNotOurData = "Die im Clipboard vorhandenen Daten sind keine VandrelEdit Informationen.";
inline constexpr const char* kNotOurDataCaption = "Falsche Daten...";
inline constexpr const char* kNoUsableData = "Die Zwischenablage hatte keine verwertbaren Informationen!";
inline constexpr const char* kNoUsableDataCaption = "No usable information";
inline constexpr const char* kOtherKind =
    "Es können nur Kanäle vom gleichen Typ eingefügt werden. (Ansicht wechseln: Radio/TV)";
inline constexpr const char* kOtherKindCaption = "VandrelEditor";
inline constexpr const char* kNoMatchingTransponder =
    "In den Settings befinden sich keine passenden Transponder oder  Satelliten, und können leider nicht "
    "automatisch angelegt werden";
// %i is the number of slots.
inline constexpr const char* kTableFull =
    "Alle %i Plätze der Kanaltabelle sind belegt. Es können keine Kanäle eingefügt werden.";
// %i free slots, %i channels on the clipboard.
inline constexpr const char* kTableTooFull =
    "Die Kanaltabelle hat nicht genug freie Plätze (frei: %i, in der Zwischenablage: %i Kanäle). Es wurde "
    "nichts eingefügt.";
inline constexpr const char* kTableFullCaption = "VandrelEditor";
// Followed by one line per channel name.
inline constexpr const char* kNotCopied =
    "Folgende Kanäle konnten nicht kopiert werden, weil ihr Transponder oder Satellit in der Datenbank fehlt:";

// Stored sort order.
inline constexpr const char* kSortOrderFileName = "AutomaticSortData.asd";
inline constexpr const char* kStoreOrderQuestion =
    "Die Kanalreihenfolge wird so übernommen, wie sie derzeit in der Liste erscheint.\n\nSoll das so durchgeführt "
    "werden?";
inline constexpr const char* kStoreOrderCaption = "Sicherheitsabfrage...";
inline constexpr const char* kStoreOrderFailed = "Die Datei mit der Sortierung konnte nicht angelegt werden.";
// %i is the cause code.
inline constexpr const char* kOrderFileMissing = "Bitte erst die Datei mit der Sortierung erstellen.\nFehlercode: %i";
inline constexpr const char* kOrderFileOutdated =
    "Die Datei mit den Sortierinformationen ist veraltet.\nEs muss eine neue Datei erstellt werden.";
inline constexpr const char* kOrderFileInvalid = "Invalid file.";
// %i sorted, %i described.
inline constexpr const char* kOrderApplied = "Es konnten %i von %i Services sortiert werden.";

// CSV export.
inline constexpr const char* kCsvFilter = "csv Datenexport (*.csv)";
inline constexpr const char* kCsvCreateFailed = "konnte die Datei nicht anlegen.";
inline constexpr const char* kCsvCreated = "Datei wurde erstellt.";

// Channel search.
inline constexpr const char* kSearchNoHits = "        0     Kanäle";
inline constexpr const char* kSearchChannels = "Kanäle";

} // namespace exmsg
