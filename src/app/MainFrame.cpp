#include "MainFrame.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include "ChildFrame.h"
#include "CommandBar.h"
#include "CommandIcons.h"
#include "CommandTable.h"
#include "DesktopAlert.h"
#include "DialogHelpKey.h"
#include "DockPane.h"
#include "DocumentWindows.h"
#include "HelpWindow.h"
#include "KeyboardContextMenu.h"
#include "LookPalettes.h"
#include "QtSettingsStore.h"
#include "WindowManagerDlg.h"
#include "dialogs/ChannelSucheDlg.h"
#include "dialogs/OptionsPropSheet.h"
#include "dialogs/SettingsOptionsPropSheet.h"
#include "dialogs/StatistikDlg.h"
#include "dialogs/TimerDlg.h"
#include "panes/PaneCoordinator.h"
#include "panes/PropertiesWnd.h"
#include "panes/PropertyGrid.h"
#include "panes/PropertyPane.h"
#include "panes/SatelliteWnd.h"
#include "panes/TransponderWnd.h"
#include "uibase/AppMessages.h"
#include "uibase/AppSettings.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "uibase/ValueLabel.h"
#include "views/LeftView.h"
#include "views/VandrelEdit2028View.h"

namespace {
QString ObjectNameOf(const CommandInfo& info)
{
    // "Exportieren" shares its id with "Kanalposition aktualisieren".
    if (QLatin1String(info.identifier) == QLatin1String("ID_FILE_EXPORT"))
        return QStringLiteral("cmd_%1_export").arg(info.id);
    return QStringLiteral("cmd_%1").arg(info.id);
}

// Text of an action as it appears on a button: without access-key marks.
QString PlainText(const QString& text)
{
    QString t = text;
    t.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return t;
}

// The step an undo or redo would take, for the status bar and the tooltip.
const char* kStepTextProperty = "stepText";

const char* kStateKey = "Workspace/MainFrameState";
const char* kGeometryKey = "Workspace/MainFrameGeometry";
const char* kAutoHideKey = "Workspace/AutoHidePanes";
} // namespace

CMainFrame::CMainFrame(const MainFrameServices& services) : QMainWindow(nullptr), m_services(services)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QString::fromUtf8(appmsg::kAppName));
    setAccessibleName(QString::fromUtf8(appmsg::kAppName));
    // The current visual style is read when the frame is constructed.
    m_look = SelectLook(m_services.settings->m_nApplicationLook, Office2007Variant::Blue);
}

CMainFrame::~CMainFrame()
{
    // The windows and panes die inside the base destructors, after this
    // object's own members; nothing of theirs may call back into it.
    disconnect(qApp, nullptr, this, nullptr);
    // The panes stop following the windows before those go.
    delete m_pPaneCoordinator;
    m_pPaneCoordinator = nullptr;
    if (m_pAutoHideTimer)
        m_pAutoHideTimer->stop();
    if (m_pWindows) {
        m_pWindows->disconnect(this);
        // Closed windows awaiting deletion are no longer listed by the area.
        for (QMdiSubWindow* sub : m_pWindows->MdiArea()->findChildren<QMdiSubWindow*>())
            if (sub->widget())
                sub->widget()->disconnect(this);
    }
    for (CDockPane* p : m_panes)
        p->disconnect(this);
    // The manual is a window of its own, not a child of the frame.
    delete m_pHelp;
}

