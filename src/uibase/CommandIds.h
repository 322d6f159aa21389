#pragma once
// Command ids of the command bar, the menus, the list's and the tree's
// context menus, the panes and the status bar: every id once.

namespace cmd {
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintDirect = 57608;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileExport = 32850; // the same id as kRenumber
inline constexpr int kFileExportAll = 32862;
inline constexpr int kAppOptionenResources = 32787;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelpFinder = 57667;

inline constexpr int kLookWindows2000 = 205;
inline constexpr int kLookOfficeXP = 206;
inline constexpr int kLookWindowsXP = 207;
inline constexpr int kLookOffice2003 = 208;
inline constexpr int kLookVS2005 = 209;
inline constexpr int kLookVS2008 = 210;
inline constexpr int kLookOffice2007Blue = 215;
inline constexpr int kLookOffice2007Black = 216;
inline constexpr int kLookOffice2007Silver = 217;
inline constexpr int kLookOffice2007Aqua = 218;
inline constexpr int kLookWindows7 = 219;

inline constexpr int kEditPaste = 57637;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditSelectAll = 57642;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;

inline constexpr int kShowSatellitePane = 32782;
inline constexpr int kShowTransponderPane = 32783;
inline constexpr int kShowChannelPane = 32784;
inline constexpr int kViewStyle = 32778;
inline constexpr int kViewDetails = 59411;
inline constexpr int kViewList = 59410;
inline constexpr int kViewSmallIcons = 59408;
inline constexpr int kViewLargeIcons = 59409;
inline constexpr int kViewArrange = 59412;

inline constexpr int kWindowManager = 131;
inline constexpr int kWindowNew = 57648;

inline constexpr int kTelevision = 32771;
inline constexpr int kRadio = 32772;
inline constexpr int kAutoNum = 32773;
inline constexpr int kOnlyActiveSatellites = 32774;
inline constexpr int kChannelSearch = 32775;
// The context menu's "Suchen" of the channel list.
inline constexpr int kChannelSearchFromList = 32826;
inline constexpr int kOptions = 32776;
inline constexpr int kRenumber = 32850;
// The list's "Neuer Fernsehkanal" / "Neuer Radiokanal".
inline constexpr int kNewChannel = 32844;
inline constexpr int kSortAutomatic = 32859;
inline constexpr int kSortStoreOrder = 32857;
// Reference lists and comparing databases.
inline constexpr int kReferenceExport = 32880;
inline constexpr int kReferenceApply = 32881;
inline constexpr int kCompareWith = 32882;
// Takes over the order of another open document.
inline constexpr int kOrderFromDocument = 32884;
inline constexpr int kStatistics = 32777;
inline constexpr int kTimer = 32860;
inline constexpr int kSystemSettings = 32849;

// The channel list's context menu.
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
inline constexpr int kProperties = 32827;
inline constexpr int kSkip = 32853;
inline constexpr int kNoSkip = 32854;
inline constexpr int kSelectSkipped = 32855;
inline constexpr int kSelectHD = 32856;
// The channels a reference list did not name.
inline constexpr int kSelectNew = 32883;

// The tree's context menus.
inline constexpr int kTreeFavSeqNum = 32789;
inline constexpr int kTreeMarkGroup = 32790;
inline constexpr int kTreeUnmarkGroup = 32791;
inline constexpr int kTreeSortOriginal = 32793;
inline constexpr int kTreeSortByName = 32794;
inline constexpr int kTreeSortByPosition = 32795;
inline constexpr int kTreeTransponderProperties = 32800;
inline constexpr int kTreeSatelliteProperties = 32848;
inline constexpr int kTreeRenameGroup = 32863;

// Pane ids.
inline constexpr int kPaneProperties = 150;
inline constexpr int kPaneTransponder = 32846;
inline constexpr int kPaneSatellite = 32847;
inline constexpr int kPaneSearch = 32775;

// Status bar elements.
inline constexpr int kStatusMain = 120;
inline constexpr int kStatusChannelCount = 121;
inline constexpr int kStatusWidthLabel = 32785;
inline constexpr int kStatusWidthSlider = 32786;
} // namespace cmd
