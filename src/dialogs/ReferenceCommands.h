#pragma once
// The reference list and comparison commands of a document window:
// "Referenzliste exportieren..." (32880), "Referenzliste anwenden..."
// (32881), "Reihenfolge übernehmen von..." (32884) and "Vergleichen mit..."
// (32882).
#include <vector>

#include "ExchangeCommands.h"

class CDocument;
class CServiceData;
class IDocumentDirectory;
class IUserPrompts;
class QWidget;

bool IsReferenceCommand(int commandId);

// Carries out one of the four commands on doc. Applying a list or another
// document's order is one undoable step, whose undo selects selected again;
// the report and the comparison open as windows of their own. The report's
// "Neue auswählen" sends cmd::kSelectNew to parent when it is a command target.
// The comparison offers the documents open in documents and shows a chosen
// channel through it.
ExchangeOutcome RunReferenceCommand(int commandId, CDocument& doc, IUserPrompts& prompts,
                                    IDocumentDirectory& documents, const std::vector<CServiceData*>& selected,
                                    QWidget* parent);
