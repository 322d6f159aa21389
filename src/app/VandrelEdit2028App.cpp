#include "VandrelEdit2028App.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTranslator>

#include "BuildInfo.h"
#include "CommandIcons.h"
#include "DocumentWindows.h"
#include "LookPalettes.h"
#include "MainFrame.h"
#include "QtSettingsStore.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/DialogPictures.h"
#include "document/Messages.h"
#include "uibase/AppMessages.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "uibase/UserPrompts.h"

namespace {
CVandrelEdit2028App* g_pApp = nullptr;
QString Caption()
{
    return QString::fromUtf8(appmsg::kAppName);
}
} // namespace

CVandrelEdit2028App::CVandrelEdit2028App(std::unique_ptr<IUserPrompts> prompts,
                                         std::unique_ptr<CQtSettingsStore> store)
    : m_pPrompts(prompts ? std::move(prompts) : std::make_unique<CQtUserPrompts>()), m_pStore(std::move(store))
{
    g_pApp = this;
}

CVandrelEdit2028App::~CVandrelEdit2028App()
{
    // Documents are QObject children of the application object; windows go first.
    m_pMainFrame.reset();
    for (CDocument* d : m_documents)
        delete d;
    m_documents.clear();
    if (g_pApp == this)
        g_pApp = nullptr;
}

CVandrelEdit2028App* CVandrelEdit2028App::Instance()
{
    return g_pApp;
}

ISettingsStore& CVandrelEdit2028App::Store()
{
    return *m_pStore;
}

void CVandrelEdit2028App::InstallGermanTranslations()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

bool CVandrelEdit2028App::InitInstance(const QStringList& files)
{
    RegisterResources();
    InstallGermanTranslations();
    PlatformStyleName(); // remembered before any style is applied
    QCoreApplication::setOrganizationName(QString::fromLatin1(settings::kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(settings::kApplication));
    QGuiApplication::setApplicationDisplayName(QString::fromLatin1(settings::kApplication));
    QGuiApplication::setDesktopFileName(QStringLiteral(VE_APP_ID));
    QApplication::setWindowIcon(ApplicationIcon());
    if (!m_pStore)
        m_pStore = std::make_unique<CQtSettingsStore>();

    // The preferences are read before the frame, which takes its look from them.
    m_settings.Read(*m_pStore);
    m_recent.Read(*m_pStore);

    MainFrameServices services;
    services.settings = &m_settings;
    services.store = m_pStore.get();
    services.prompts = m_pPrompts.get();
    services.printer = [this]() -> QPrinter& { return Printer(); };
    services.documents = this;
    services.appCommands = this;
    services.recentFiles = [this] { return RecentFilePaths(); };
    m_pMainFrame = std::make_unique<CMainFrame>(services);
    connect(m_pMainFrame.get(), &CMainFrame::OpenFileRequested, this,
            [this](const QString& path) { OpenDocumentFile(path); });
    connect(m_pMainFrame.get(), &CMainFrame::CloseRequested, this,
            [this](bool& accept) { accept = SaveAllModified(); });
    connect(m_pMainFrame.get(), &CMainFrame::Closing, this, [this] {
        CloseAllDocuments();
        ExitInstance();
    });
    if (!m_pMainFrame->Create()) {
        m_pMainFrame.reset();
        return false;
    }
    m_pMainFrame->setWindowIcon(ApplicationIcon());
    connect(&m_pMainFrame->Windows(), &CDocumentWindows::LastWindowClosed, this,
            &CVandrelEdit2028App::ReleaseDocument);

    // A plain start opens nothing; a named file that cannot be opened ends the start.
    for (const QString& file : files)
        if (!OpenDocumentFile(file))
            return false;
    m_pMainFrame->show();
    return true;
}

void CVandrelEdit2028App::ExitInstance()
{
    if (m_bExited || !m_pStore)
        return;
    m_bExited = true;
    m_settings.WriteAtExit(*m_pStore);
    m_recent.Write(*m_pStore);
    m_pStore->Settings().sync();
}

QStringList CVandrelEdit2028App::RecentFilePaths() const
{
    QStringList paths;
    for (const std::string& p : m_recent.Files())
        paths << QString::fromStdString(p);
    return paths;
}

void CVandrelEdit2028App::AddToRecentFiles(const QString& path)
{
    m_recent.Add(QFileInfo(path).absoluteFilePath().toStdString());
    if (m_pMainFrame)
        m_pMainFrame->UpdateRecentFiles();
}

QPrinter& CVandrelEdit2028App::Printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>();
    return *m_pPrinter;
}

CDocument* CVandrelEdit2028App::FindDocument(const QString& path) const
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (CDocument* d : m_documents)
        if (!d->PathName().isEmpty() && d->PathName() == wanted)
            return d;
    return nullptr;
}