bool CMainFrame::Create()
{
    ApplyLook();
    CreateActions();
    CreateDocumentArea();

    m_pCommandBar =
        new CCommandBar([this](const QString& name) { return ActionByName(name); }, m_pWindowMenu, this);
    setMenuWidget(m_pCommandBar);
    connect(m_pCommandBar, &CCommandBar::RecentFileChosen, this, &CMainFrame::OpenFileRequested);
    m_pCommandBar->SetWindows7Look(m_look.windows7CommandBar);

    CreateStatusBar();
    if (!statusBar())
        return false;
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks | QMainWindow::AllowNestedDocks);
    if (!CreatePanes())
        return false;
    m_pSearch = new CChannelSucheDlg(this);
    Pane(cmd::kPaneSearch)->SetContent(m_pSearch);
    connect(m_pSearch, &CChannelSucheDlg::ServiceChosen, this, [this](CServiceData* service) {
        if (CChildFrame* frame = ActiveChildFrame())
            frame->ListView()->ShowSearchHit(service);
    });
    CreateKeyTips();
    new CKeyboardContextMenu(this);
    new CDialogHelpKey([this] { return ShowHelp(); }, this);

    // The "Bearbeiten" context menu of the channel list runs the clipboard commands.
    m_pEditMenu = new QMenu(QStringLiteral("Bearbeiten"), this);
    m_pEditMenu->setObjectName(QStringLiteral("editContextMenu"));
    const struct {
        const char* text;
        int id;
        QKeySequence keys;
    } editEntries[] = {{"&Ausschneiden", cmd::kEditCut, QKeySequence::Cut},
                       {"&Kopieren", cmd::kEditCopy, QKeySequence::Copy},
                       {"&Einfügen", cmd::kEditPaste, QKeySequence::Paste}};
    for (const auto& e : editEntries) {
        QAction* target = Action(e.id);
        QAction* entry = m_pEditMenu->addAction(QString::fromUtf8(e.text));
        entry->setShortcut(e.keys);
        entry->setShortcutVisibleInContextMenu(true);
        entry->setObjectName(QStringLiteral("edit_%1").arg(e.id));
        connect(entry, &QAction::triggered, target, &QAction::trigger);
        connect(m_pEditMenu, &QMenu::aboutToShow, entry,
                [entry, target] { entry->setEnabled(target->isEnabled()); });
    }

    setAcceptDrops(true);
    // Wide enough for the whole command bar where the screen allows it.
    int width = std::max(1280, m_pCommandBar->sizeHint().width() + 8);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width());
    resize(width, 820);
    SizePanesToContent();
    // A first start fills the screen it starts on, also where no window
    // manager maximises it; a stored layout wins.
    if (!RestoreLayout()) {
        if (const QScreen* screen = this->screen())
            setGeometry(screen->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    UpdateRecentFiles();
    UpdateTitle();
    UpdateCommandStates();
    connect(qApp, &QApplication::focusChanged, this, [this] { UpdateCommandStates(); });
    // "Einfügen" follows what the clipboard holds, whoever put it there.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ScheduleCommandStates(); });
    return true;
}

// ---- commands ----------------------------------------------------------------------------

void CMainFrame::CreateActions()
{
    auto* looks = new QActionGroup(this);
    looks->setExclusive(true);
    for (const CommandInfo& info : CommandTable()) {
        auto* a = new QAction(QString::fromUtf8(info.text), this);
        a->setObjectName(ObjectNameOf(info));
        a->setProperty("commandId", info.id);
        a->setProperty("identifier", QString::fromLatin1(info.identifier));
        a->setProperty("description", QString::fromUtf8(info.description));
        if (info.keyTip)
            a->setProperty("keyTip", QString::fromLatin1(info.keyTip));
        a->setStatusTip(QString::fromUtf8(info.description));
        a->setIcon(CommandIcon(info.id, style()));
        a->setIconVisibleInMenu(true);
        if (info.checkBox)
            a->setCheckable(true);
        if (info.id >= cmd::kLookOffice2007Blue && info.id <= cmd::kLookWindows7) {
            a->setCheckable(true);
            looks->addAction(a);
        }
        if (info.id == cmd::kViewDetails || info.id == cmd::kViewList || info.id == cmd::kViewSmallIcons ||
            info.id == cmd::kViewLargeIcons || info.id == cmd::kTelevision || info.id == cmd::kRadio)
            a->setCheckable(true);
        const int id = info.id;
        connect(a, &QAction::triggered, this, [this, id] { RouteCommand(id); });
        m_actions.append(a);
        m_actionsByName[a->objectName()] = a;
    }
    Action(cmd::kFileNew)->setShortcut(QKeySequence::New);
    Action(cmd::kFileOpen)->setShortcut(QKeySequence::Open);
    Action(cmd::kFileSave)->setShortcut(QKeySequence::Save);
    Action(cmd::kFilePrint)->setShortcut(QKeySequence::Print);
    Action(cmd::kHelpFinder)->setShortcut(QKeySequence::HelpContents);
    Action(cmd::kEditCut)->setShortcut(QKeySequence::Cut);
    Action(cmd::kEditCopy)->setShortcut(QKeySequence::Copy);
    Action(cmd::kEditPaste)->setShortcut(QKeySequence::Paste);
    Action(cmd::kEditSelectAll)->setShortcut(QKeySequence::SelectAll);
    Action(cmd::kChannelSearch)->setShortcut(QKeySequence::Find);
    Action(cmd::kEditUndo)->setShortcuts(QKeySequence::Undo);
    // Ctrl+Y on every platform, as on Windows, and the platform's own redo
    // keys (Ctrl+Shift+Z here) besides.
    QList<QKeySequence> redoKeys = {QKeySequence(Qt::CTRL | Qt::Key_Y)};
    for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(k))
            redoKeys.append(k);
    Action(cmd::kEditRedo)->setShortcuts(redoKeys);
    for (QAction* a : m_actions)
        addAction(a); // shortcuts work wherever the focus is in the frame
    ApplyToolTipMode();
}

void CMainFrame::ApplyToolTipMode()
{
    for (QAction* a : m_actions)
        a->setToolTip(ToolTipOf(a));
}

QString CMainFrame::ToolTipOf(const QAction* a) const
{
    const AppSettings& s = *m_services.settings;
    QString tip;
    if (s.m_nShowToolTips) {
        tip = PlainText(a->text());
        if (!a->shortcut().isEmpty())
            tip += QStringLiteral(" (%1)").arg(a->shortcut().toString(QKeySequence::NativeText));
        if (s.m_nShowToolTipDescr)
            tip += QLatin1Char('\n') + a->property("description").toString();
        const QString step = a->property(kStepTextProperty).toString();
        if (!step.isEmpty())
            tip += QLatin1Char('\n') + step;
    }
    return tip.isEmpty() ? QStringLiteral(" ") : tip;
}

QAction* CMainFrame::ActionByName(const QString& objectName) const
{
    const auto it = m_actionsByName.find(objectName);
    return it == m_actionsByName.end() ? nullptr : it->second;
}

