#include "ReferenceCommands.h"

#include <QFile>
#include <QFileInfo>

#include "AppMessages.h"
#include "ChildFrame.h"
#include "CommandIds.h"
#include "CompareDlg.h"
#include "Document.h"
#include "MainFrame.h"
#include "NewChannelMarks.h"
#include "ReferenceReportDlg.h"
#include "UserPrompts.h"
#include "VandrelEdit2028App.h"
#include "document/ExchangeMessages.h"
#include "document/ReferenceListFile.h"
#include "document/ReferenceMatch.h"
#include "document/VandrelEdit2028Doc.h"
#include "views/LeftView.h"
#include "views/VandrelEdit2028View.h"
#include "views/ViewMessages.h"

namespace {
const char* const kExportCaption = "Referenzliste exportieren";
const char* const kApplyCaption = "Referenzliste anwenden";
const char* const kSaveFilter = "Referenzliste (*.csv)";
const char* const kOpenFilter = "Referenzlisten (*.csv *.txt);;Alle Dateien (*)";

QString AppCaption()
{
    return QString::fromUtf8(appmsg::kAppName);
}

std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

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

// Selects the channel in a window of its document, switching the window to
// the channel's kind and to all channels when its list does not show it.
void ShowChannel(CDocument* doc, const CServiceData* service)
{
    CVandrelEdit2028App* app = CVandrelEdit2028App::Instance();
    CMainFrame* frame = app ? app->MainFrame() : nullptr;
    if (frame == nullptr || doc == nullptr || doc->Core().m_services.IndexOf(service) < 0)
        return;
    CChildFrame* child = frame->ActiveChildFrame();
    if (child == nullptr || child->GetDocument() != doc) {
        const QList<CChildFrame*> frames = frame->FramesOf(doc);
        if (frames.isEmpty())
            return;
        child = frames.front();
        frame->ActivateFrame(child);
    }
    if (child->IsTelevisionMode() == service->IsRadio())
        child->OnCommand(service->IsRadio() ? cmd::kRadio : cmd::kTelevision);
    CVandrelEdit2028View* list = child->ListView();
    if (list->FindRowOfService(service) < 0)
        child->Tree()->setCurrentItem(child->Tree()->SatellitesRoot());
    list->ShowSearchHit(const_cast<CServiceData*>(service));
}

void CompareWith(CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    const auto documents = [] {
        CVandrelEdit2028App* app = CVandrelEdit2028App::Instance();
        return app ? app->Documents() : std::vector<CDocument*>();
    };
    auto* dialog = new CCompareDlg(doc, prompts, documents, ShowChannel, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(CVandrelEdit2028App::Instance(), &CVandrelEdit2028App::DocumentsChanged, dialog,
                     &CCompareDlg::FillSources);
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

ExchangeOutcome RunReferenceCommand(int commandId, CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    switch (commandId) {
    case cmd::kReferenceExport:
        ExportReferenceList(doc, prompts, parent);
        break;
    case cmd::kReferenceApply:
        return ApplyReferenceList(doc, prompts, parent);
    case cmd::kCompareWith:
        CompareWith(doc, prompts, parent);
        break;
    default:
        break;
    }
    return {};
}
