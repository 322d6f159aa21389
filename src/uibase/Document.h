#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "document/VandrelEdit2028Doc.h"
#include "model/ServiceData.h"

class CFileLayer;
class IUserPrompts;
class QUndoStack;
class QWidget;

// One open database in the GUI: owns the core document and adds the file
// path, the title, change notification and the save questions.
class CDocument : public QObject {
    Q_OBJECT
public:
    explicit CDocument(IUserPrompts& prompts, QObject* parent = nullptr);
    ~CDocument() override;

    CVandrelEdit2028Doc& Core() { return *m_pDoc; }
    const CVandrelEdit2028Doc& Core() const { return *m_pDoc; }

    // Makes this the empty document of "&Neu" with the given title.
    void InitNew(const QString& title);
    // Loads the file into this fresh document without asking anything; the
    // caller reports the outcome. error is set for Refused and ReadError.
    LoadStatus Load(const QString& path, QString& error);

    QString PathName() const { return m_strPathName; }
    QString Title() const { return m_strTitle; }

    bool IsModified() const { return m_pDoc->IsModified(); }
    // Views and panes call this after every change.
    void SetModifiedFlag(bool modified = true);
    // Re-announces the flag after core code changed it directly.
    void SyncModifiedFlag();

    // "&Speichern": saves to the current path, asks for one when there is none.
    bool DoFileSave(QWidget* parent);
    // "Speichern &unter..." when path is empty, else saves to path. True when
    // the file was written.
    bool DoSave(const QString& path, QWidget* parent);
    // Asks whether to save a modified document (Yes / No / Cancel). False
    // means the caller must not close it.
    bool SaveModified(QWidget* parent);

    // Where the existing file at path is kept before it is first replaced.
    static QString BackupPathFor(const QString& path);

    // Every change of the document is one step on this stack; the modified
    // flag follows its clean state.
    QUndoStack* UndoStack() const { return m_pUndoStack; }
    // Runs edit as one undoable step called text. An edit that changes
    // nothing leaves no step and no modified mark; returns whether it changed
    // something. A command that moves channels names them in moved: they are
    // what an undo or redo of the step shows as changed (from the records
    // alone, moving two channels past two others reads the other way round).
    // A command that reorders the whole table names in selectOnUndo the
    // channels selected before it: an undo selects them again, not the
    // whole table.
    bool RunChange(const QString& text, const std::function<void()>& edit,
                   const std::vector<CServiceData*>& moved = {},
                   const std::vector<CServiceData*>* selectOnUndo = nullptr);
    // The update-all-views call: every view of the document gets the hint
    // (the sender too; a view ignores what it sent itself if it must).
    void UpdateAllViews(QObject* sender, int hint, void* object = nullptr);

    // File operations of the core; null means the real file system. Not owned.
    void SetFileLayer(CFileLayer* files) { m_pFiles = files; }

signals:
    void ModifiedChanged(bool modified);
    void TitleChanged();
    void Saved(const QString& path);
    void ViewsUpdate(QObject* sender, int hint, void* object);
    // A step was undone or done again: records, order and groups may all
    // differ from what the views show (sent before the refill hint). changed
    // holds the channels the step touched that are in the table now.
    void ChangeReverted(const std::vector<CServiceData*>& changed);

private:
    bool KeepBackupOnce(const QString& target, QWidget* parent);
    void SetPathName(const QString& path);
    void AfterUndoStep(const std::vector<CServiceData*>& changed);
    friend class CDocumentUndoStep;

    IUserPrompts& m_prompts;
    std::unique_ptr<CVandrelEdit2028Doc> m_pDoc;
    CFileLayer* m_pFiles = nullptr;
    QString m_strPathName;
    QString m_strTitle;
    bool m_bLastModified = false;
    QUndoStack* m_pUndoStack = nullptr;
};
