#pragma once
// Texts of the document window: the channel list's context
// menu, its status text and the names of its undo steps.

namespace viewmsg {
inline constexpr const char* kChannelViewName = "Kanäle";
inline constexpr const char* kChannel = "Kanal";
inline constexpr const char* kChannels = "Kanäle";
inline constexpr const char* kEmptyList = "Kein Eintrag vorhanden!";
inline constexpr const char* kDropOnSelected = "ToDo: Error Drag&Drop - selected";

inline constexpr const char* kServiceMenu = "Service";
inline constexpr const char* kFavouriteSubmenu = "Favoritenzuordnung :";
inline constexpr const char* kNoFavouriteEntry = "Keine Favoritenzuordnung";
inline constexpr const char* kDeleteFavouriteEntry = "Favoritenzuordnung löschen\tEntf";
inline constexpr const char* kDeleteEntry = "Löschen\tEntf";
inline constexpr const char* kCutEntry = "Ausschneiden\tStrg+X";
inline constexpr const char* kCopyEntry = "Kopieren\tStrg+C";
inline constexpr const char* kPasteEntry = "Einfügen\tStrg+V";
inline constexpr const char* kNewTvChannel = "Neuer Fernsehkanal";
inline constexpr const char* kNewRadioChannel = "Neuer Radiokanal";
inline constexpr const char* kSelectSubmenu = "Auswählen";
inline constexpr const char* kSelectAll = "alle";
inline constexpr const char* kSelectScrambled = "alle verschlüsselten";
inline constexpr const char* kSelectLocked = "alle gesperrten";
inline constexpr const char* kSelectSkipped = "alle übersprungenen";
inline constexpr const char* kSelectHD = "alle HD Kanäle";
inline constexpr const char* kSelectNew = "alle neuen";
inline constexpr const char* kLockSubmenu = "Sperren";
inline constexpr const char* kLockEntry = "Sperren";
inline constexpr const char* kUnlockEntry = "Entsperren";
inline constexpr const char* kSkipSubmenu = "Überspringen";
inline constexpr const char* kSkipEntry = "Überspringen";
inline constexpr const char* kNoSkipEntry = "nicht überspringen";
inline constexpr const char* kMoveEntry = "Verschieben auf Pos...";
inline constexpr const char* kSortSubmenu = "Ansicht sortieren nach";
inline constexpr const char* kSortByNameEntry = "Kanalnamen";
inline constexpr const char* kSortByPositionEntry = "Originalposition";
inline constexpr const char* kSearchEntry = "Suchen";
inline constexpr const char* kPropertiesEntry = "Eigenschaften\tEnter";

// Names of the undo steps, shown after "Rückgängig".
inline constexpr const char* kUndoDelete = "Kanäle löschen";
inline constexpr const char* kUndoClearFavourite = "Favoritenzuordnung löschen";
inline constexpr const char* kUndoFavourite = "Favoritenzuordnung";
inline constexpr const char* kUndoLock = "Sperren";
inline constexpr const char* kUndoUnlock = "Entsperren";
inline constexpr const char* kUndoSkip = "Überspringen";
inline constexpr const char* kUndoNoSkip = "Nicht überspringen";
inline constexpr const char* kUndoMove = "Verschieben auf Pos.";
inline constexpr const char* kUndoDrag = "Kanäle verschieben";
inline constexpr const char* kUndoCut = "Kanäle ausschneiden";
inline constexpr const char* kUndoPaste = "Kanäle einfügen";
inline constexpr const char* kUndoApplyOrder = "Automatische Sortierung";
inline constexpr const char* kUndoApplyReferenceList = "Referenzliste anwenden";
} // namespace viewmsg
