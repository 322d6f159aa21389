#pragma once
#include <QObject>
#include <QPointer>

class CChildFrame;
class CDocument;
class CMainFrame;
class CPropertiesWnd;
class CSatelliteData;
class CServiceData;
class CSatelliteWnd;
class CTransponderData;
class CTransponderWnd;

// Keeps the three property panes on the active document window: shows the
// current records of its document when its list or tree announces them,
// re-points or empties the panes when another window becomes active or the
// last one closes, and hands the panes' edits to the list and the tree.
class CPaneCoordinator : public QObject {
    Q_OBJECT
public:
    CPaneCoordinator(CMainFrame& frame, CPropertiesWnd* channel, CTransponderWnd* transponder,
                     CSatelliteWnd* satellite);

    // The current channel, transponder and satellite of the window's
    // document, when the window is the active one.
    void ShowCurrentRecords(CChildFrame* frame);
    // The channel pane again, e.g. after the group names changed.
    void RefreshChannelPane(CChildFrame* frame);
    // An undo or redo of the window's document: the panes show the records
    // afresh once the step has run completely.
    void OnChangeReverted(CChildFrame* frame);
    void OnUndoStepDone(CChildFrame* frame);
    // Follows the main frame's active window; without one the panes are empty.
    void FollowActiveFrame();
    void ClearPanes();

    CDocument* Document() const { return m_pDocument; }

private:
    bool IsActive(const CChildFrame* frame) const;
    void PointAt(CDocument* document);
    void OnServiceEdited(CServiceData* service);
    void OnTransponderEdited(CTransponderData* transponder);
    void OnSatelliteEdited(CSatelliteData* satellite);

    CMainFrame& m_frame;
    CPropertiesWnd* m_pChannel;
    CTransponderWnd* m_pTransponder;
    CSatelliteWnd* m_pSatellite;
    QPointer<CDocument> m_pDocument;
    QMetaObject::Connection m_documentGone;
    bool m_bReverted = false;
};