QAction* CMainFrame::Action(int id) const
{
    return ActionByName(QStringLiteral("cmd_%1").arg(id));
}

bool CMainFrame::RouteCommand(int id, CChildFrame* frame)
{
    if (!frame)
        frame = ActiveChildFrame();
    const bool handled = (frame && frame->OnCommand(id)) || OnCommand(id) || m_services.appCommands->OnCommand(id);
    UpdateCommandStates();
    return handled;
}

void CMainFrame::UpdateCommandStates()
{
    CChildFrame* frame = ActiveChildFrame();
    for (QAction* a : m_actions) {
        const int id = a->property("commandId").toInt();
        CommandState state;
        if (!(frame && frame->UpdateCommand(id, state)) && !UpdateCommand(id, state))
            m_services.appCommands->UpdateCommand(id, state);
        a->setEnabled(state.enabled);
        if (a->isCheckable())
            a->setChecked(state.checked);
    }
    RefreshUndoTexts();
}

void CMainFrame::ScheduleCommandStates()
{
    if (m_bStatesScheduled)
        return;
    m_bStatesScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_bStatesScheduled = false;
        UpdateCommandStates();
    });
}

void CMainFrame::RefreshUndoTexts()
{
    const CDocument* document = ActiveDocument();
    const QUndoStack* stack = document ? document->UndoStack() : nullptr;
    const struct {
        int id;
        QString step;
    } entries[] = {{cmd::kEditUndo, stack && stack->canUndo() ? stack->undoText() : QString()},
                   {cmd::kEditRedo, stack && stack->canRedo() ? stack->redoText() : QString()}};
    for (const auto& e : entries) {
        QAction* a = Action(e.id);
        if (!a)
            continue;
        // "Rückgängig: Sperren" names the step; without one the description stands.
        const QString text =
            e.step.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(PlainText(a->text()), e.step);
        if (a->property(kStepTextProperty).toString() == text)
            continue;
        a->setProperty(kStepTextProperty, text);
        a->setStatusTip(text.isEmpty() ? a->property("description").toString() : text);
        a->setToolTip(ToolTipOf(a));
    }
}

void CMainFrame::WatchUndoStack(CDocument* document)
{
    // Only the active document's steps show in the commands; window
    // activation and closing refresh the states on their own.
    const auto refresh = [this, document] {
        if (ActiveDocument() == document)
            UpdateCommandStates();
    };
    QUndoStack* stack = document->UndoStack();
    connect(stack, &QUndoStack::canUndoChanged, this, refresh);
    connect(stack, &QUndoStack::canRedoChanged, this, refresh);
    connect(stack, &QUndoStack::indexChanged, this, refresh);
    // Every step, its undo and its redo may rename or remove a hit.
    connect(stack, &QUndoStack::indexChanged, this, [this, document] { SearchAgain(document); });
}

bool CMainFrame::UpdateCommand(int id, CommandState& state)
{
    const bool hasDocument = ActiveDocument() != nullptr;
    switch (id) {
    case cmd::kFileSave:
    case cmd::kFileSaveAs:
    case cmd::kFileClose:
    case cmd::kWindowNew:
        state.enabled = hasDocument;
        return true;
    case cmd::kEditUndo:
        state.enabled = hasDocument && ActiveDocument()->UndoStack()->canUndo();
        return true;
    case cmd::kEditRedo:
        state.enabled = hasDocument && ActiveDocument()->UndoStack()->canRedo();
        return true;
    case cmd::kAppExit:
    case cmd::kWindowManager:
    case cmd::kShowSatellitePane:
    case cmd::kShowTransponderPane:
    case cmd::kShowChannelPane:
    case cmd::kChannelSearch:
    case cmd::kChannelSearchFromList:
    case cmd::kOptions:
    case cmd::kAppOptionenResources:
    case cmd::kSystemSettings:
    case cmd::kHelpFinder:
        state.enabled = true;
        return true;
    case cmd::kStatistics:
    case cmd::kTimer:
        // Both show what the active database holds.
        state.enabled = hasDocument && ActiveDocument()->Core().HasFileContents();
        return true;
    case cmd::kLookOffice2007Blue:
    case cmd::kLookOffice2007Black:
    case cmd::kLookOffice2007Silver:
    case cmd::kLookOffice2007Aqua:
    case cmd::kLookWindows7:
        state.enabled = true;
        state.checked = m_services.settings->m_nApplicationLook == id;
        return true;
    default:
        return false;
    }
}

