#include "PaneCoordinator.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "ChildFrame.h"
#include "Document.h"
#include "MainFrame.h"
#include "PropertiesWnd.h"
#include "SatelliteWnd.h"
#include "TransponderWnd.h"
#include "views/LeftView.h"
#include "views/VandrelEdit2028View.h"

CPaneCoordinator::CPaneCoordinator(CMainFrame& frame, CPropertiesWnd* channel, CTransponderWnd* transponder,
                                   CSatelliteWnd* satellite)
    : QObject(&frame), m_frame(frame), m_pChannel(channel), m_pTransponder(transponder), m_pSatellite(satellite)
{
    setObjectName(QStringLiteral("paneCoordinator"));
    connect(m_pChannel, &CPropertiesWnd::ServiceEdited, this, &CPaneCoordinator::OnServiceEdited);
    connect(m_pTransponder, &CTransponderWnd::TransponderEdited, this, &CPaneCoordinator::OnTransponderEdited);
    connect(m_pSatellite, &CSatelliteWnd::SatelliteEdited, this, &CPaneCoordinator::OnSatelliteEdited);
    if (QMdiArea* area = m_frame.MdiArea())
        connect(area, &QMdiArea::subWindowActivated, this, [this] { FollowActiveFrame(); });
}

bool CPaneCoordinator::IsActive(const CChildFrame* frame) const
{
    return frame && frame == m_frame.ActiveChildFrame();
}

void CPaneCoordinator::PointAt(CDocument* document)
{
    if (document == m_pDocument)
        return;
    // Nothing of the other document may stay on show.
    ClearPanes();
    m_pDocument = document;
    for (CPropertyPane* pane : {static_cast<CPropertyPane*>(m_pChannel), static_cast<CPropertyPane*>(m_pTransponder),
                                static_cast<CPropertyPane*>(m_pSatellite)})
        pane->SetDocument(document);
    if (document)
        m_documentGone = connect(document, &QObject::destroyed, this, [this] { ClearPanes(); });
}

void CPaneCoordinator::ClearPanes()
{
    m_pChannel->ClearPane();
    m_pTransponder->ClearPane();
    m_pSatellite->ClearPane();
    for (CPropertyPane* pane : {static_cast<CPropertyPane*>(m_pChannel), static_cast<CPropertyPane*>(m_pTransponder),
                                static_cast<CPropertyPane*>(m_pSatellite)})
        pane->SetDocument(nullptr);
    disconnect(m_documentGone);
    m_pDocument = nullptr;
    m_bReverted = false;
}

void CPaneCoordinator::FollowActiveFrame()
{
    CChildFrame* frame = m_frame.ActiveChildFrame();
    if (!frame || !frame->GetDocument()) {
        ClearPanes();
        return;
    }
    ShowCurrentRecords(frame);
}

void CPaneCoordinator::ShowCurrentRecords(CChildFrame* frame)
{
    if (!IsActive(frame) || !frame->GetDocument())
        return;
    PointAt(frame->GetDocument());
    CVandrelEdit2028Doc& core = m_pDocument->Core();
    m_pChannel->SetService(core.m_pCurrentService);
    m_pChannel->RefreshFromService();
    m_pTransponder->ShowTransponder(core.m_pCurrentTransponder);
    m_pSatellite->ShowSatellite(core.m_pCurrentSatellite);
}

void CPaneCoordinator::RefreshChannelPane(CChildFrame* frame)
{
    if (IsActive(frame) && frame->GetDocument() == m_pDocument && m_pDocument)
        m_pChannel->RefreshFromService();
}

void CPaneCoordinator::OnChangeReverted(CChildFrame* frame)
{
    if (!IsActive(frame) || frame->GetDocument() != m_pDocument || !m_pDocument)
        return;
    m_pChannel->ForgetShown();
    m_pTransponder->ForgetShown();
    m_pSatellite->ForgetShown();
    m_bReverted = true;
}

void CPaneCoordinator::OnUndoStepDone(CChildFrame* frame)
{
    if (!m_bReverted || !IsActive(frame))
        return;
    m_bReverted = false;
    ShowCurrentRecords(frame);
}

void CPaneCoordinator::OnServiceEdited(CServiceData* service)
{
    CChildFrame* frame = m_frame.ActiveChildFrame();
    if (!frame || !m_pDocument || frame->GetDocument() != m_pDocument)
        return;
    frame->ListView()->RefreshChannelRow(service);
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
    for (CChildFrame* frame : m_frame.FramesOf(m_pDocument)) {
        frame->Tree()->RelabelTransponder(transponder);
        frame->ListView()->RefreshTransponderColumns();
    }
    m_pChannel->RefreshFromService();
}

void CPaneCoordinator::OnSatelliteEdited(CSatelliteData* satellite)
{
    if (!m_pDocument)
        return;
    for (CChildFrame* frame : m_frame.FramesOf(m_pDocument)) {
        frame->Tree()->RelabelSatellite(satellite);
        frame->ListView()->RefreshTransponderColumns();
    }
    m_pTransponder->ForgetShown();
    m_pTransponder->ShowTransponder(m_pTransponder->Transponder());
}
