#include "Document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include "AppMessages.h"
#include "QtConversions.h"
#include "UserPrompts.h"
#include "document/DocumentChange.h"
#include "document/FileLayer.h"
#include "document/UpdateHints.h"

// One undoable step: the recorded change of one command. The command has
// already run when the step is pushed, so the first redo does nothing.
class CDocumentUndoStep : public QUndoCommand {
public:
    CDocumentUndoStep(CDocument& doc, const QString& text, std::unique_ptr<CDocumentChange> change,
                      std::vector<CServiceData*> moved, const std::vector<CServiceData*>* selectOnUndo)
        : QUndoCommand(text), m_doc(doc), m_change(std::move(change)), m_moved(std::move(moved)),
          m_bSelectOnUndo(selectOnUndo != nullptr)
    {
        if (selectOnUndo)
            m_selectOnUndo = *selectOnUndo;
    }
    void undo() override
    {
        m_change->Undo();
        m_doc.AfterUndoStep(Changed(false));
    }
    void redo() override
    {
        if (m_bPushed) {
            m_change->Redo();
            m_doc.AfterUndoStep(Changed(true));
        }
        m_bPushed = true;
    }

private:
    std::vector<CServiceData*> Changed(bool forward) const
    {
        if (!forward && m_bSelectOnUndo)
            return m_selectOnUndo;
        return m_moved.empty() ? m_change->ChangedServices(forward) : m_moved;
    }

    CDocument& m_doc;
    std::unique_ptr<CDocumentChange> m_change;
    std::vector<CServiceData*> m_moved;
    bool m_bSelectOnUndo = false;
    std::vector<CServiceData*> m_selectOnUndo;
    bool m_bPushed = false;
};

CDocument::CDocument(IUserPrompts& prompts, QObject* parent)
    : QObject(parent), m_prompts(prompts), m_pDoc(std::make_unique<CVandrelEdit2028Doc>()),
      m_pUndoStack(new QUndoStack(this))
{
    m_pUndoStack->setObjectName(QStringLiteral("undoStack"));
    connect(m_pUndoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModifiedFlag(!clean); });
}

bool CDocument::RunChange(const QString& text, const std::function<void()>& edit,
                          const std::vector<CServiceData*>& moved, const std::vector<CServiceData*>* selectOnUndo)
{
    const bool wasModified = m_pDoc->IsModified();
    auto change = std::make_unique<CDocumentChange>(*m_pDoc);
    edit();
    change->Finish();
    if (change->IsEmpty()) {
        // An edit may mark the document although it changed nothing.
        m_pDoc->SetModifiedFlag(wasModified);
        return false;
    }
    m_pUndoStack->push(new CDocumentUndoStep(*this, text, std::move(change), moved, selectOnUndo));
    SetModifiedFlag(!m_pUndoStack->isClean());
    return true;
}

void CDocument::AfterUndoStep(const std::vector<CServiceData*>& changed)
{
    // The current channel may have left the table again; the views choose
    // it anew from their selection.
    m_pDoc->m_pCurrentService = nullptr;
    emit ChangeReverted(changed);
    UpdateAllViews(nullptr, kHintRefillList);
}

void CDocument::UpdateAllViews(QObject* sender, int hint, void* object)
{
    emit ViewsUpdate(sender, hint, object);
}

CDocument::~CDocument() = default;

void CDocument::InitNew(const QString& title)
{
    m_strTitle = title;
    emit TitleChanged();
}

LoadStatus CDocument::Load(const QString& path, QString& error)
{
    std::string coreError;
    const LoadStatus status = m_pDoc->LoadFile(NativePath(path), coreError, m_pFiles);
    error = QString::fromStdString(coreError);
    if (status == LoadStatus::Loaded || status == LoadStatus::LoadedPartly) {
        m_pDoc->SetModifiedFlag(false);
        m_bLastModified = false;
        m_pUndoStack->clear();
        SetPathName(path);
    }
    return status;
}

void CDocument::SetModifiedFlag(bool modified)
{
    m_pDoc->SetModifiedFlag(modified);
    SyncModifiedFlag();
}

