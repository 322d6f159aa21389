#pragma once
// Texts of the property panes: titles, group captions, row texts and the
// names of their undo steps.

namespace panemsg {
// Column titles of the grid.
inline constexpr const char* kPropertyColumn = "Property";
inline constexpr const char* kValueColumn = "Value";
// The yes/no rows.
inline constexpr const char* kYes = "Ja";
inline constexpr const char* kNo = "Nein";

// The pane toolbar.
inline constexpr const char* kToolBar = "Eigenschaften-Symbolleiste";
inline constexpr const char* kExpandAll = "Alle Gruppen aufklappen";
inline constexpr const char* kAlphabetic = "Alphabetisch sortieren";
inline constexpr const char* kDescription = "Beschreibung";

inline constexpr const char* kSatellite = "Satellit";                 // resource 107
inline constexpr const char* kTransponder = "Transponder";            // resource 112
inline constexpr const char* kChannelName = "Kanalname";              // resource 105
inline constexpr const char* kScrambled = "Verschlüsselt";            // resource 149
inline constexpr const char* kLocked = "Gesperrt";                    // resource 150
inline constexpr const char* kSkip = "Überspringen";                  // resource 151
inline constexpr const char* kProvider = "Provider";                  // resource 152
inline constexpr const char* kChannelInformation = "Kanalinformationen"; // resource 153
inline constexpr const char* kFavourites = "Favoriten";               // resource 154
inline constexpr const char* kServiceId = "Service ID";
inline constexpr const char* kVideoPid = "Video PId";
inline constexpr const char* kAudioPid = "Audio PId";
inline constexpr const char* kPcrPid = "PCR PId";
inline constexpr const char* kPmtPid = "PMT PId";
inline constexpr const char* kHdOption = "HD Option";

inline constexpr const char* kDegree = "Degree";           // resource 139
inline constexpr const char* kOrientation = "Orientation"; // resource 140
inline constexpr const char* kDegreeDescription = "0 ~ 180.0";

inline constexpr const char* kFrequency = "Frequency";   // resource 143
inline constexpr const char* kPolarity = "Polarity";     // resource 144
inline constexpr const char* kSymbolRate = "Symbolrate"; // resource 145
inline constexpr const char* kTpId = "TpId";             // resource 146
inline constexpr const char* kOrgNetId = "OrgNetId";     // resource 147

// Description lines of the rows that take no typed value; the typed rows
// state their input rule (document/InputRules.h).
inline constexpr const char* kSatelliteChoice =
    "Auswahl aus der Liste; der Kanal kommt auf den ersten Transponder des Satelliten.";
inline constexpr const char* kTransponderChoice = "Auswahl aus den Transpondern des Satelliten.";
inline constexpr const char* kScrambledShown = "Folgt aus dem CA-Wert des Kanals; wird hier nur angezeigt.";
inline constexpr const char* kHdShown = "Folgt aus dem Videotyp des Kanals; wird hier nur angezeigt.";
inline constexpr const char* kYesNoChoice = "Ja oder Nein.";
inline constexpr const char* kFavouriteChoice =
    "Ja nimmt den Kanal in diese Gruppe auf; ein Kanal gehört höchstens einer Gruppe an.";
inline constexpr const char* kShownOnly = "Wird hier nur angezeigt.";
inline constexpr const char* kPolarityChoice = "Auswahl aus der Liste.";

// Accessible names of the three grids.
inline constexpr const char* kChannelGrid = "Eigenschaften des Kanals";
inline constexpr const char* kSatelliteGrid = "Eigenschaften des Satelliten";
inline constexpr const char* kTransponderGrid = "Eigenschaften des Transponders";

// An undo step of a pane edit: "<row text> ändern".
inline constexpr const char* kUndoEdit = "%1 ändern";
} // namespace panemsg