bool CMainFrame::OnCommand(int id)
{
    CDocument* document = ActiveDocument();
    switch (id) {
    case cmd::kFileSave:
        if (document)
            document->DoFileSave(this);
        return true;
    case cmd::kFileSaveAs:
        if (document)
            document->DoSave(QString(), this);
        return true;
    case cmd::kFileClose:
        if (document && document->SaveModified(this))
            m_pWindows->CloseFramesOf(document);
        return true;
    case cmd::kEditUndo:
        if (document && document->UndoStack()->canUndo())
            document->UndoStack()->undo();
        return true;
    case cmd::kEditRedo:
        if (document && document->UndoStack()->canRedo())
            document->UndoStack()->redo();
        return true;
    case cmd::kAppExit:
        close();
        return true;
    case cmd::kWindowNew:
        if (document)
            m_pWindows->CreateChildFrame(document);
        return true;
    case cmd::kWindowManager: {
        auto* dialog = new CWindowManagerDlg(*m_pWindows, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
        return true;
    }
    case cmd::kShowChannelPane:
        Pane(cmd::kPaneProperties)->ShowPane();
        return true;
    case cmd::kShowTransponderPane:
        Pane(cmd::kPaneTransponder)->ShowPane();
        return true;
    case cmd::kShowSatellitePane:
        Pane(cmd::kPaneSatellite)->ShowPane();
        return true;
    case cmd::kChannelSearch:
    case cmd::kChannelSearchFromList:
        Pane(cmd::kPaneSearch)->ShowPane();
        // What is typed next replaces the last search.
        m_pSearch->SearchField()->selectAll();
        RetargetChannelSearch();
        m_pSearch->SearchAgain();
        return true;
    case cmd::kOptions:
    case cmd::kAppOptionenResources:
        OpenOptions(id == cmd::kOptions ? COptionsPropSheet::kPageAppOptionen
                                        : COptionsPropSheet::kPageInformationen);
        return true;
    case cmd::kHelpFinder:
        ShowHelp();
        return true;
    case cmd::kSystemSettings: {
        CSettingsOptionsPropSheet sheet(document, this);
        sheet.exec();
        return true;
    }
    case cmd::kStatistics:
        if (document) {
            CStatistikDlg dialog(document->Core(), this);
            dialog.exec();
        }
        return true;
    case cmd::kTimer:
        if (document) {
            CTimerDlg dialog(&document->Core().m_timers, this);
            dialog.exec();
        }
        return true;
    case cmd::kLookOffice2007Blue:
    case cmd::kLookOffice2007Black:
    case cmd::kLookOffice2007Silver:
    case cmd::kLookOffice2007Aqua:
    case cmd::kLookWindows7:
        OnApplicationLook(id);
        return true;
    default:
        return false;
    }
}

// ---- visual style ------------------------------------------------------------------------

void CMainFrame::OnApplicationLook(int lookId)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_services.settings->m_nApplicationLook = lookId;
    m_look = SelectLook(lookId, m_look.variant);
    ApplyLook();
    if (m_pCommandBar)
        m_pCommandBar->SetWindows7Look(m_look.windows7CommandBar);
    // Written at once, not at exit.
    m_services.store->WriteProfileInt("ApplicationLook", lookId);
    update();
    UpdateCommandStates();
    QApplication::restoreOverrideCursor();
}

void CMainFrame::ApplyLook()
{
    const LookStyle look = StyleForLook(m_look);
    if (QStyle* style = QStyleFactory::create(look.styleName))
        QApplication::setStyle(style);
    QApplication::setPalette(look.palette ? *look.palette : QApplication::style()->standardPalette());
    if (m_pWindows)
        m_pWindows->MdiArea()->setBackground(QApplication::palette().brush(QPalette::Dark));
}

// ---- document windows --------------------------------------------------------------------

namespace {
// The states and commands a document window hands outward: the frame's,
// then the application's.
class COuterCommands : public ICommandTarget {
public:
    COuterCommands(ICommandTarget& frame, ICommandTarget& app) : m_frame(frame), m_app(app) {}
    bool UpdateCommand(int id, CommandState& state) override
    {
        return m_frame.UpdateCommand(id, state) || m_app.UpdateCommand(id, state);
    }
    bool OnCommand(int id) override { return m_frame.OnCommand(id) || m_app.OnCommand(id); }

private:
    ICommandTarget& m_frame;
    ICommandTarget& m_app;
};
} // namespace

void CMainFrame::CreateDocumentArea()
{
    m_pOuterCommands = std::make_unique<COuterCommands>(*this, *m_services.appCommands);
    FrameServices services;
    services.settings = m_services.settings;
    services.store = m_services.store;
    services.prompts = m_services.prompts;
    services.printer = m_services.printer;
    services.documents = m_services.documents;
    services.outerCommands = m_pOuterCommands.get();
    m_pWindows = new CDocumentWindows(services, this);
    setCentralWidget(m_pWindows->MdiArea());
    connect(m_pWindows, &CDocumentWindows::ActiveFrameChanged, this, &CMainFrame::OnActiveFrameChanged);
    connect(m_pWindows, &CDocumentWindows::FrameCreated, this, &CMainFrame::ConnectFrame);
    connect(m_pWindows, &CDocumentWindows::FrameClosed, this, &CMainFrame::OnFrameClosed);
    connect(m_pWindows, &CDocumentWindows::TitlesChanged, this, [this] {
        UpdateTitle();
        UpdateCommandStates();
    });

    m_pWindowMenu = new QMenu(QStringLiteral("Fenster"), this);
    m_pWindowMenu->setObjectName(QStringLiteral("windowMenu"));
    connect(m_pWindowMenu, &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);
    FillWindowMenu();
}

