#pragma once
// Fixed user-visible texts of the application shell.

namespace appmsg {
inline constexpr const char* kAppName = "VandrelEdit2028";
// Document name and counter stem of a document made by "&Neu".
inline constexpr const char* kNewDocumentName = "VandrelEdit2028";
inline constexpr const char* kFileFilter = "VandrelEdit2028 Files (*.ndb)";
inline constexpr const char* kAllFilesFilter = "Alle Dateien (*)";
inline constexpr const char* kDefaultExtension = "ndb";

inline constexpr const char* kStatusMain = "VandrelEdit Rudevoz 2028";
inline constexpr const char* kChannelCountInitial = "        0     Kanäle";
inline constexpr const char* kAlertCaption = "VandrelEdit Rudevoz SF 2028";
// %1 is the text of the notification.
inline constexpr const char* kAlertBody = "VandrelEdit Rudevoz SF 2028\n\n%1";

inline constexpr const char* kOpenCaption = "Öffnen";
inline constexpr const char* kSaveAsCaption = "Speichern unter";
// %1 file path, %2 reason.
inline constexpr const char* kReadFailed = "Die Datei „%1“ konnte nicht gelesen werden.\n\n%2";
inline constexpr const char* kSaveFailed =
    "Die Datei „%1“ konnte nicht gespeichert werden.\n\n%2\n\n"
    "Die Datei auf dem Datenträger ist unverändert, das Dokument bleibt geändert.";
// The same for a document without changes.
inline constexpr const char* kSaveFailedUnmodified = "Die Datei „%1“ konnte nicht gespeichert werden.\n\n%2\n\n"
                                                     "Die Datei auf dem Datenträger ist unverändert.";
// %1 backup path, %2 reason.
inline constexpr const char* kBackupFailed =
    "Vor dem Speichern konnte die Sicherungskopie „%1“ nicht angelegt werden.\n\n%2\n\n"
    "Die Datei wurde nicht gespeichert.";
inline constexpr const char* kSavePartlyRead =
    "Beim Öffnen dieser Datei konnten nicht alle Datenblöcke gelesen werden. "
    "Die nicht gelesenen Blöcke gehen beim Speichern verloren.\n\nTrotzdem speichern?";
inline constexpr const char* kSaveNewRefused =
    "Dieses Dokument wurde mit „Neu“ angelegt und enthält weder Dateikopf noch Konfiguration "
    "noch Timerdaten. Der Receiver könnte eine solche Datei nicht verwenden, deshalb wird sie "
    "nicht gespeichert.\n\nÖffnen Sie eine Kanalliste des Receivers, um sie zu bearbeiten und zu "
    "speichern.";
// %1 document name.
inline constexpr const char* kAskToSave = "Änderungen in „%1“ speichern?";
inline constexpr const char* kRecentHeading = "Zuletzt verwendete Dokumente";
} // namespace appmsg
