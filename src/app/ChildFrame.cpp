#include "ChildFrame.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include <QApplication>
#include <QListView>
#include <QMetaMethod>
#include <QSplitter>
#include <QUndoStack>

#include "dialogs/ExchangeCommands.h"
#include "dialogs/PrintCommands.h"
#include "dialogs/ReferenceCommands.h"
#include "document/UpdateHints.h"
#include "document/VandrelEdit2028Doc.h"
#include "uibase/AppMessages.h"
#include "uibase/AppSettings.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "views/LeftView.h"
#include "views/VandrelEdit2028View.h"

CChildFrame::CChildFrame(CDocument* document, const FrameServices& services, QWidget* parent)
    : QWidget(parent), m_pDocument(document), m_services(services),
      m_strChannelCount(QString::fromUtf8(appmsg::kChannelCountInitial))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    CreateViews(layout);
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::CreateViews(QVBoxLayout* layout)
{
    AppSettings& settings = *m_services.settings;
    m_bAutoNumbering = settings.m_nAutoNummerierung != 0;
    m_bOnlyActive = settings.m_nSatelliteOnlyActive != 0;

    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setObjectName(QStringLiteral("documentSplitter"));
    m_pSplitter->setChildrenCollapsible(false);
    m_pTree = new CLeftView(*m_pDocument, settings, m_pSplitter);
    m_pTree->setMinimumSize(100, 100);
    m_pTree->SetOnlyActive(m_bOnlyActive);
    m_pList =
        new CVandrelEdit2028View(*m_pDocument, settings, *m_services.store, *m_services.prompts, m_pSplitter);
    m_pList->setMinimumSize(100, 100);
    m_pList->SetAutoNumbering(m_bAutoNumbering);
    m_pSplitter->addWidget(m_pTree);
    m_pSplitter->addWidget(m_pList);
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->setSizes({270, 100});
    layout->addWidget(m_pSplitter);
    m_pTree->SetCommandFallback(&m_route);
    m_pList->SetCommandFallback(&m_route);
    ConnectViews();

    // The first update: the tree without a selection, all television channels.
    m_pTree->BuildTree();
    m_pList->FillAllChannels(CurrentKind());
}

bool CChildFrame::CRoute::UpdateCommand(int id, CommandState& state)
{
    ICommandTarget* outer = m_frame.m_services.outerCommands;
    return m_frame.UpdateCommand(id, state) || (outer && outer->UpdateCommand(id, state));
}

bool CChildFrame::CRoute::OnCommand(int id)
{
    // The main frame's route, so the command bar shows what the menu changed.
    if (m_frame.isSignalConnected(QMetaMethod::fromSignal(&CChildFrame::CommandRequested))) {
        bool handled = false;
        emit m_frame.CommandRequested(id, &m_frame, handled);
        return handled;
    }
    return m_frame.OnCommand(id);
}

void CChildFrame::ConnectViews()
{
    CVandrelEdit2028View* list = m_pList;
    connect(m_pTree, &CLeftView::AllChannelsSelected, list, [this] { m_pList->FillAllChannels(CurrentKind()); });
    connect(m_pTree, &CLeftView::SatelliteSelected, list,
            [this](int index) { m_pList->FillSatellite(index, CurrentKind()); });
    connect(m_pTree, &CLeftView::TransponderSelected, list,
            [this](CTransponderData* transponder) { m_pList->FillTransponder(transponder, CurrentKind()); });
    connect(m_pTree, &CLeftView::FavouriteGroupSelected, list, [this](int group) {
        m_pList->SetFavSeqNum(m_services.settings->m_nFavSeqNum != 0);
        m_pList->FillFavouriteGroup(group, CurrentKind());
        m_pList->RefreshNumbers(false);
    });
    connect(m_pTree, &CLeftView::SequentialNumberingChanged, list, [this] {
        m_pList->SetFavSeqNum(m_services.settings->m_nFavSeqNum != 0);
        m_pList->RefreshNumbers(false);
    });
    connect(m_pTree, &CLeftView::MarkedGroupChanged, list, [this](int group) {
        m_pList->SetMarkedGroup(group);
        if (group >= 0)
            m_pList->ActiveItemView()->setFocus();
    });
    connect(m_pTree, &CLeftView::RowsDroppedOnGroup, list, &CVandrelEdit2028View::OnRowsDroppedOnGroup);
    connect(list, &CVandrelEdit2028View::StatusTextChanged, this, &CChildFrame::SetChannelCountText);
    connect(list, &CVandrelEdit2028View::SelectionChanged, this, &CChildFrame::CommandStatesChanged);
    connect(list, &CVandrelEdit2028View::AllChannelsWanted, this, [this] {
        // The tree's root node lists all channels, so tree and list agree.
        m_pTree->setCurrentItem(m_pTree->SatellitesRoot());
        if (m_pList->ListMode() != CVandrelEdit2028View::kModeAll)
            m_pList->FillAllChannels(CurrentKind());
    });
    connect(list, &CVandrelEdit2028View::DropRefused, this, &CChildFrame::AlertWanted);
    // The other windows of the document show the renamed or reordered groups
    // too, and the channel pane its group names.
    connect(m_pTree, &CLeftView::GroupsChanged, this,
            [this] { m_pDocument->UpdateAllViews(this, kHintRefillList); });
    // The panes follow the document's current records; Enter and
    // "Eigenschaften" bring the channel pane to the front.
    connect(list, &CVandrelEdit2028View::ServiceShown, this,
            [this](bool bringToFront) { emit PaneWanted(this, cmd::kPaneProperties, bringToFront); });
    connect(m_pTree, &CLeftView::SatellitePropertiesRequested, this, [this](CSatelliteData*, bool bringToFront) {
        emit PaneWanted(this, cmd::kPaneSatellite, bringToFront);
    });
    connect(m_pTree, &CLeftView::TransponderPropertiesRequested, this,
            [this](CTransponderData*, bool bringToFront) {
                emit PaneWanted(this, cmd::kPaneTransponder, bringToFront);
            });
    // The search lists records: after deletions and restored steps it looks again.
    const auto searchAgain = [this] { emit ChannelsChanged(this); };
    connect(list, &CVandrelEdit2028View::ChannelTableChanged, this, searchAgain);
    // The document's other windows show the channels that came or went too.
    connect(list, &CVandrelEdit2028View::ChannelTableChanged, this,
            [this] { m_pDocument->UpdateAllViews(m_pList, kHintChannelTable); });
    connect(m_pDocument, &CDocument::ChangeReverted, this, searchAgain);
    connect(m_pDocument, &CDocument::ViewsUpdate, this,
            [this](QObject* sender, int hint, void* object) { OnViewsUpdate(sender, hint, object); });
}

