#pragma once
// The print commands of a document window: "Drucken" (57607),
// "Schnelldruc&k" (57608) and "&Seitenansicht" (57609).
#include "document/PrintPagination.h"

class CDocument;
class IUserPrompts;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

inline constexpr const char* kPrintStartFailed = "Der Druckauftrag konnte nicht gestartet werden.";

// What the window prints: its kind and the node selected in its tree.
struct PrintJobInput {
    bool radio = false;
    PrintSelection selection;
};

bool IsPrintCommand(int commandId);

// Carries out one of the three commands for the window parent; false for any
// other command. "Drucken" asks with the print dialog, "Schnelldruc&k"
// prints every page at once, "&Seitenansicht" opens the preview beside the
// window, or closes the one it has open. While the preview is open the two
// print commands close it and print. prompts reports a job that cannot
// start (null: plain message boxes).
bool RunPrintCommand(int commandId, CDocument& doc, const PrintJobInput& in, QPrinter& printer, QWidget* parent,
                     IUserPrompts* prompts = nullptr);

// The preview the window parent has open, or null.
QPrintPreviewDialog* OpenPrintPreview(QWidget* parent);
