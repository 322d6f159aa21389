#pragma once
// The reference list and comparison commands of a document window:
// "Referenzliste exportieren..." (32880), "Referenzliste anwenden..."
// (32881) and "Vergleichen mit..." (32882).
#include "ExchangeCommands.h"

class CDocument;
class IUserPrompts;
class QWidget;

bool IsReferenceCommand(int commandId);

// Carries out one of the three commands on doc. Applying a list is one
// undoable step; its report and the comparison open as windows of their own.
ExchangeOutcome RunReferenceCommand(int commandId, CDocument& doc, IUserPrompts& prompts, QWidget* parent);