void CMainFrame::ConnectFrame(CChildFrame* frame, bool first)
{
    connect(frame, &CChildFrame::ViewStateChanged, this, [this] { OnChildFrameViewChanged(); });
    connect(frame, &CChildFrame::ChannelCountChanged, this, [this] { RefreshChannelCount(); });
    connect(frame, &CChildFrame::CommandStatesChanged, this, [this] { ScheduleCommandStates(); });
    connect(frame, &CChildFrame::PaneWanted, this, [this](CChildFrame* f, int paneId, bool bringToFront) {
        if (f == m_pWindows->ActiveChildFrame()) {
            m_pPaneCoordinator->SetDocument(f->GetDocument());
            m_pPaneCoordinator->ShowCurrentRecords();
        }
        if (bringToFront)
            if (CDockPane* pane = Pane(paneId))
                pane->ShowPane();
    });
    connect(frame, &CChildFrame::AlertWanted, this, &CMainFrame::ShowDesktopAlert);
    connect(frame, &CChildFrame::SearchTargetChanged, this, [this] { RetargetChannelSearch(); });
    connect(frame, &CChildFrame::ChannelsChanged, this, [this](CChildFrame* f) { SearchAgain(f->GetDocument()); });
    connect(frame, &CChildFrame::CommandRequested, this,
            [this](int id, CChildFrame* f, bool& handled) { handled = RouteCommand(id, f); });
    if (first)
        WatchUndoStack(frame->GetDocument());
}

void CMainFrame::FillWindowMenu()
{
    m_pWindowMenu->clear();
    m_pWindowMenu->addAction(Action(cmd::kWindowNew));
    m_pWindowMenu->addSeparator();
    const QList<CChildFrame*> frames = m_pWindows->ChildFrames();
    CChildFrame* active = m_pWindows->ActiveChildFrame();
    for (int i = 0; i < frames.size() && i < 9; ++i) {
        CChildFrame* f = frames[i];
        QAction* a = m_pWindowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(m_pWindows->FrameTitle(f)));
        a->setCheckable(true);
        a->setChecked(f == active);
        connect(a, &QAction::triggered, this, [this, p = QPointer<CChildFrame>(f)] {
            if (p)
                m_pWindows->ActivateFrame(p);
        });
    }
    if (!frames.isEmpty())
        m_pWindowMenu->addSeparator();
    m_pWindowMenu->addAction(Action(cmd::kWindowManager));
}

CChildFrame* CMainFrame::ActiveChildFrame() const
{
    return m_pWindows ? m_pWindows->ActiveChildFrame() : nullptr;
}

CDocument* CMainFrame::ActiveDocument() const
{
    return m_pWindows ? m_pWindows->ActiveDocument() : nullptr;
}

void CMainFrame::UpdateTitle()
{
    CChildFrame* frame = ActiveChildFrame();
    const QString app = QString::fromUtf8(appmsg::kAppName);
    if (!frame || !frame->GetDocument()) {
        setWindowTitle(app);
        setWindowModified(false);
        return;
    }
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(m_pWindows->FrameTitle(frame), app));
    setWindowModified(frame->GetDocument()->IsModified());
}

void CMainFrame::OnActiveFrameChanged(CChildFrame* frame)
{
    if (frame) {
        RetargetChannelSearch();
        OnChildFrameViewChanged();
    }
    RefreshChannelCount();
    UpdateTitle();
    UpdateCommandStates();
    // The panes follow the active window's document; without one they are
    // empty. A window made while the frame is still hidden (at start) waits
    // for its first activation on screen.
    if (m_pPaneCoordinator && isVisible()) {
        m_pPaneCoordinator->SetDocument(frame ? frame->GetDocument() : nullptr);
        m_pPaneCoordinator->ShowCurrentRecords();
    }
}

void CMainFrame::OnFrameClosed(CDocument* document)
{
    // A closing window takes the slider with it; the next active window
    // brings it back when it shows a list.
    RemoveWidthSlider();
    // The search must not keep the records of a document that goes away.
    if (m_pWindows->ChildFrames().isEmpty() ||
        (document && m_pSearch->BoundDocument() == document && m_pWindows->FramesOf(document).isEmpty()))
        m_pSearch->Reset();
    OnChildFrameViewChanged();
    RefreshChannelCount();
    UpdateTitle();
    UpdateCommandStates();
}

// ---- status bar --------------------------------------------------------------------------

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_pMainPane = new QLabel(QString::fromUtf8(appmsg::kStatusMain), bar);
    m_pMainPane->setObjectName(QStringLiteral("status_%1").arg(cmd::kStatusMain));
    m_pMainPane->setAccessibleName(QStringLiteral("Status"));
    bar->addWidget(m_pMainPane, 1);
    m_pCountPane =
        new CValueLabel(QStringLiteral("Kanalanzahl"), QString::fromUtf8(appmsg::kChannelCountInitial), bar);
    m_pCountPane->setObjectName(QStringLiteral("status_%1").arg(cmd::kStatusChannelCount));
    m_pCountPane->setMinimumWidth(
        m_pCountPane->fontMetrics().horizontalAdvance(QStringLiteral("        00000     Kanäle")));
    bar->addPermanentWidget(m_pCountPane);
}

