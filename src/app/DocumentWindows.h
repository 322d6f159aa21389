#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

#include "ChildFrame.h"

class CDocument;
class CServiceData;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolButton;

// The one owner of the document windows: the tab area with its document list
// button, creating, activating and closing windows, their tab titles, and a
// window that shows a channel. The main frame, the window list dialog and the
// application work through it; it reports what happened by signals.
class CDocumentWindows : public QObject {
    Q_OBJECT
public:
    // services: what every new window is handed. dialogParent owns the tab
    // area and is the parent of the save questions.
    CDocumentWindows(FrameServices services, QWidget* dialogParent);

    QMdiArea* MdiArea() const { return m_pArea; }

    CChildFrame* CreateChildFrame(CDocument* document);
    CChildFrame* ActiveChildFrame() const;
    CDocument* ActiveDocument() const;
    QList<CChildFrame*> ChildFrames() const;
    QList<CChildFrame*> FramesOf(const CDocument* document) const;
    void ActivateFrame(CChildFrame* frame);
    // Closes one window; the last window of a modified document asks first.
    bool CloseFrame(CChildFrame* frame);
    // Closes every window of the document without asking.
    void CloseFramesOf(CDocument* document);
    // The tab text of a window: the document title, ":n" with several windows.
    QString FrameTitle(const CChildFrame* frame) const;
    // Selects the channel in a window of its document (the active one when it
    // shows that document), switching it to the channel's kind and to all
    // channels when its list does not show the channel.
    void ShowChannel(CDocument* document, const CServiceData* service);
    // While the program ends, windows close without asking.
    void SetClosing() { m_bClosing = true; }

signals:
    // Another window became the active one, or the last one closed (null).
    void ActiveFrameChanged(CChildFrame* frame);
    // A new window; first tells whether it is its document's first.
    void FrameCreated(CChildFrame* frame, bool first);
    // The last window of document closed: the document may go.
    void LastWindowClosed(CDocument* document);
    // A window closed (after LastWindowClosed where that applies).
    void FrameClosed(CDocument* document);
    // A tab title or the modified mark of a document changed.
    void TitlesChanged();

private:
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnFrameDestroyed(CDocument* document);
    void RefreshFrameTitles(const CDocument* document);
    void UpdateCloseButtons();
    void FillDocumentListMenu();
    void PlaceDocumentListButton();
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMdiSubWindow* SubWindowOf(const CChildFrame* frame) const;

    FrameServices m_services;
    QWidget* m_pDialogParent;
    QMdiArea* m_pArea = nullptr;
    QToolButton* m_pDocListButton = nullptr;
    QMenu* m_pDocListMenu = nullptr;
    QPointer<CChildFrame> m_pLastActive;
    bool m_bClosing = false;
};
