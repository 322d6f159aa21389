#pragma once
// The print commands of a document window: "Drucken" (57607),
// "Schnelldruc&k" (57608) and "&Seitenansicht" (57609).
#include "views/LeftView.h"
#include "document/PrintPagination.h"

class CDocument;
class IUserPrompts;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

inline constexpr int kPrintCommand = 57607;
inline constexpr int kQuickPrintCommand = 57608;
inline constexpr int kPrintPreviewCommand = 57609;
inline constexpr const char* kPrintStartFailed = "Der Druckauftrag konnte nicht gestartet werden.";

// What the window prints: its kind and the node selected in its tree.
struct PrintJobInput {
    bool radio = false;
    PrintSelection selection;
};

// The input of a window showing television (or radio) channels whose tree
// has node selected.
PrintJobInput MakePrintJobInput(bool televisionMode, const CLeftView::Node& node);

bool IsPrintCommand(int commandId);

// Carries out one of the three commands for the window parent; false for any
// other command. "Drucken" asks with the print dialog, "Schnelldruc&k"
// prints every page at once, "&Seitenansicht" opens the preview beside the
// window, or closes the one it has open. While the preview is open the two
// print commands close it and print. prompts reports a job that cannot
// start (null: the application's, or plain message boxes).
bool RunPrintCommand(int commandId, CDocument& doc, const PrintJobInput& in, QPrinter& printer, QWidget* parent,
                     IUserPrompts* prompts = nullptr);

// The preview the window parent has open, or null.
QPrintPreviewDialog* OpenPrintPreview(QWidget* parent);
