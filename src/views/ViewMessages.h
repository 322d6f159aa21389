#pragma once
// Texts and command ids of the document window: the channel list's context
// menu, its status text and the names of its undo steps.

namespace viewcmd {
inline constexpr int kNoFavourite = 32801;
inline constexpr int kFavourite1 = 32802; // to 32809 for group 8
inline constexpr int kDelete = 32818;
inline constexpr int kSelectScrambled = 32819;
inline constexpr int kSelectLocked = 32820;
inline constexpr int kLock = 32821;
inline constexpr int kUnlock = 32822;
inline constexpr int kMoveToPosition = 32823;
inline constexpr int kSortByName = 32824;
inline constexpr int kSortByPosition = 32825;
inline constexpr int kSearch = 32826;
inline constexpr int kProperties = 32827;
inline constexpr int kNewChannel = 32844;
inline constexpr int kSkip = 32853;
inline constexpr int kNoSkip = 32854;
inline constexpr int kSelectSkipped = 32855;
inline constexpr int kSelectHD = 32856;
// The channels a reference list did not name.
inline constexpr int kSelectNew = 32883;
inline constexpr int kSelectAll = 57642;
inline constexpr int kCut = 57635;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
// Display modes of the list.
inline constexpr int kSmallIcons = 59408;
inline constexpr int kLargeIcons = 59409;
inline constexpr int kList = 59410;
inline constexpr int kDetails = 59411;
inline constexpr int kArrangeIcons = 59412;
} // namespace viewcmd

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
