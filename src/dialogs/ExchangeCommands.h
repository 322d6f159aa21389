#pragma once
#include <string>
// The exchange commands of a document window that work on the whole
// database: "Sortierung in Datei speichern" (32857), "Automatische
// Sortierung anwenden" (32859) and "Alles exportieren" (32862).
#include <QString>

class CDocument;
class IUserPrompts;
class QWidget;

bool IsExchangeCommand(int commandId);

struct ExchangeOutcome {
    // The channel order or the favourite groups changed: the window refills
    // its list and sorts it by position.
    bool reordered = false;
    // Text for the main frame's notification popup; empty for none.
    QString alert;
};

// Carries out one of the three commands on doc. Questions, file dialogs and
// messages go through prompts; applying the order is one undoable step.
ExchangeOutcome RunExchangeCommand(int commandId, CDocument& doc, IUserPrompts& prompts, QWidget* parent);

// The name a save dialog offers for something written from doc: its file
// (or title) with suffix (".csv") in place of its own, in its folder.
QString SuggestedFileName(const CDocument& doc, const QString& suffix);

// Writes text as a text file at chosenPath (".txt" added when the name has
// no suffix) and reports the outcome to the user; an empty path (a cancelled
// save dialog) writes nothing.
void SaveTextFile(const QString& chosenPath, const std::string& text, IUserPrompts& prompts, QWidget* parent);

// Where the stored sort order lives: the user's application data directory.
QString SortOrderFilePath();
