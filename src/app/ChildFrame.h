#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>

#include "uibase/CommandTarget.h"
#include "uibase/Document.h"

struct AppSettings;
class CLeftView;
class CVandrelEdit2028View;
class IDocumentDirectory;
class ISettingsStore;
class IUserPrompts;
class QPrinter;
class QSplitter;
class QVBoxLayout;

// What a document window is handed when it is created; it reaches nothing
// else of the program and reports back by its signals.
struct FrameServices {
    AppSettings* settings = nullptr;
    ISettingsStore* store = nullptr;
    IUserPrompts* prompts = nullptr;
    // The shared printer, made on first use.
    std::function<QPrinter&()> printer;
    IDocumentDirectory* documents = nullptr;
    // Asked for the states of the commands the window does not know.
    ICommandTarget* outerCommands = nullptr;
};

// One document window, shown as a tab of the main frame: the satellite and
// favourite tree on the left, the channel list on the right. Holds the
// window's own state (television or radio, automatic numbering, the
// only-active filter, the display mode) and its commands.
class CChildFrame : public QWidget, public ICommandTarget {
    Q_OBJECT
public:
    CChildFrame(CDocument* document, const FrameServices& services, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CDocument* GetDocument() const { return m_pDocument; }

    CLeftView* Tree() const { return m_pTree; }
    CVandrelEdit2028View* ListView() const { return m_pList; }

    // Display mode of the channel list: list (true) or details (false). The
    // list starts in details mode.
    bool IsListMode() const { return m_bListMode; }
    void SetListMode(bool listMode);
    // Display modes 59408 to 59411 (small icons, large icons, list, details).
    void SetDisplayMode(int commandId);
    // Width of column 0 in list mode, set by the status-bar slider.
    void SetListColumnWidth(int width);
    int ListColumnWidth() const { return m_nListColumnWidth; }

    bool IsTelevisionMode() const { return m_bTvMode; }
    int CurrentKind() const { return m_bTvMode ? 0 : 1; }
    bool IsAutoNumbering() const { return m_bAutoNumbering; }
    bool IsOnlyActive() const { return m_bOnlyActive; }

    bool UpdateCommand(int id, CommandState& state) override;
    bool OnCommand(int id) override;

    // The channel count text of this window's list for the status bar.
    QString ChannelCountText() const { return m_strChannelCount; }
    void SetChannelCountText(const QString& text);

    // Set by the main frame when the window becomes active.
    void MarkActivated() { m_bActivatedOnce = true; }
    bool WasActivated() const { return m_bActivatedOnce; }

    // Closing asks the main frame whether the document may go; set when the
    // question has already been answered.
    void SetCloseConfirmed() { m_bCloseConfirmed = true; }

signals:
    // The main frame refreshes its status bar on this: the window was
    // activated, switched display mode, or is closing.
    void ViewStateChanged(CChildFrame* frame);
    void ChannelCountChanged(CChildFrame* frame);
    // Emitted on a close request; the receiver clears accept to keep the window.
    void CloseRequested(CChildFrame* frame, bool& accept);
    // The enabled states of the window's commands may have changed.
    void CommandStatesChanged();
    // The document's current records changed: the panes show them, and the
    // pane paneId comes to the front when bringToFront is set.
    void PaneWanted(CChildFrame* frame, int paneId, bool bringToFront);
    // A short notice for the popup.
    void AlertWanted(const QString& text);
    // The window's kind or numbering changed: the search follows it.
    void SearchTargetChanged(CChildFrame* frame);
    // Channels came, went or were restored: a search over them looks again.
    void ChannelsChanged(CChildFrame* frame);
    // A command the window's views did not take, from their menus; the
    // receiver routes it and sets handled.
    void CommandRequested(int id, CChildFrame* frame, bool& handled);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Where the views' context menus send what they do not handle: this
    // window, then the main frame, then the application.
    class CRoute : public ICommandTarget {
    public:
        explicit CRoute(CChildFrame& frame) : m_frame(frame) {}
        bool UpdateCommand(int id, CommandState& state) override;
        bool OnCommand(int id) override;

    private:
        CChildFrame& m_frame;
    };

    void CreateViews(QVBoxLayout* layout);
    void ConnectViews();
    void OnViewsUpdate(QObject* sender, int hint, void* object);
    void SetTelevisionMode(bool television);
    void ToggleOnlyActive();
    void RunExchange(int id);
    // The view that has the focus gets a command first.
    ICommandTarget* FocusedView() const;
    ICommandTarget* OtherView(const ICommandTarget* view) const;

    QPointer<CDocument> m_pDocument;
    FrameServices m_services;
    bool m_bListMode = false;
    bool m_bActivatedOnce = false;
    bool m_bCloseConfirmed = false;
    int m_nListColumnWidth = 0;
    int m_nDisplayMode = 59411;
    bool m_bTvMode = true;
    bool m_bAutoNumbering = true;
    bool m_bOnlyActive = true;
    CRoute m_route{*this};
    QSplitter* m_pSplitter = nullptr;
    CLeftView* m_pTree = nullptr;
    CVandrelEdit2028View* m_pList = nullptr;
    QString m_strChannelCount;
};
