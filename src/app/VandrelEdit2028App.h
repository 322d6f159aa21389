#pragma once
#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

#include "QtSettingsStore.h"
#include "uibase/AppSettings.h"
#include "uibase/CommandTarget.h"
#include "uibase/DocumentDirectory.h"
#include "uibase/UserPrompts.h"

class CDocument;
class CMainFrame;
class QPrinter;

// The single application object: starts the program, holds the preferences
// and the open documents, and writes the preferences back at exit.
class CVandrelEdit2028App : public QObject, public ICommandTarget, public IDocumentDirectory {
    Q_OBJECT
public:
    // Null arguments mean the real dialogs and the per-user QSettings store.
    explicit CVandrelEdit2028App(std::unique_ptr<IUserPrompts> prompts = nullptr,
                                 std::unique_ptr<CQtSettingsStore> store = nullptr);
    ~CVandrelEdit2028App() override;

    // The one application object, or nullptr outside a run.
    static CVandrelEdit2028App* Instance();

    // Start: German translations, settings, main frame, then the files named
    // (a plain start names none and opens nothing). False ends the program.
    bool InitInstance(const QStringList& files);
    // Exit: writes the preferences and the recent-file list.
    void ExitInstance();

    AppSettings& Settings() { return m_settings; }
    ISettingsStore& Store();
    CQtSettingsStore& QtStore() { return *m_pStore; }
    IUserPrompts& Prompts() { return *m_pPrompts; }
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CRecentFileList& RecentFiles() { return m_recent; }
    QStringList RecentFilePaths() const;
    QPrinter& Printer();

    const std::vector<CDocument*>& Documents() const { return m_documents; }
    CDocument* FindDocument(const QString& path) const;

    // "&Neu": an empty document in a new window.
    CDocument* OnFileNew();
    // "Öff&nen...": the open dialog, then OpenDocumentFile.
    void OnFileOpen();
    // Opens the file in a new window, or activates the window of the
    // document already open on it. Reports failures; nullptr when refused.
    CDocument* OpenDocumentFile(const QString& path);
    // Drops a document whose last window has closed.
    void ReleaseDocument(CDocument* document);
    // Asks about every modified document; false when the user cancelled.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();

    // What the document windows' commands may ask of the program.
    std::vector<CDocument*> OpenDocuments() const override;
    QMetaObject::Connection WhenDocumentsChange(QObject* receiver, std::function<void()> slot) override;
    void ShowChannel(CDocument* document, const CServiceData* service) override;

    bool UpdateCommand(int id, CommandState& state) override;
    bool OnCommand(int id) override;

    // Loads Qt's German translations and makes German the default locale.
    static void InstallGermanTranslations();

signals:
    void DocumentsChanged();

private:
    void AddToRecentFiles(const QString& path);

    std::unique_ptr<IUserPrompts> m_pPrompts;
    std::unique_ptr<CQtSettingsStore> m_pStore;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<QPrinter> m_pPrinter;
    AppSettings m_settings;
    CRecentFileList m_recent;
    std::vector<CDocument*> m_documents;
    int m_nNewDocuments = 0;
    bool m_bExited = false;
};
