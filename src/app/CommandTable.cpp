#include "CommandTable.h"

#include <cstring>

#include "uibase/CommandIds.h"

namespace {
using P = CommandPlace;

// Two entries carry 32850: "Exportieren" in the application menu runs the
// same command as "Kanalposition aktualisieren".
const CommandInfo kTable[] = {
    {cmd::kFileNew, "ID_FILE_NEW", "&Neu", P::AppMenu, "Erstellt ein neues, leeres Dokument.", true},
    {cmd::kFileOpen, "ID_FILE_OPEN", "Öff&nen...", P::AppMenu, "Öffnet eine vorhandene Kanalliste (*.ndb).", true},
    {cmd::kFileSave, "ID_FILE_SAVE", "&Speichern", P::AppMenu, "Speichert das aktive Dokument.", true},
    {cmd::kFileSaveAs, "ID_FILE_SAVE_AS", "Speichern &unter...", P::AppMenu,
     "Speichert das aktive Dokument unter einem neuen Namen."},
    {cmd::kFilePrint, "ID_FILE_PRINT", "Drucken", P::AppMenu, "Dokument in der Vorschau anzeigen und drucken",
     false, false, "P"},
    {cmd::kFilePrintDirect, "ID_FILE_PRINT_DIRECT", "Schnelldruc&k", P::AppMenuPrint,
     "Druckt das aktive Dokument ohne Druckerdialog.", true},
    {cmd::kFilePrintPreview, "ID_FILE_PRINT_PREVIEW", "&Seitenansicht", P::AppMenuPrint,
     "Zeigt die Druckseiten in der Vorschau an."},
    {cmd::kFilePrintSetup, "ID_FILE_PRINT_SETUP", "Dr&uckeinrichtung", P::AppMenuPrint,
     "Ändert die Drucker- und Druckoptionen."},
    {cmd::kFileExport, "ID_FILE_EXPORT", "Exportieren", P::AppMenu, "Daten als *.csv Datei exportieren"},
    {cmd::kFileExportAll, "ID_FILE_EXPORT_ALL", "Alles exportieren", P::AppMenuExport,
     "Exportiert alle Daten in eine csv Datei"},
    {cmd::kFileClose, "ID_FILE_CLOSE", "&Schließen", P::AppMenu, "Schließt das aktive Dokument."},
    {cmd::kAppOptionenResources, "ID_APP_OPTIONEN_RESOURCES", "Informationen", P::AppMenuBottom,
     "Zeigt die Programmoptionen an."},
    {cmd::kAppExit, "ID_APP_EXIT", "&Beenden", P::AppMenuBottom,
     "Beendet das Programm und fragt, ob geänderte Dokumente gespeichert werden sollen."},
    {cmd::kLookOffice2007Blue, "ID_VIEW_APPLOOK_OFF_2007_BLUE", "Office 2007 (Stil '&Blau')", P::StyleMenu,
     "Stellt das Programm im blauen Office-2007-Stil dar."},
    {cmd::kLookOffice2007Black, "ID_VIEW_APPLOOK_OFF_2007_BLACK", "Office 2007 (Stil 'S&chwarz')", P::StyleMenu,
     "Stellt das Programm im schwarzen Office-2007-Stil dar."},
    {cmd::kLookOffice2007Silver, "ID_VIEW_APPLOOK_OFF_2007_SILVER", "Office 2007 (Stil '&Silber')", P::StyleMenu,
     "Stellt das Programm im silbernen Office-2007-Stil dar."},
    {cmd::kLookOffice2007Aqua, "ID_VIEW_APPLOOK_OFF_2007_AQUA", "Office 2007 (Stil '&Aqua')", P::StyleMenu,
     "Stellt das Programm im Office-2007-Stil Aqua dar."},
    {cmd::kLookWindows7, "ID_VIEW_APPLOOK_WINDOWS_7", "Win&dows 7", P::StyleMenu,
     "Stellt das Programm in der Systemdarstellung dar."},
    {cmd::kHelpFinder, "ID_HELP_FINDER", "Hilfe&themen", P::HelpMenu, "Zeigt die Hilfethemen an."},
    {cmd::kAppAbout, "ID_APP_ABOUT", "&Info über VandrelEdit...", P::HelpMenu,
     "Zeigt Programminformationen, Versionsnummer und Copyright an."},
    {cmd::kEditPaste, "ID_EDIT_PASTE", "Einfügen", P::PanelClipboard,
     "Fügt die Kanäle aus der Zwischenablage ein.", false, false, "V"},
    {cmd::kEditCut, "ID_EDIT_CUT", "Ausschneiden", P::PanelClipboard,
     "Schneidet die markierten Kanäle aus und legt sie in die Zwischenablage.", false, false, "X"},
    {cmd::kEditCopy, "ID_EDIT_COPY", "Kopieren", P::PanelClipboard,
     "Kopiert die markierten Kanäle in die Zwischenablage.", false, false, "C"},
    {cmd::kEditSelectAll, "ID_EDIT_SELECT_ALL", "Alle auswählen", P::PanelClipboard,
     "Markiert alle Kanäle der Liste.", false, false, "A"},
    {cmd::kEditUndo, "ID_EDIT_UNDO", "Rückgängig", P::PanelClipboard, "Macht die letzte Änderung rückgängig.", true,
     false, "Z"},
    {cmd::kEditRedo, "ID_EDIT_REDO", "Wiederholen", P::PanelClipboard,
     "Stellt die zuletzt rückgängig gemachte Änderung wieder her.", true, false, "Y"},
    {cmd::kShowSatellitePane, "ID_SATELLITE_SHOWPROPWND", "Satellit / LNB", P::ViewPaneMenu,
     "Zeigt das Fenster mit den Eigenschaften des Satelliten und des LNB."},
    {cmd::kShowTransponderPane, "ID_TRANSPONDER_SHOWPROPWND", "Transponder", P::ViewPaneMenu,
     "Zeigt das Fenster mit den Eigenschaften des Transponders."},
    {cmd::kShowChannelPane, "ID_CHANNEL_SHOWPROPWND", "Kanäle", P::ViewPaneMenu,
     "Zeigt das Fenster mit den Eigenschaften des Kanals."},
    {cmd::kViewStyle, "ID_VIEW_STYLE", "Darstellung", P::PanelView,
     "Schaltet die Kanalliste zwischen Liste und Details um."},
    {cmd::kViewDetails, "ID_VIEW_DETAILS", "Details", P::ViewStyleMenu, "Zeigt die Kanäle mit allen Spalten an."},
    {cmd::kViewList, "ID_VIEW_LIST", "Liste", P::ViewStyleMenu, "Zeigt die Kanäle als Liste an."},
    {cmd::kViewSmallIcons, "ID_VIEW_SMALLICON", "Kleine Symbole", P::ViewStyleMenu,
     "Zeigt die Kanäle mit kleinen Symbolen an."},
    {cmd::kViewLargeIcons, "ID_VIEW_LARGEICON", "Große Symbole", P::ViewStyleMenu,
     "Zeigt die Kanäle mit großen Symbolen an."},
    {cmd::kViewArrange, "ID_VIEW_ARRANGE", "Symbole ausrichten", P::ViewStyleMenu,
     "Richtet die Symbole der Kanalliste neu aus."},
    {cmd::kWindowManager, "ID_WINDOW_MANAGER", "&Fenster...", P::WindowMenu,
     "Listet die geöffneten Fenster auf und verwaltet sie."},
    {cmd::kWindowNew, "ID_WINDOW_NEW", "&Neues Fenster", P::WindowMenu,
     "Öffnet ein weiteres Fenster für das aktive Dokument."},
    {cmd::kTelevision, "IDS_RIBBON_TELEVISION", "Fernsehen", P::PanelSelection, "Zeigt die Fernsehkanäle an."},
    {cmd::kRadio, "IDS_RIBBON_RADIO", "Radio", P::PanelSelection, "Zeigt die Radiokanäle an."},
    {cmd::kAutoNum, "ID_RIBBON_AUTONUM", "Automatische Nummerierung", P::PanelOptions,
     "Nummeriert die Kanäle des aktiven Fensters nach jeder Änderung neu.", false, true},
    {cmd::kOnlyActiveSatellites, "ID_RIBBON_ONLY_ACTIVE_SATELLITES", "Nur aktive Satelliten auflisten",
     P::PanelOptions, "Listet im Baum nur Satelliten auf, die Kanäle haben.", false, true},
    {cmd::kChannelSearch, "ID_VIEW_CHANNELSUCHE", "Suchen", P::PanelOptions, "Zeigt das Suchfenster an."},
    {cmd::kOptions, "ID_RIBBON_OPTIONS", "Optionen", P::PanelOptions, "Zeigt die Programmoptionen an."},
    {cmd::kRenumber, "ID_RIBBON_NEUENUMMERIERUNG", "Kanalposition aktualisieren", P::PanelTools,
     "Nummeriert die Kanalpositionen neu."},
    {cmd::kNewChannel, "ID_SERVICE_NEW", "Neuer Kanal", P::PanelTools,
     "Legt in der aktuellen Ansicht einen neuen Fernseh- oder Radiokanal auf einem vorhandenen Transponder an."},
    {cmd::kSortAutomatic, "ID_SORTIERUNG_AUTOMATIC", "Automatische Sortierung anwenden", P::ToolsSortMenu,
     "Ordnet die Kanäle nach der gespeicherten Sortierung."},
    {cmd::kSortStoreOrder, "ID_SORTIERUNG_AUTOMATIC_STOREORDER", "Sortierung in Datei speichern", P::ToolsSortMenu,
     "Speichert die aktuelle Kanalreihenfolge in einer Datei."},
    {cmd::kReferenceApply, "ID_REFERENZLISTE_ANWENDEN", "Referenzliste anwenden...", P::ToolsSortMenu,
     "Ordnet die Kanäle nach einer Referenzliste (*.csv) und markiert die Kanäle, die nicht in ihr stehen."},
    {cmd::kOrderFromDocument, "ID_REIHENFOLGE_UEBERNEHMEN", "Reihenfolge übernehmen von...", P::ToolsSortMenu,
     "Ordnet die Kanäle in der Reihenfolge eines anderen geöffneten Dokuments und markiert die Kanäle, die es "
     "nicht hat."},
    {cmd::kReferenceExport, "ID_REFERENZLISTE_EXPORTIEREN", "Referenzliste exportieren...", P::ToolsSortMenu,
     "Speichert die Kanalreihenfolge als Referenzliste (*.csv), die sich in einer Tabellenkalkulation bearbeiten "
     "lässt."},
    {cmd::kCompareWith, "ID_VERGLEICHEN_MIT", "Vergleichen mit...", P::PanelTools,
     "Vergleicht die Kanäle des aktiven Dokuments mit einem anderen Dokument oder einer Datei."},
    {cmd::kStatistics, "ID_RIBBON_STATISTICS", "Statistik", P::PanelSettings,
     "Zeigt eine Statistik der Datenbank an."},
    {cmd::kTimer, "ID_RIBBON_TIMER", "Timer", P::PanelSettings, "Zeigt die Timerliste an."},
    {cmd::kSystemSettings, "ID_SETTINGS_SYSTEMEINSTELLUNGEN", "Systemeinstellungen", P::PanelSettings,
     "Zeigt die Systemeinstellungen des Receivers an."},
};

const char* const kPanels[] = {"Zwischenablage", "Ansicht", "Fenster", "Auswahl", "Optionen", "Tools", "Settings"};
} // namespace

std::span<const CommandInfo> CommandTable()
{
    return kTable;
}

const CommandInfo* FindCommand(const char* identifier)
{
    for (const CommandInfo& c : kTable)
        if (std::strcmp(c.identifier, identifier) == 0)
            return &c;
    return nullptr;
}

std::span<const char* const> PanelTitles()
{
    return kPanels;
}