CDocument* CVandrelEdit2028App::OnFileNew()
{
    auto* doc = new CDocument(*m_pPrompts, this);
    doc->InitNew(QString::fromUtf8(appmsg::kNewDocumentName) + QString::number(++m_nNewDocuments));
    m_documents.push_back(doc);
    m_pMainFrame->Windows().CreateChildFrame(doc);
    emit DocumentsChanged();
    return doc;
}

void CVandrelEdit2028App::OnFileOpen()
{
    CDocument* active = m_pMainFrame ? m_pMainFrame->ActiveDocument() : nullptr;
    const QString dir =
        active && !active->PathName().isEmpty() ? QFileInfo(active->PathName()).absolutePath() : QString();
    const QString filter =
        QString::fromUtf8(appmsg::kFileFilter) + QStringLiteral(";;") + QString::fromUtf8(appmsg::kAllFilesFilter);
    const QString path =
        m_pPrompts->GetOpenFileName(m_pMainFrame.get(), QString::fromUtf8(appmsg::kOpenCaption), dir, filter);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

CDocument* CVandrelEdit2028App::OpenDocumentFile(const QString& path)
{
    if (CDocument* open = FindDocument(path)) {
        const auto frames = m_pMainFrame->Windows().FramesOf(open);
        if (!frames.isEmpty())
            m_pMainFrame->Windows().ActivateFrame(frames.front());
        return open;
    }

    auto doc = std::make_unique<CDocument>(*m_pPrompts);
    QString error;
    switch (doc->Load(path, error)) {
    case LoadStatus::Refused:
        m_pPrompts->Warning(m_pMainFrame.get(), Caption(), QString::fromUtf8(msg::kUnexpectedFormat));
        return nullptr;
    case LoadStatus::ReadError:
        m_pPrompts->Warning(m_pMainFrame.get(), Caption(),
                            QString::fromUtf8(appmsg::kReadFailed).arg(QDir::toNativeSeparators(path), error));
        m_recent.Remove(QFileInfo(path).absoluteFilePath().toStdString());
        m_pMainFrame->UpdateRecentFiles();
        return nullptr;
    case LoadStatus::LoadedPartly:
        // Shown without an owner window, as the load reports it.
        m_pPrompts->Information(nullptr, QString::fromUtf8(msg::kUnknownBlockTitle),
                                QString::fromStdString(doc->Core().GetUnknownBlockMessage()));
        break;
    case LoadStatus::Loaded:
        break;
    }
    CDocument* opened = doc.release();
    opened->setParent(this);
    m_documents.push_back(opened);
    connect(opened, &CDocument::Saved, this, [this](const QString& saved) { AddToRecentFiles(saved); });
    AddToRecentFiles(opened->PathName());
    m_pMainFrame->Windows().CreateChildFrame(opened);
    emit DocumentsChanged();
    return opened;
}

void CVandrelEdit2028App::ReleaseDocument(CDocument* document)
{
    const auto it = std::find(m_documents.begin(), m_documents.end(), document);
    if (it == m_documents.end())
        return;
    m_documents.erase(it);
    document->deleteLater();
    emit DocumentsChanged();
}

bool CVandrelEdit2028App::SaveAllModified()
{
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* d : documents) {
        if (d->IsModified()) {
            const auto frames = m_pMainFrame->Windows().FramesOf(d);
            if (!frames.isEmpty())
                m_pMainFrame->Windows().ActivateFrame(frames.front());
            if (!d->SaveModified(m_pMainFrame.get()))
                return false;
        }
    }
    return true;
}

void CVandrelEdit2028App::CloseAllDocuments()
{
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* d : documents)
        m_pMainFrame->Windows().CloseFramesOf(d);
}

std::vector<CDocument*> CVandrelEdit2028App::OpenDocuments() const
{
    return m_documents;
}

QMetaObject::Connection CVandrelEdit2028App::WhenDocumentsChange(QObject* receiver, std::function<void()> slot)
{
    return connect(this, &CVandrelEdit2028App::DocumentsChanged, receiver, std::move(slot));
}

void CVandrelEdit2028App::ShowChannel(CDocument* document, const CServiceData* service)
{
    if (m_pMainFrame)
        m_pMainFrame->Windows().ShowChannel(document, service);
}

bool CVandrelEdit2028App::UpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case cmd::kFileNew:
    case cmd::kFileOpen:
    case cmd::kFilePrintSetup:
    case cmd::kAppAbout:
        state.enabled = true;
        return true;
    default:
        return false;
    }
}

bool CVandrelEdit2028App::OnCommand(int id)
{
    switch (id) {
    case cmd::kFileNew:
        OnFileNew();
        return true;
    case cmd::kFileOpen:
        OnFileOpen();
        return true;
    case cmd::kFilePrintSetup: {
        QPageSetupDialog dialog(&Printer(), m_pMainFrame.get());
        dialog.exec();
        return true;
    }
    case cmd::kAppAbout: {
        CAboutDlg dialog(m_pMainFrame.get());
        dialog.exec();
        return true;
    }
    default:
        return false;
    }
}
