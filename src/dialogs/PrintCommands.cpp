#include "PrintCommands.h"

#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <memory>

#include "uibase/AppMessages.h"
#include "uibase/Document.h"
#include "Drucken.h"
#include "uibase/UserPrompts.h"
#include "uibase/CommandIds.h"

namespace {
const QString kPreviewName = QStringLiteral("printPreview");

void ReportStartFailed(QWidget* parent, IUserPrompts* prompts)
{
    const QString caption = QString::fromUtf8(appmsg::kAppName);
    const QString text = QString::fromUtf8(kPrintStartFailed);
    if (prompts) {
        prompts->Warning(parent, caption, text);
    } else {
        CQtUserPrompts().Warning(parent, caption, text);
    }
}

// Without a printer set up the printer writes PDF, and with no file named a
// job cannot start. Qt would fail to begin it and yet leave the printer
// active for good, refusing every later setting (the file name the print
// dialog chooses too), so such a job is not begun at all.
bool CanStart(const QPrinter& printer)
{
    return printer.outputFormat() != QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}

bool PrintNow(CDocument& doc, const PrintJobInput& in, QPrinter& printer, QWidget* parent, IUserPrompts* prompts)
{
    CDrucken job(doc.Core(), in.selection, in.radio, doc.Title());
    if (!CanStart(printer) || !job.Print(printer)) {
        ReportStartFailed(parent, prompts);
        return false;
    }
    return true;
}

void PrintWithDialog(CDocument& doc, const PrintJobInput& in, QPrinter& printer, QWidget* parent,
                     IUserPrompts* prompts)
{
    // The page range offered is the job's page count on this printer.
    CDrucken job(doc.Core(), in.selection, in.radio, doc.Title());
    job.BeginPrinting(printer, QFont());
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("printDialog"));
    dialog.setAccessibleName(QStringLiteral("Drucken"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, job.PageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintNow(doc, in, printer, parent, prompts);
}

void OpenPreview(CDocument& doc, const PrintJobInput& in, QPrinter& printer, QWidget* parent)
{
    // The preview shows the whole list; a range is chosen when printing from it.
    printer.setPrintRange(QPrinter::AllPages);
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setObjectName(kPreviewName);
    preview->setAccessibleName(QStringLiteral("Seitenansicht"));
    preview->setWindowTitle(QStringLiteral("Seitenansicht - ") + doc.Title());
    preview->setAttribute(Qt::WA_DeleteOnClose);

    QPointer<CDocument> document(&doc);
    auto job = std::make_shared<CDrucken>(doc.Core(), in.selection, in.radio, doc.Title());
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview, [job, document](QPrinter* target) {
        if (document)
            job->Print(*target);
    });
    if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) {
        pages->setObjectName(QStringLiteral("printPreviewPages"));
        pages->setAccessibleName(QStringLiteral("Seiten"));
        // Edits while the preview is open show on its pages.
        QObject::connect(&doc, &CDocument::ViewsUpdate, pages, [pages] { pages->updatePreview(); });
    }
    QObject::connect(&doc, &QObject::destroyed, preview, &QWidget::close);

    if (parent) {
        // Beside the window, so the commands reach it and close or print from it.
        preview->setWindowModality(Qt::NonModal);
        preview->show();
    } else {
        preview->exec();
    }
}
} // namespace

bool IsPrintCommand(int commandId)
{
    return commandId == cmd::kFilePrint || commandId == cmd::kFilePrintDirect || commandId == cmd::kFilePrintPreview;
}

QPrintPreviewDialog* OpenPrintPreview(QWidget* parent)
{
    return parent ? parent->findChild<QPrintPreviewDialog*>(kPreviewName, Qt::FindDirectChildrenOnly) : nullptr;
}

bool RunPrintCommand(int commandId, CDocument& doc, const PrintJobInput& in, QPrinter& printer, QWidget* parent,
                     IUserPrompts* prompts)
{
    if (!IsPrintCommand(commandId))
        return false;
    if (QPrintPreviewDialog* preview = OpenPrintPreview(parent)) {
        // The preview is closed first (it goes at once, not at the next
        // event round), then the print commands print.
        preview->setAttribute(Qt::WA_DeleteOnClose, false);
        preview->close();
        delete preview;
        if (commandId == cmd::kFilePrintPreview)
            return true;
    }
    switch (commandId) {
    case cmd::kFilePrint:
        PrintWithDialog(doc, in, printer, parent, prompts);
        break;
    case cmd::kFilePrintDirect:
        printer.setPrintRange(QPrinter::AllPages);
        PrintNow(doc, in, printer, parent, prompts);
        break;
    case cmd::kFilePrintPreview:
        OpenPreview(doc, in, printer, parent);
        break;
    default:
        break;
    }
    return true;
}
