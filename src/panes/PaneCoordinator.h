#pragma once
#include <QObject>
#include <QPointer>

#include "uibase/Document.h"

class CPropertiesWnd;
class CSatelliteData;
class CServiceData;
class CSatelliteWnd;
class CTransponderData;
class CTransponderWnd;

// Keeps the three property panes on the document it is given (the active
// window's): shows that document's current records when asked, empties the
// panes when another document comes or this one goes, follows the
// document's undo and redo, and sends the panes' edits back to the document
// as update hints, so every window of it shows them.
class CPaneCoordinator : public QObject {
    Q_OBJECT
public:
    CPaneCoordinator(CPropertiesWnd* channel, CTransponderWnd* transponder, CSatelliteWnd* satellite,
                     QObject* parent = nullptr);

    // The document whose records the panes show; null empties them.
    void SetDocument(CDocument* document);
    CDocument* Document() const { return m_pDocument; }
    // The current channel, transponder and satellite of the document.
    void ShowCurrentRecords();
    void ClearPanes();

private:
    void OnViewsUpdate(int hint);
    void OnChangeReverted();
    void OnUndoStepDone();
    void OnServiceEdited(CServiceData* service);
    void OnTransponderEdited(CTransponderData* transponder);
    void OnSatelliteEdited(CSatelliteData* satellite);

    CPropertiesWnd* m_pChannel;
    CTransponderWnd* m_pTransponder;
    CSatelliteWnd* m_pSatellite;
    QPointer<CDocument> m_pDocument;
    QList<QMetaObject::Connection> m_documentLinks;
    bool m_bReverted = false;
};
