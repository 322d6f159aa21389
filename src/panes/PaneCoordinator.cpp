#include "PaneCoordinator.h"

#include <QUndoStack>

#include "PropertiesWnd.h"
#include "SatelliteWnd.h"
#include "TransponderWnd.h"
#include "document/UpdateHints.h"
#include "uibase/Document.h"

CPaneCoordinator::CPaneCoordinator(CPropertiesWnd* channel, CTransponderWnd* transponder, CSatelliteWnd* satellite,
                                   QObject* parent)
    : QObject(parent), m_pChannel(channel), m_pTransponder(transponder), m_pSatellite(satellite)
{
    setObjectName(QStringLiteral("paneCoordinator"));
    connect(m_pChannel, &CPropertiesWnd::ServiceEdited, this, &CPaneCoordinator::OnServiceEdited);
    connect(m_pTransponder, &CTransponderWnd::TransponderEdited, this, &CPaneCoordinator::OnTransponderEdited);
    connect(m_pSatellite, &CSatelliteWnd::SatelliteEdited, this, &CPaneCoordinator::OnSatelliteEdited);
}

void CPaneCoordinator::SetDocument(CDocument* document)
{
    if (document == m_pDocument)
        return;
    // Nothing of the other document may stay on show.
    ClearPanes();
    if (!document)
        return;
    m_pDocument = document;
    for (CPropertyPane* pane :
         {static_cast<CPropertyPane*>(m_pChannel), static_cast<CPropertyPane*>(m_pTransponder),
          static_cast<CPropertyPane*>(m_pSatellite)})
        pane->SetDocument(document);
    m_documentLinks = {
        connect(document, &QObject::destroyed, this, [this] { ClearPanes(); }),
        connect(document, &CDocument::ViewsUpdate, this,
                [this](QObject*, int hint, void*) { OnViewsUpdate(hint); }),
        connect(document, &CDocument::ChangeReverted, this, &CPaneCoordinator::OnChangeReverted),
        connect(document->UndoStack(), &QUndoStack::indexChanged, this, &CPaneCoordinator::OnUndoStepDone)};
}

void CPaneCoordinator::ClearPanes()
{
    m_pChannel->ClearPane();
    m_pTransponder->ClearPane();
    m_pSatellite->ClearPane();
    for (CPropertyPane* pane :
         {static_cast<CPropertyPane*>(m_pChannel), static_cast<CPropertyPane*>(m_pTransponder),
          static_cast<CPropertyPane*>(m_pSatellite)})
        pane->SetDocument(nullptr);
    for (const QMetaObject::Connection& link : m_documentLinks)
        disconnect(link);
    m_documentLinks.clear();
    m_pDocument = nullptr;
    m_bReverted = false;
}

void CPaneCoordinator::ShowCurrentRecords()
{
    if (!m_pDocument)
        return;
    CVandrelEdit2028Doc& core = m_pDocument->Core();
    m_pChannel->SetService(core.m_pCurrentService);
    m_pChannel->RefreshFromService();
    m_pTransponder->ShowTransponder(core.m_pCurrentTransponder);
    m_pSatellite->ShowSatellite(core.m_pCurrentSatellite);
}

void CPaneCoordinator::OnViewsUpdate(int hint)
{
    // The list refills after group names or order changed; an undo's refill
    // waits for the step to end (its records may be gone until then).
    if (hint == kHintRefillList && !m_bReverted)
        m_pChannel->RefreshFromService();
}

void CPaneCoordinator::OnChangeReverted()
{
    // An undo or redo: the panes show the records afresh once the step has
    // run completely.
    m_pChannel->ForgetShown();
    m_pTransponder->ForgetShown();
    m_pSatellite->ForgetShown();
    m_bReverted = true;
}

void CPaneCoordinator::OnUndoStepDone()
{
    if (!m_bReverted)
        return;
    m_bReverted = false;
    ShowCurrentRecords();
}

void CPaneCoordinator::OnServiceEdited(CServiceData* service)
{
    if (!m_pDocument)
        return;
    m_pDocument->UpdateAllViews(this, kHintServiceEdited, service);
    // A channel put on another transponder brings its transponder and
    // satellite into the other panes.
    CVandrelEdit2028Doc& core = m_pDocument->Core();
    if (core.m_pCurrentService == service || m_pChannel->Service() == service) {
        core.m_pCurrentTransponder = core.TransponderOf(service);
        core.m_pCurrentSatellite = core.SatelliteOf(core.m_pCurrentTransponder);
        m_pTransponder->ShowTransponder(core.m_pCurrentTransponder);
        m_pSatellite->ShowSatellite(core.m_pCurrentSatellite);
    }
}

void CPaneCoordinator::OnTransponderEdited(CTransponderData* transponder)
{
    if (!m_pDocument)
        return;
    // Every window of the document shows the new label and order.
    m_pDocument->UpdateAllViews(this, kHintTransponderEdited, transponder);
    m_pChannel->RefreshFromService();
}

void CPaneCoordinator::OnSatelliteEdited(CSatelliteData* satellite)
{
    if (!m_pDocument)
        return;
    m_pDocument->UpdateAllViews(this, kHintSatelliteEdited, satellite);
    m_pTransponder->ForgetShown();
    m_pTransponder->ShowTransponder(m_pTransponder->Transponder());
}
