#pragma once
// The reference list and comparison commands of a document window:
// "Referenzliste exportieren..." (32880), "Referenzliste anwenden..."
// (32881) and "Vergleichen mit..." (32882).
#include "ExchangeCommands.h"

class CDocument;
class IDocumentDirectory;
class IUserPrompts;
class QWidget;

bool IsReferenceCommand(int commandId);

// Carries out one of the three commands on doc. Applying a list is one
// undoable step; its report and the comparison open as windows of their own.
// The comparison offers the documents open in documents and shows a chosen
// channel through it.
ExchangeOutcome RunReferenceCommand(int commandId, CDocument& doc, IUserPrompts& prompts,
                                    IDocumentDirectory& documents, QWidget* parent);