void CMainFrame::RefreshChannelCount()
{
    CChildFrame* frame = ActiveChildFrame();
    m_pCountPane->SetValue(frame ? frame->ChannelCountText() : QString::fromUtf8(appmsg::kChannelCountInitial));
}

void CMainFrame::OnChildFrameViewChanged()
{
    CChildFrame* frame = ActiveChildFrame();
    if (!frame || !frame->WasActivated())
        return;
    if (!frame->IsListMode()) {
        if (m_pWidthSlider)
            m_services.settings->m_nListWidth = m_pWidthSlider->value();
        RemoveWidthSlider();
    } else {
        AddWidthSlider();
    }
}

void CMainFrame::AddWidthSlider()
{
    const int width = m_services.settings->m_nListWidth;
    QStatusBar* bar = statusBar();
    if (!m_pWidthLabel) {
        m_pWidthLabel = new CValueLabel(QStringLiteral("Spaltenbreite"), QString(), bar);
        m_pWidthLabel->setObjectName(QStringLiteral("status_%1").arg(cmd::kStatusWidthLabel));
        m_pWidthLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_pWidthLabel->setMinimumWidth(m_pWidthLabel->fontMetrics().horizontalAdvance(QStringLiteral("250%")) + 6);
        m_pWidthSlider = new QSlider(Qt::Horizontal, bar);
        m_pWidthSlider->setObjectName(QStringLiteral("status_%1").arg(cmd::kStatusWidthSlider));
        m_pWidthSlider->setAccessibleName(QStringLiteral("Spaltenbreite der Kanalliste"));
        m_pWidthSlider->setRange(settings::kListWidthMin, settings::kListWidthMax);
        m_pWidthSlider->setFixedWidth(100);
        connect(m_pWidthSlider, &QSlider::valueChanged, this, [this](int position) {
            m_pWidthLabel->SetValue(QStringLiteral("%1%").arg(position));
            CChildFrame* active = ActiveChildFrame();
            if (active && active->IsListMode())
                active->SetListColumnWidth(position);
        });
        // Index 0 is the main pane; the width elements go before the channel count.
        bar->insertPermanentWidget(1, m_pWidthLabel);
        bar->insertPermanentWidget(2, m_pWidthSlider);
        m_pWidthLabel->show();
        m_pWidthSlider->show();
    }
    const QSignalBlocker block(m_pWidthSlider);
    m_pWidthSlider->setValue(width);
    m_pWidthLabel->SetValue(QStringLiteral("%1%").arg(width));
}

void CMainFrame::RemoveWidthSlider()
{
    // Deleting a widget takes it out of the status bar. QStatusBar::removeWidget
    // is not used: Qt 6.4 hides the widget that follows the removed one there,
    // which is the channel count.
    delete m_pWidthSlider;
    delete m_pWidthLabel;
}

void CMainFrame::RetargetChannelSearch()
{
    CChildFrame* frame = ActiveChildFrame();
    if (frame && frame->ListView())
        m_pSearch->Bind(frame->GetDocument(), frame->IsTelevisionMode(), frame->IsAutoNumbering());
}

void CMainFrame::SearchAgain(const CDocument* document)
{
    if (m_pSearch->BoundDocument() == document)
        m_pSearch->SearchAgain();
}

void CMainFrame::OpenOptions(int startPage)
{
    COptionsPropSheet sheet(*m_services.settings, statusBar()->isVisible(), this, startPage);
    // The colours apply to every window at once, and again when cancel
    // puts the old ones back.
    connect(&sheet, &COptionsPropSheet::ColoursChanged, this, [this](bool channelList, bool tree) {
        for (CChildFrame* frame : m_pWindows->ChildFrames()) {
            if (channelList && frame->ListView())
                frame->ListView()->ApplyColors();
            if (tree && frame->Tree())
                frame->Tree()->ApplyColors();
        }
    });
    connect(&sheet, &COptionsPropSheet::StatusBarToggled, this, &CMainFrame::ToggleStatusBar);
    sheet.exec();
    ApplyToolTipMode();
}

void CMainFrame::ToggleStatusBar()
{
    statusBar()->setVisible(!statusBar()->isVisible());
}

CHelpWindow* CMainFrame::ShowHelp()
{
    // Without a parent, so the manual can lie behind the editor; the frame
    // deletes it and closes it when the program ends.
    if (!m_pHelp)
        m_pHelp = new CHelpWindow;
    m_pHelp->ShowInFront();
    return m_pHelp;
}

CHelpWindow* CMainFrame::HelpWindow() const
{
    return m_pHelp;
}

// ---- panes -------------------------------------------------------------------------------

