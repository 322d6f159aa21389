#pragma once
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QSlider>
#include <functional>
#include <map>
#include <memory>

#include "VisualLook.h"
#include "uibase/CommandTarget.h"
#include "uibase/ValueLabel.h"

class CChannelSucheDlg;
class CChildFrame;
class CCommandBar;
class CDockPane;
class CDocument;
class CDocumentWindows;
class CHelpWindow;
class CPaneCoordinator;
class CPropertiesWnd;
class CSatelliteWnd;
class CTransponderWnd;
class CQtSettingsStore;
class IDocumentDirectory;
class IUserPrompts;
class QPrinter;
struct AppSettings;

// What the application object hands the main frame: the preferences and
// their store, the prompts, the shared printer, the open documents, the
// recent files and its own commands (the last in the command route).
struct MainFrameServices {
    AppSettings* settings = nullptr;
    CQtSettingsStore* store = nullptr;
    IUserPrompts* prompts = nullptr;
    std::function<QPrinter&()> printer;
    IDocumentDirectory* documents = nullptr;
    ICommandTarget* appCommands = nullptr;
    std::function<QStringList()> recentFiles;
};
class QToolBar;
class QToolButton;

// The program's top-level window: command bar, document windows as tabs,
// status bar and the four dockable panes. Commands go first to the active
// document window, then to the frame, then to the application object.
class CMainFrame : public QMainWindow, public ICommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(const MainFrameServices& services);
    ~CMainFrame() override;

    // Builds the frame; false when a required part could not be created.
    bool Create();

    // The action of a command by object name ("cmd_57601"), or nullptr.
    QAction* ActionByName(const QString& objectName) const;
    // The first action carrying the command id, or nullptr.
    QAction* Action(int id) const;
    QList<QAction*> Actions() const { return m_actions; }
    CCommandBar* CommandBar() const { return m_pCommandBar; }

    // The document windows, their tab area and their titles.
    CDocumentWindows& Windows() const { return *m_pWindows; }
    // Shorthands for the active window of Windows() and its document.
    CChildFrame* ActiveChildFrame() const;
    CDocument* ActiveDocument() const;

    // Panes by their pane id (150, 32846, 32847, 32775).
    CDockPane* Pane(int paneId) const;
    QList<CDockPane*> Panes() const { return m_panes; }
    // The property panes' contents and what keeps them on the active window.
    CPropertiesWnd* ChannelPane() const { return m_pChannelPane; }
    CTransponderWnd* TransponderPane() const { return m_pTransponderPane; }
    CSatelliteWnd* SatellitePane() const { return m_pSatellitePane; }
    CPaneCoordinator* PaneCoordinator() const { return m_pPaneCoordinator; }

    // Status bar.
    QLabel* MainPane() const { return m_pMainPane; }
    QLabel* ChannelCountPane() const { return m_pCountPane; }
    QLabel* WidthLabel() const { return m_pWidthLabel; }
    QSlider* WidthSlider() const { return m_pWidthSlider; }
    // Sent by the document windows when one is activated, closed or switches
    // between list and details.
    void OnChildFrameViewChanged();
    // Points the search pane at the active window's document and kind.
    void RetargetChannelSearch();
    // Runs the search again when it shows this document's channels.
    void SearchAgain(const CDocument* document);
    CChannelSucheDlg* ChannelSearch() const { return m_pSearch; }
    // The option sheet, opened on page 0 ("Informationen") or 1 ("AppOptionen").
    void OpenOptions(int startPage);
    // The option page's "Statusleiste" button.
    void ToggleStatusBar();
    // "Hilfe&themen": the one manual window, opened or brought to the front.
    CHelpWindow* ShowHelp();
    CHelpWindow* HelpWindow() const;

    // Visual styles 205 to 219: applies at once and stores "ApplicationLook".
    void OnApplicationLook(int lookId);
    const VisualLook& CurrentLook() const { return m_look; }

    // The notification popup; returns the popup (it deletes itself).
    QWidget* ShowDesktopAlert(const QString& text);

    // The context menu "Bearbeiten" of the channel list.
    QMenu* EditContextMenu() const { return m_pEditMenu; }

    // Offers the command to the window (the active one when none is given),
    // the frame and the application, then shows every command's state
    // afresh, whatever the command changed. Every command of the bar and of
    // the views' menus comes through here. True when one of them took it.
    bool RouteCommand(int id, CChildFrame* frame = nullptr);
    // Every command's enabled and checked state, asked of the active window,
    // the frame and the application.
    void UpdateCommandStates();
    // Updates the states once the current event is handled, so a burst of
    // selection changes costs one update.
    void ScheduleCommandStates();
    void UpdateTitle();
    void UpdateRecentFiles();

    bool UpdateCommand(int id, CommandState& state) override;
    bool OnCommand(int id) override;

signals:
    // A file to open: chosen from the recent files or dropped on the frame.
    void OpenFileRequested(const QString& path);
    // The user closes the program; the receiver clears accept to stay
    // (a save question was cancelled).
    void CloseRequested(bool& accept);
    // The program ends: the documents close and the preferences are written.
    void Closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QList<QPair<QWidget*, QWidget*>> FocusAreas() const;
    void FocusNextArea(bool forward);
    void CreateActions();
    void CreateDocumentArea();
    void CreateStatusBar();
    bool CreatePanes();
    void CreateKeyTips();
    void ApplyLook();
    void ApplyToolTipMode();
    QString ToolTipOf(const QAction* action) const;
    // Names the step of "Rückgängig" and "Wiederholen" in their status text and tooltip.
    void RefreshUndoTexts();
    // The command states follow the document's undo stack while it is active.
    void WatchUndoStack(CDocument* document);
    // Wires a new document window's reports to the frame.
    void ConnectFrame(CChildFrame* frame, bool first);
    void OnActiveFrameChanged(CChildFrame* frame);
    void OnFrameClosed(CDocument* document);
    void RefreshChannelCount();
    void AddWidthSlider();
    void RemoveWidthSlider();
    void FillWindowMenu();
    void OnPaneAutoHide(CDockPane* pane, bool autoHide);
    QToolBar* AutoHideBar(Qt::DockWidgetArea area);
    void SaveLayout();
    // False when no window geometry was stored (a first start).
    bool RestoreLayout();
    // Dock sizes that show the panes' contents, unless a stored layout follows.
    void SizePanesToContent();

    MainFrameServices m_services;
    VisualLook m_look;
    QList<QAction*> m_actions;
    std::map<QString, QAction*> m_actionsByName;
    CCommandBar* m_pCommandBar = nullptr;
    std::unique_ptr<ICommandTarget> m_pOuterCommands;
    CDocumentWindows* m_pWindows = nullptr;
    QMenu* m_pWindowMenu = nullptr;
    QMenu* m_pEditMenu = nullptr;
    QLabel* m_pMainPane = nullptr;
    CValueLabel* m_pCountPane = nullptr;
    QPointer<CValueLabel> m_pWidthLabel;
    QPointer<QSlider> m_pWidthSlider;
    QList<CDockPane*> m_panes;
    CPropertiesWnd* m_pChannelPane = nullptr;
    CTransponderWnd* m_pTransponderPane = nullptr;
    CSatelliteWnd* m_pSatellitePane = nullptr;
    CPaneCoordinator* m_pPaneCoordinator = nullptr;
    CChannelSucheDlg* m_pSearch = nullptr;
    QPointer<CHelpWindow> m_pHelp;
    std::map<Qt::DockWidgetArea, QToolBar*> m_autoHideBars;
    QTimer* m_pAutoHideTimer = nullptr;
    bool m_bStatesScheduled = false;
};
