#pragma once
// The command table: every command with its id, identifier, German text,
// place in the command bar and description. Plain data, no Qt.
#include <cstddef>
#include <span>

enum class CommandPlace {
    AppMenu,        // application menu ("Datei"), main column
    AppMenuPrint,   // sub-menu of "Drucken"
    AppMenuExport,  // sub-menu of "Exportieren"
    AppMenuBottom,  // bottom row of the application menu
    StyleMenu,      // menu "Stil" at the right of the tab row
    HelpMenu,       // help menu at the right of the tab row
    PanelClipboard, // "Zwischenablage"
    PanelView,      // "Ansicht"
    ViewPaneMenu,   // menu "Eigenschaftsfenster" in "Ansicht"
    ViewStyleMenu,  // menu "Darstellung" in "Ansicht"
    PanelWindow,    // "Fenster"
    WindowMenu,     // menu of the "Fenster" button
    PanelSelection, // "Auswahl"
    PanelOptions,   // "Optionen"
    PanelTools,     // "Tools"
    ToolsSortMenu,  // menu "Sortieren nach..." in "Tools"
    PanelSettings,  // "Settings"
};

struct CommandInfo {
    int id;
    const char* identifier; // unique; also gives the action's object name
    const char* text;       // exactly as shown; '&' marks the access key
    CommandPlace place;
    const char* description;
    bool quickAccess = false; // also on the quick-access bar
    bool checkBox = false;    // shown as a check box
    const char* keyTip = nullptr;
};

std::span<const CommandInfo> CommandTable();
// The first entry with this identifier, or nullptr.
const CommandInfo* FindCommand(const char* identifier);

// Panel titles of the tab "Startseite", in their order.
std::span<const char* const> PanelTitles();