void CChildFrame::OnViewsUpdate(QObject* sender, int hint, void* object)
{
    // A pane edited a record: every window of the document shows it.
    switch (hint) {
    case kHintServiceEdited:
        m_pList->RefreshChannelRow(static_cast<CServiceData*>(object));
        return;
    case kHintTransponderEdited:
        m_pTree->RelabelTransponder(static_cast<CTransponderData*>(object));
        m_pList->RefreshTransponderColumns();
        return;
    case kHintSatelliteEdited:
        m_pTree->RelabelSatellite(static_cast<CSatelliteData*>(object));
        m_pList->RefreshTransponderColumns();
        return;
    default:
        break;
    }
    // The tree refills the list from its selected node; with none selected
    // the list shows all channels.
    if (hint == kHintRefillList && !m_pTree->currentItem())
        m_pList->FillAllChannels(CurrentKind());
    if (hint == kHintChannelTable && sender != m_pList) {
        if (m_pTree->currentItem())
            m_pTree->SelectAgain();
        else
            m_pList->FillAllChannels(CurrentKind());
    }
}

void CChildFrame::RunExchange(int id)
{
    IUserPrompts& prompts = *m_services.prompts;
    const ExchangeOutcome outcome = IsReferenceCommand(id)
                                        ? RunReferenceCommand(id, *m_pDocument, prompts, *m_services.documents,
                                                              m_pList->SelectedServices(), this)
                                        : RunExchangeCommand(id, *m_pDocument, prompts, this);
    if (!outcome.reordered)
        return;
    // Every window of the document shows the new order and groups; this one
    // sorts its list by position.
    m_pDocument->UpdateAllViews(this, kHintRefillList);
    m_pList->OnCommand(cmd::kSortByPosition);
    emit PaneWanted(this, 0, false);
    emit ChannelsChanged(this);
    if (!outcome.alert.isEmpty())
        emit AlertWanted(outcome.alert);
}

void CChildFrame::SetTelevisionMode(bool television)
{
    m_bTvMode = television;
    m_pDocument->UpdateAllViews(this, kHintRefillList);
    emit SearchTargetChanged(this);
    m_pTree->setEnabled(true);
}

void CChildFrame::ToggleOnlyActive()
{
    m_bOnlyActive = !m_bOnlyActive;
    m_services.settings->m_nSatelliteOnlyActive = m_bOnlyActive ? 1 : 0;
    CVandrelEdit2028Doc& doc = m_pDocument->Core();
    doc.m_pCurrentService = nullptr;
    doc.m_pCurrentTransponder = nullptr;
    doc.m_pCurrentSatellite = nullptr;
    m_pTree->SetOnlyActive(m_bOnlyActive);
    m_pTree->BuildTree();
    m_pTree->expandItem(m_pTree->SatellitesRoot());
    m_pTree->setCurrentItem(m_pTree->SatellitesRoot());
    m_pList->FillAllChannels(CurrentKind());
    emit PaneWanted(this, 0, false); // all three are empty now
}

