#include "ReferenceCommands.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStringList>

#include "CompareDlg.h"
#include "ReferenceReportDlg.h"
#include "document/ExchangeMessages.h"
#include "document/ReferenceListFile.h"
#include "document/ReferenceMatch.h"
#include "document/VandrelEdit2028Doc.h"
#include "uibase/AppMessages.h"
#include "uibase/CommandIds.h"
#include "uibase/CommandTarget.h"
#include "uibase/Document.h"
#include "uibase/DocumentDirectory.h"
#include "uibase/NewChannelMarks.h"
#include "uibase/QtConversions.h"
#include "uibase/UserPrompts.h"
#include "uibase/ViewMessages.h"

namespace {
const char* const kExportCaption = "Referenzliste exportieren";
const char* const kApplyCaption = "Referenzliste anwenden";
const char* const kSaveFilter = "Referenzliste (*.csv)";
const char* const kOpenFilter = "Referenzlisten (*.csv *.txt);;Alle Dateien (*)";
const char* const kOrderCaption = "Reihenfolge übernehmen";
const char* const kOrderLabel = "Reihenfolge übernehmen von:";
const char* const kNoOtherDocument =
    "Es ist kein anderes Dokument geöffnet, dessen Reihenfolge übernommen werden kann.";

void ExportReferenceList(CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    QString path =
        prompts.GetSaveFileName(parent, QString::fromUtf8(kExportCaption),
                                SuggestedFileName(doc, QStringLiteral(".csv")), QString::fromUtf8(kSaveFilter));
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

// Applies the list as one undoable step and shows the report; an undo
// selects again what was selected before.
ExchangeOutcome ApplyList(CDocument& doc, const ReferenceList& list, const QString& listName,
                          IUserPrompts& prompts, const std::vector<CServiceData*>& selectedBefore, QWidget* parent)
{
    ReferenceApplyResult result;
    doc.RunChange(
        QString::fromUtf8(viewmsg::kUndoApplyReferenceList),
        [&] { result = ::ApplyReferenceList(doc.Core(), list); }, {}, &selectedBefore);
    CNewChannelMarks::Of(doc).Set(result.newChannels);
    // The window's list selects the new channels; the report may outlive it.
    const QPointer<QWidget> window = parent;
    const auto selectNew = [window] {
        if (auto* target = dynamic_cast<ICommandTarget*>(window.data()))
            target->OnCommand(cmd::kSelectNew);
    };
    auto* report = new CReferenceReportDlg(result, listName, prompts, selectNew,
                                           SuggestedFileName(doc, QStringLiteral(".txt")), parent);
    report->setAttribute(Qt::WA_DeleteOnClose);
    report->show();
    ExchangeOutcome outcome;
    outcome.reordered = true;
    return outcome;
}

ExchangeOutcome ApplyReferenceList(CDocument& doc, IUserPrompts& prompts,
                                   const std::vector<CServiceData*>& selectedBefore, QWidget* parent)
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
    return ApplyList(doc, list, QFileInfo(path).fileName(), prompts, selectedBefore, parent);
}

// Takes over the order of another open document as if its exported list
// were applied; with several others the user chooses one.
ExchangeOutcome OrderFromDocument(CDocument& doc, IUserPrompts& prompts, IDocumentDirectory& directory,
                                  const std::vector<CServiceData*>& selectedBefore, QWidget* parent)
{
    std::vector<CDocument*> others;
    for (CDocument* other : directory.OpenDocuments())
        if (other != &doc)
            others.push_back(other);
    if (others.empty()) {
        prompts.Information(parent, AppCaption(), QString::fromUtf8(kNoOtherDocument));
        return {};
    }
    CDocument* source = others.front();
    if (others.size() > 1) {
        QStringList titles;
        for (const CDocument* other : others)
            titles << other->Title();
        const int chosen =
            prompts.ChooseItem(parent, QString::fromUtf8(kOrderCaption), QString::fromUtf8(kOrderLabel), titles);
        if (chosen < 0 || chosen >= static_cast<int>(others.size()))
            return {};
        source = others[static_cast<size_t>(chosen)];
    }
    return ApplyList(doc, ReferenceListOf(source->Core()), source->Title(), prompts, selectedBefore, parent);
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
           commandId == cmd::kCompareWith || commandId == cmd::kOrderFromDocument;
}

ExchangeOutcome RunReferenceCommand(int commandId, CDocument& doc, IUserPrompts& prompts,
                                    IDocumentDirectory& documents, const std::vector<CServiceData*>& selected,
                                    QWidget* parent)
{
    switch (commandId) {
    case cmd::kReferenceExport:
        ExportReferenceList(doc, prompts, parent);
        break;
    case cmd::kReferenceApply:
        return ApplyReferenceList(doc, prompts, selected, parent);
    case cmd::kOrderFromDocument:
        return OrderFromDocument(doc, prompts, documents, selected, parent);
    case cmd::kCompareWith:
        CompareWith(doc, prompts, documents, parent);
        break;
    default:
        break;
    }
    return {};
}
