#include "ExchangeCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "document/CsvExport.h"
#include "document/FileLayer.h"
#include "document/ExchangeMessages.h"
#include "document/SortOrderFile.h"
#include "document/VandrelEdit2028Doc.h"
#include "uibase/AppMessages.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "uibase/QtConversions.h"
#include "uibase/UserPrompts.h"
#include "uibase/ViewMessages.h"

namespace {
void StoreSortOrder(CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    if (prompts.Question(parent, QString::fromUtf8(exmsg::kStoreOrderCaption),
                         QString::fromUtf8(exmsg::kStoreOrderQuestion), QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::Yes) != QMessageBox::Yes)
        return;
    std::string error;
    if (!StoreSortOrderFile(doc.Core(), NativePath(SortOrderFilePath()), error))
        prompts.Warning(parent, AppCaption(), QString::fromStdString(error));
}

ExchangeOutcome ApplySortOrder(CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    ApplyOrderResult result;
    doc.RunChange(QString::fromUtf8(viewmsg::kUndoApplyOrder),
                  [&] { result = ApplySortOrderFile(doc.Core(), NativePath(SortOrderFilePath())); });
    if (!result.message.empty())
        prompts.Warning(parent, AppCaption(), QString::fromStdString(result.message));
    ExchangeOutcome outcome;
    // A missing or outdated file leaves the database alone; a short one still
    // renumbers and reports its zero.
    if (result.status == SortOrderStatus::Ok || result.status == SortOrderStatus::Invalid) {
        outcome.reordered = true;
        outcome.alert = QString::fromStdString(result.summary);
    }
    return outcome;
}

void ExportCsv(CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    const QString chosen = prompts.GetSaveFileName(parent, QString::fromUtf8(appmsg::kSaveAsCaption),
                                                   SuggestedFileName(doc, QStringLiteral(".csv")),
                                                   QString::fromUtf8(exmsg::kCsvFilter));
    if (chosen.isEmpty())
        return;
    const std::string path = WithCsvExtension(NativePath(chosen));
    std::string error;
    if (!ExportCsvFile(doc.Core(), path, error)) {
        prompts.Warning(parent, AppCaption(), QString::fromStdString(error));
        return;
    }
    prompts.Information(parent, AppCaption(), QString::fromUtf8(exmsg::kCsvCreated));
}
} // namespace

bool IsExchangeCommand(int commandId)
{
    return commandId == cmd::kSortStoreOrder || commandId == cmd::kSortAutomatic ||
           commandId == cmd::kFileExportAll;
}

void SaveTextFile(const QString& chosenPath, const std::string& text, IUserPrompts& prompts, QWidget* parent)
{
    if (chosenPath.isEmpty())
        return;
    QString path = chosenPath;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    std::string error;
    if (!CFileLayer::Default().WriteFileAtomic(NativePath(path), reinterpret_cast<const uint8_t*>(text.data()),
                                               text.size(), error)) {
        prompts.Warning(parent, AppCaption(), QString::fromStdString(error));
        return;
    }
    prompts.Information(parent, AppCaption(), QString::fromUtf8(exmsg::kCsvCreated));
}

QString SuggestedFileName(const CDocument& doc, const QString& suffix)
{
    const QFileInfo file(doc.PathName().isEmpty() ? doc.Title() : doc.PathName());
    const QString name = file.completeBaseName() + suffix;
    return doc.PathName().isEmpty() ? name : file.dir().filePath(name);
}

QString SortOrderFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
           QString::fromLatin1(exmsg::kSortOrderFileName);
}

ExchangeOutcome RunExchangeCommand(int commandId, CDocument& doc, IUserPrompts& prompts, QWidget* parent)
{
    switch (commandId) {
    case cmd::kSortStoreOrder:
        StoreSortOrder(doc, prompts, parent);
        break;
    case cmd::kSortAutomatic:
        return ApplySortOrder(doc, prompts, parent);
    case cmd::kFileExportAll:
        ExportCsv(doc, prompts, parent);
        break;
    default:
        break;
    }
    return {};
}