bool CMainFrame::CreatePanes()
{
    struct PaneInfo {
        const char* title;
        int id;
        Qt::DockWidgetArea area;
    };
    const PaneInfo layout[] = {{"Eigenschaften", cmd::kPaneProperties, Qt::RightDockWidgetArea},
                               {"Transponder", cmd::kPaneTransponder, Qt::RightDockWidgetArea},
                               {"Satellit", cmd::kPaneSatellite, Qt::RightDockWidgetArea},
                               {"Suchen", cmd::kPaneSearch, Qt::LeftDockWidgetArea}};
    for (const PaneInfo& info : layout) {
        auto* pane = new CDockPane(QString::fromUtf8(info.title), info.id, this);
        addDockWidget(info.area, pane, Qt::Vertical);
        connect(pane, &CDockPane::AutoHideChanged, this, &CMainFrame::OnPaneAutoHide);
        m_panes.append(pane);
    }
    m_pChannelPane = new CPropertiesWnd(Pane(cmd::kPaneProperties));
    m_pTransponderPane = new CTransponderWnd(Pane(cmd::kPaneTransponder));
    m_pSatellitePane = new CSatelliteWnd(Pane(cmd::kPaneSatellite));
    Pane(cmd::kPaneProperties)->SetContent(m_pChannelPane);
    Pane(cmd::kPaneTransponder)->SetContent(m_pTransponderPane);
    Pane(cmd::kPaneSatellite)->SetContent(m_pSatellitePane);
    m_pPaneCoordinator = new CPaneCoordinator(m_pChannelPane, m_pTransponderPane, m_pSatellitePane, this);
    // The three property panes share the right edge as tabs, the channel
    // pane in front: each has the full height, so the channel pane shows all
    // its rows on a screen 1000 pixels high.
    tabifyDockWidget(Pane(cmd::kPaneProperties), Pane(cmd::kPaneTransponder));
    tabifyDockWidget(Pane(cmd::kPaneTransponder), Pane(cmd::kPaneSatellite));
    Pane(cmd::kPaneProperties)->raise();

    m_pAutoHideTimer = new QTimer(this);
    m_pAutoHideTimer->setInterval(400);
    connect(m_pAutoHideTimer, &QTimer::timeout, this, [this] {
        for (CDockPane* p : m_panes)
            p->HideIfLeft();
    });
    m_pAutoHideTimer->start();
    return m_panes.size() == 4;
}

namespace {
// The narrowest screen on which the search pane has a column of its own.
constexpr int kSearchBesideWidth = 1600;
} // namespace

void CMainFrame::SizePanesToContent()
{
    // Room for the row texts and the longest values (a satellite with its
    // position), and for the search field with all five result columns.
    // On a small screen the tree and the list keep about half the width.
    int gridWidth = std::max(320, fontMetrics().averageCharWidth() * 54);
    int searchWidth = m_pSearch->sizeHint().width();
    if (const QScreen* screen = this->screen()) {
        const int available = screen->availableGeometry().width();
        gridWidth = std::min(gridWidth, available * 28 / 100);
        searchWidth = std::min(searchWidth, available * 24 / 100);
        // Below that the search shares the property panes' place as a tab,
        // so the channel list keeps at least half of a 1366 pixel screen.
        if (available < kSearchBesideWidth) {
            tabifyDockWidget(Pane(cmd::kPaneSatellite), Pane(cmd::kPaneSearch));
            Pane(cmd::kPaneProperties)->raise();
            resizeDocks({Pane(cmd::kPaneProperties)}, {gridWidth}, Qt::Horizontal);
            return;
        }
    }
    resizeDocks({Pane(cmd::kPaneProperties)}, {gridWidth}, Qt::Horizontal);
    resizeDocks({Pane(cmd::kPaneSearch)}, {searchWidth}, Qt::Horizontal);
}

CDockPane* CMainFrame::Pane(int paneId) const
{
    for (CDockPane* p : m_panes)
        if (p->PaneId() == paneId)
            return p;
    return nullptr;
}

QToolBar* CMainFrame::AutoHideBar(Qt::DockWidgetArea area)
{
    auto it = m_autoHideBars.find(area);
    if (it != m_autoHideBars.end())
        return it->second;
    static const std::map<Qt::DockWidgetArea, std::pair<Qt::ToolBarArea, const char*>> places = {
        {Qt::LeftDockWidgetArea, {Qt::LeftToolBarArea, "left"}},
        {Qt::RightDockWidgetArea, {Qt::RightToolBarArea, "right"}},
        {Qt::TopDockWidgetArea, {Qt::TopToolBarArea, "top"}},
        {Qt::BottomDockWidgetArea, {Qt::BottomToolBarArea, "bottom"}}};
    const auto& place = places.at(area);
    auto* bar = new QToolBar(QStringLiteral("Ausgeblendete Fenster"), this);
    bar->setObjectName(QStringLiteral("autoHideBar_%1").arg(QLatin1String(place.second)));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    addToolBar(place.first, bar);
    bar->hide();
    m_autoHideBars[area] = bar;
    return bar;
}

void CMainFrame::OnPaneAutoHide(CDockPane* pane, bool autoHide)
{
    QToolButton* tab = pane->AutoHideTab();
    if (autoHide) {
        Qt::DockWidgetArea area = dockWidgetArea(pane);
        if (area == Qt::NoDockWidgetArea)
            area = Qt::RightDockWidgetArea;
        QToolBar* bar = AutoHideBar(area);
        tab->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->show();
        // The bar's holder action takes its visibility from the tab as it is
        // added, so the tab is shown first.
        tab->show();
        QAction* holder = bar->addWidget(tab);
        holder->setVisible(true);
        holder->setEnabled(true);
        tab->setEnabled(true);
    } else {
        for (auto& [area, bar] : m_autoHideBars) {
            for (QAction* a : bar->actions()) {
                if (bar->widgetForAction(a) == tab) {
                    tab->setParent(pane);
                    tab->hide();
                    bar->removeAction(a);
                }
            }
            if (bar->actions().isEmpty())
                bar->hide();
        }
    }
}