void CChildFrame::SetDisplayMode(int commandId)
{
    CVandrelEdit2028View::DisplayMode mode = CVandrelEdit2028View::kDetails;
    switch (commandId) {
    case cmd::kViewSmallIcons:
        mode = CVandrelEdit2028View::kSmallIcons;
        break;
    case cmd::kViewLargeIcons:
        mode = CVandrelEdit2028View::kLargeIcons;
        break;
    case cmd::kViewList:
        mode = CVandrelEdit2028View::kList;
        break;
    default:
        commandId = cmd::kViewDetails;
        break;
    }
    const std::vector<CServiceData*> selected = m_pList->SelectedServices();
    m_nDisplayMode = commandId;
    m_pList->SetDisplayMode(mode);
    m_pDocument->Core().m_services.NumberListPositions();
    m_pDocument->UpdateAllViews(this, kHintRefillList);
    m_pList->SelectServices(selected);
    m_pList->EnsureSelectionVisible();
    SetListMode(mode == CVandrelEdit2028View::kList);
}

void CChildFrame::SetListColumnWidth(int width)
{
    m_nListColumnWidth = width;
    m_pList->SetListColumnWidth(width);
}

ICommandTarget* CChildFrame::FocusedView() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == m_pTree || m_pTree->isAncestorOf(focus)))
        return m_pTree;
    return m_pList;
}

ICommandTarget* CChildFrame::OtherView(const ICommandTarget* view) const
{
    return view == m_pTree ? static_cast<ICommandTarget*>(m_pList) : m_pTree;
}

bool CChildFrame::UpdateCommand(int id, CommandState& state)
{
    if (IsPrintCommand(id) || IsExchangeCommand(id) || IsReferenceCommand(id)) {
        state.enabled = m_pDocument != nullptr;
        return true;
    }
    ICommandTarget* view = FocusedView();
    if (view->UpdateCommand(id, state))
        return true;
    switch (id) {
    case cmd::kTelevision:
        state.enabled = true;
        state.checked = m_bTvMode;
        return true;
    case cmd::kRadio:
        state.enabled = true;
        state.checked = !m_bTvMode;
        return true;
    case cmd::kAutoNum:
        state.enabled = true;
        state.checked = m_bAutoNumbering;
        return true;
    case cmd::kOnlyActiveSatellites:
        state.enabled = true;
        state.checked = m_bOnlyActive;
        return true;
    case cmd::kEditSelectAll:
    case cmd::kRenumber:
    case cmd::kViewStyle:
    case cmd::kViewArrange:
        state.enabled = true;
        return true;
    case cmd::kViewSmallIcons:
    case cmd::kViewLargeIcons:
    case cmd::kViewList:
    case cmd::kViewDetails:
        state.enabled = true;
        state.checked = m_nDisplayMode == id;
        return true;
    default:
        // List commands from the ribbon reach the list while the tree has the focus.
        return OtherView(view)->UpdateCommand(id, state);
    }
}

bool CChildFrame::OnCommand(int id)
{
    if (IsPrintCommand(id))
        return RunPrintCommand(id, *m_pDocument, MakePrintJobInput(m_bTvMode, m_pTree->CurrentNode()),
                               m_services.printer(), this);
    if (IsExchangeCommand(id) || IsReferenceCommand(id)) {
        RunExchange(id);
        return true;
    }
    ICommandTarget* view = FocusedView();
    if (view->OnCommand(id))
        return true;
    switch (id) {
    case cmd::kTelevision:
    case cmd::kRadio:
        SetTelevisionMode(id == cmd::kTelevision);
        return true;
    case cmd::kAutoNum:
        m_bAutoNumbering = !m_bAutoNumbering;
        m_pList->SetAutoNumbering(m_bAutoNumbering);
        emit SearchTargetChanged(this);
        return true;
    case cmd::kOnlyActiveSatellites:
        ToggleOnlyActive();
        return true;
    case cmd::kEditSelectAll:
        m_pList->ActiveItemView()->selectAll();
        return true;
    case cmd::kRenumber:
        m_pList->RefreshNumbers(true);
        return true;
    case cmd::kViewSmallIcons:
    case cmd::kViewLargeIcons:
    case cmd::kViewList:
    case cmd::kViewDetails:
        SetDisplayMode(id);
        return true;
    case cmd::kViewStyle:
        SetDisplayMode(m_bListMode ? cmd::kViewDetails : cmd::kViewList);
        return true;
    case cmd::kViewArrange:
        if (auto* icons = qobject_cast<QListView*>(m_pList->ActiveItemView()))
            icons->doItemsLayout();
        return true;
    default:
        return OtherView(view)->OnCommand(id);
    }
}

void CChildFrame::SetListMode(bool listMode)
{
    if (m_bListMode == listMode)
        return;
    m_bListMode = listMode;
    emit ViewStateChanged(this);
}

void CChildFrame::SetChannelCountText(const QString& text)
{
    m_strChannelCount = text;
    emit ChannelCountChanged(this);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    bool accept = true;
    if (!m_bCloseConfirmed)
        emit CloseRequested(this, accept);
    if (accept)
        event->accept();
    else
        event->ignore();
}