void CDocument::SyncModifiedFlag()
{
    const bool modified = m_pDoc->IsModified();
    if (modified != m_bLastModified) {
        m_bLastModified = modified;
        emit ModifiedChanged(modified);
    }
}

void CDocument::SetPathName(const QString& path)
{
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_strTitle = QFileInfo(path).fileName();
    emit TitleChanged();
}

QString CDocument::BackupPathFor(const QString& path)
{
    return path + QStringLiteral(".bak");
}

bool CDocument::DoFileSave(QWidget* parent)
{
    return DoSave(m_strPathName, parent);
}

bool CDocument::DoSave(const QString& path, QWidget* parent)
{
    // A document of "&Neu" lacks the header, configuration and timer data the
    // receiver needs; writing it would produce a file the receiver rejects.
    if (!m_pDoc->HasFileContents()) {
        m_prompts.Warning(parent, AppCaption(), QString::fromUtf8(appmsg::kSaveNewRefused));
        return false;
    }
    if (m_pDoc->LoadStoppedEarly()) {
        const auto answer = m_prompts.Question(parent, AppCaption(), QString::fromUtf8(appmsg::kSavePartlyRead),
                                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }

    QString target = path;
    if (target.isEmpty()) {
        const QString start = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
        target = m_prompts.GetSaveFileName(parent, QString::fromUtf8(appmsg::kSaveAsCaption), start,
                                           QString::fromUtf8(appmsg::kFileFilter));
        if (target.isEmpty())
            return false;
        if (QFileInfo(target).suffix().isEmpty())
            target += QLatin1Char('.') + QString::fromLatin1(appmsg::kDefaultExtension);
    }

    // A FIFO, device, folder or dangling link there is left as it is.
    if (const std::string refusal = CheckOutputFile(NativePath(target)); !refusal.empty()) {
        const char* text = m_pDoc->IsModified() ? appmsg::kSaveFailed : appmsg::kSaveFailedUnmodified;
        m_prompts.Critical(
            parent, AppCaption(),
            QString::fromUtf8(text).arg(QDir::toNativeSeparators(target), QString::fromStdString(refusal)));
        return false;
    }
    if (!KeepBackupOnce(target, parent))
        return false;

    std::string coreError;
    if (!m_pDoc->SaveFile(NativePath(target), coreError, m_pFiles)) {
        // The core leaves the target untouched and the modified flag as it was.
        const char* text = m_pDoc->IsModified() ? appmsg::kSaveFailed : appmsg::kSaveFailedUnmodified;
        m_prompts.Critical(
            parent, AppCaption(),
            QString::fromUtf8(text).arg(QDir::toNativeSeparators(target), QString::fromStdString(coreError)));
        return false;
    }
    SetPathName(target);
    m_pUndoStack->setClean();
    SyncModifiedFlag();
    emit Saved(m_strPathName);
    return true;
}

// The receiver's original is kept beside the file before it is replaced for
// the first time. An existing backup is never replaced, so the oldest state
// survives any number of saves.
bool CDocument::KeepBackupOnce(const QString& target, QWidget* parent)
{
    if (!QFileInfo::exists(target))
        return true;
    const QString backup = BackupPathFor(target);
    if (QFileInfo::exists(backup) || QFileInfo(backup).isSymLink())
        return true;
    // Through the same file layer as the save, so a failure names its cause;
    // a failed copy leaves no half-written backup.
    CFileLayer& files = m_pFiles ? *m_pFiles : CFileLayer::Default();
    std::string reason;
    if (!files.CopyToNewFile(NativePath(target), NativePath(backup), reason)) {
        m_prompts.Critical(parent, AppCaption(),
                           QString::fromUtf8(appmsg::kBackupFailed)
                               .arg(QDir::toNativeSeparators(backup), QString::fromStdString(reason)));
        return false;
    }
    return true;
}

bool CDocument::SaveModified(QWidget* parent)
{
    if (!IsModified())
        return true;
    const auto answer =
        m_prompts.Question(parent, AppCaption(), QString::fromUtf8(appmsg::kAskToSave).arg(m_strTitle),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    return DoFileSave(parent);
}