// ---- key tips ----------------------------------------------------------------------------

void CMainFrame::CreateKeyTips()
{
    const auto shortcut = [this](int key, const std::function<void()>& run) {
        auto* s = new QShortcut(QKeySequence(Qt::ALT | key), this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, run);
    };
    shortcut(Qt::Key_F, [this] { m_pCommandBar->ApplicationButton()->showMenu(); });
    shortcut(Qt::Key_H, [this] { m_pCommandBar->StartKeyTips(); });
    shortcut(Qt::Key_S, [this] { m_pCommandBar->StyleButton()->showMenu(); });
    shortcut(Qt::Key_A, [this] { m_pCommandBar->HelpButton()->showMenu(); });

    // F6 and Shift+F6 move between the main areas.
    for (const bool forward : {true, false}) {
        auto* s = new QShortcut(forward ? QKeySequence(Qt::Key_F6) : QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
        s->setObjectName(forward ? QStringLiteral("nextAreaShortcut") : QStringLiteral("previousAreaShortcut"));
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, [this, forward] { FocusNextArea(forward); });
    }
}

QList<QPair<QWidget*, QWidget*>> CMainFrame::FocusAreas() const
{
    // Each area as the widget that holds it and the one that takes the focus.
    QList<QPair<QWidget*, QWidget*>> areas;
    if (CChildFrame* frame = ActiveChildFrame()) {
        areas.append(qMakePair<QWidget*, QWidget*>(frame->Tree(), frame->Tree()));
        areas.append(qMakePair<QWidget*, QWidget*>(frame->ListView(), frame->ListView()->ActiveItemView()));
    }
    if (CDockPane* search = Pane(cmd::kPaneSearch); search && search->isVisible() && m_pSearch->isEnabled())
        areas.append(qMakePair<QWidget*, QWidget*>(search, m_pSearch->SearchField()));
    // The property pane in front; those behind its tab are not shown.
    for (const int id : {cmd::kPaneProperties, cmd::kPaneTransponder, cmd::kPaneSatellite}) {
        CDockPane* pane = Pane(id);
        auto* content = pane ? qobject_cast<CPropertyPane*>(pane->widget()) : nullptr;
        if (content && pane->isVisible() && content->isEnabled()) {
            areas.append(qMakePair<QWidget*, QWidget*>(pane, content->Grid()->Tree()));
            break;
        }
    }
    areas.append(qMakePair<QWidget*, QWidget*>(m_pCommandBar, m_pCommandBar->ApplicationButton()));
    return areas;
}

void CMainFrame::FocusNextArea(bool forward)
{
    const QList<QPair<QWidget*, QWidget*>> areas = FocusAreas();
    if (areas.isEmpty())
        return;
    QWidget* focus = QApplication::focusWidget();
    qsizetype at = -1;
    for (qsizetype i = 0; i < areas.size(); ++i)
        if (focus && (areas[i].first == focus || areas[i].first->isAncestorOf(focus)))
            at = i;
    const qsizetype n = areas.size();
    const qsizetype next = at < 0 ? (forward ? 0 : n - 1) : (at + (forward ? 1 : n - 1)) % n;
    areas[next].second->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

// ---- recent files, popup, layout ------------------------------------------------------------

void CMainFrame::UpdateRecentFiles()
{
    if (m_pCommandBar)
        m_pCommandBar->SetRecentFiles(m_services.recentFiles());
}

QWidget* CMainFrame::ShowDesktopAlert(const QString& text)
{
    return CDesktopAlert::Show(text, windowIcon());
}

void CMainFrame::SaveLayout()
{
    QSettings& s = m_services.store->Settings();
    s.setValue(QLatin1String(kGeometryKey), saveGeometry());
    QStringList autoHidden;
    for (CDockPane* p : m_panes)
        if (p->IsAutoHide()) {
            autoHidden << p->objectName();
            p->hide();
        }
    s.setValue(QLatin1String(kStateKey), saveState());
    s.setValue(QLatin1String(kAutoHideKey), autoHidden);
}

bool CMainFrame::RestoreLayout()
{
    QSettings& s = m_services.store->Settings();
    const bool stored = restoreGeometry(s.value(QLatin1String(kGeometryKey)).toByteArray());
    restoreState(s.value(QLatin1String(kStateKey)).toByteArray());
    const QStringList autoHidden = s.value(QLatin1String(kAutoHideKey)).toStringList();
    for (CDockPane* p : m_panes)
        if (autoHidden.contains(p->objectName()) && !p->isFloating()) {
            p->show(); // so that its dock area is known when the tab is placed
            p->SetAutoHide(true);
        }
    return stored;
}

// ---- closing and dropping -----------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    bool accept = true;
    emit CloseRequested(accept);
    if (!accept) {
        event->ignore();
        return;
    }
    SaveLayout();
    if (m_pHelp)
        m_pHelp->close();
    m_pWindows->SetClosing();
    emit Closing();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    activateWindow();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            emit OpenFileRequested(url.toLocalFile());
}
