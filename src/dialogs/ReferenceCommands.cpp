#include "ReferenceCommands.h"

#include <QFile>
#include <QFileInfo>

#include "CompareDlg.h"
#include "ReferenceReportDlg.h"
#include "document/ExchangeMessages.h"
#include "document/ReferenceListFile.h"
#include "document/ReferenceMatch.h"
#include "document/VandrelEdit2028Doc.h"
#include "uibase/AppMessages.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "uibase/DocumentDirectory.h"
#include "uibase/NewChannelMarks.h"
#include "uibase/UserPrompts.h"
#include "uibase/ViewMessages.h"
#include "uibase/QtConversions.h"

namespace {
const char* const kExportCaption = "Referenzliste exportieren";
const char* const kApplyCaption = "Referenzliste anwenden";
const char* const kSaveFilter = "Referenzliste (*.csv)";
const char* const kOpenFilter = "Referenzlisten (*.csv *.txt);;Alle Dateien (*)";

void ExportReferenceList(CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    QString path = prompts.GetSaveFileName(parent, QString::fromUtf8(kExportCaption), QString(),
                                           QString::fromUtf8(kSaveFilter));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    std::string error;
    if (!ExportReferenceListFile(doc.Core(), NativePath(path), error)) {
        prompts.Warning(parent, AppCaption(), QString::fromStdString(error));
        return;
    }
    prompts.Information(parent, AppCaption(), QString::fromUtf8(exmsg::kCsvCreated));
}

ExchangeOutcome ApplyReferenceList(CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    const QString path = prompts.GetOpenFileName(parent, QString::fromUtf8(kApplyCaption), QString(),
                                                 QString::fromUtf8(kOpenFilter));
    if (path.isEmpty())
        return {};
    ReferenceList list;
    std::string message;
    if (ReadReferenceListFile(NativePath(path), list, message) != ReferenceListStatus::Ok) {
        prompts.Warning(parent, AppCaption(), QString::fromStdString(message));
        return {};
    }
    ReferenceApplyResult result;
    doc.RunChange(QString::fromUtf8(viewmsg::kUndoApplyReferenceList),
                  [&] { result = ::ApplyReferenceList(doc.Core(), list); });
    CNewChannelMarks::Of(doc).Set(result.newChannels);
    auto* report = new CReferenceReportDlg(result, QFileInfo(path).fileName(), parent);
    report->setAttribute(Qt::WA_DeleteOnClose);
    report->show();
    ExchangeOutcome outcome;
    outcome.reordered = true;
    return outcome;
}

void CompareWith(CDocument& doc, IUserPrompts& prompts, IDocumentDirectory& directory, QWidget* parent)
{
    const auto documents = [&directory] { return directory.OpenDocuments(); };
    const auto showChannel = [&directory](CDocument* document, const CServiceData* service) {
        directory.ShowChannel(document, service);
    };
    auto* dialog = new CCompareDlg(doc, prompts, documents, showChannel, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    directory.WhenDocumentsChange(dialog, [dialog] { dialog->FillSources(); });
    // The first other open document at once; with none, a file.
    if (!dialog->CompareWithFirstDocument() && !dialog->ChooseFile()) {
        delete dialog;
        return;
    }
    dialog->show();
}
} // namespace

bool IsReferenceCommand(int commandId)
{
    return commandId == cmd::kReferenceExport || commandId == cmd::kReferenceApply ||
           commandId == cmd::kCompareWith;
}

ExchangeOutcome RunReferenceCommand(int commandId, CDocument& doc, IUserPrompts& prompts,
                                    IDocumentDirectory& documents, QWidget* parent)
{
    switch (commandId) {
    case cmd::kReferenceExport:
        ExportReferenceList(doc, prompts, parent);
        break;
    case cmd::kReferenceApply:
        return ApplyReferenceList(doc, prompts, parent);
    case cmd::kCompareWith:
        CompareWith(doc, prompts, documents, parent);
        break;
    default:
        break;
    }
    return {};
}
