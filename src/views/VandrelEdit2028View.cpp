#include "VandrelEdit2028View.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ChannelIconView.h"
#include "ChannelListModel.h"
#include "SelectionRows.h"
#include "SortListCtrl.h"
#include "WaitCursor.h"
#include "dialogs/VerschiebenAufPosDlg.h"
#include "document/ChannelEdits.h"
#include "document/UpdateHints.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/AddressIndex.h"
#include "model/FavoritenData.h"
#include "model/ServiceData.h"
#include "uibase/AccessLetters.h"
#include "uibase/AppSettings.h"
#include "uibase/CommandIds.h"
#include "uibase/Document.h"
#include "uibase/NewChannelMarks.h"
#include "uibase/QtConversions.h"
#include "uibase/ViewMessages.h"

CVandrelEdit2028View::CVandrelEdit2028View(CDocument& document, AppSettings& settings, ISettingsStore& store,
                                           IUserPrompts& prompts, QWidget* parent)
    : QWidget(parent), m_document(document), m_settings(settings), m_prompts(prompts),
      m_bFavSeqNum(settings.m_nFavSeqNum != 0), m_bAutoNumbering(settings.m_nAutoNummerierung != 0)
{
    setObjectName(QStringLiteral("channelView"));
    setAccessibleName(Text(viewmsg::kChannelViewName));
    m_pModel = new CChannelListModel(document.Core(), this);
    m_pList = new CSortListCtrl(*m_pModel, store, this);
    m_pIcons = new CChannelIconView(*m_pModel, this);
    // One selection for every display mode, so switching keeps it.
    m_pIcons->setSelectionModel(m_pList->selectionModel());

    m_pStack = new QStackedWidget(this);
    m_pStack->addWidget(m_pList);
    m_pStack->addWidget(m_pIcons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pStack);

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_pList), static_cast<QAbstractItemView*>(m_pIcons)}) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::clicked, this, [this] { ShowServiceInPanes(false); });
        connect(view, &QAbstractItemView::doubleClicked, this, [this] { ShowServiceInPanes(true); });
    }
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CVandrelEdit2028View::SelectionChanged);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CVandrelEdit2028View::FollowCurrentRow);
    connect(m_pList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CVandrelEdit2028View::FollowCurrentRow);
    connect(m_pList, &CSortListCtrl::RowsMoved, this, &CVandrelEdit2028View::OnRowsMoved);
    connect(m_pIcons, &CChannelIconView::RowsMoved, this, &CVandrelEdit2028View::OnRowsMoved);
    const auto refused = [this] { emit DropRefused(Text(viewmsg::kDropOnSelected)); };
    connect(m_pList, &CSortListCtrl::DropFailed, this, refused);
    connect(m_pIcons, &CChannelIconView::DropFailed, this, refused);
    // After an undo or redo the refill selects the channels the step
    // touched; when the list shows none of them, those that were selected.
    connect(&m_document, &CDocument::ChangeReverted, this, [this](const std::vector<CServiceData*>& changed) {
        m_changedAfterRevert = changed;
        m_selectedBeforeRevert = SelectedServices();
        m_bRevertPending = true;
    });
    CNewChannelMarks& marks = CNewChannelMarks::Of(document);
    m_pModel->SetNewTest([&marks](const CServiceData* s) { return marks.Contains(s); });
    m_pList->setIconSize(QSize(12, 12));
    connect(&marks, &CNewChannelMarks::Changed, this, [this, &marks] {
        m_pModel->RefreshColumns(kColNumber, kColNumber);
        // The mark stands beside the number: the column makes room for both.
        const int needed =
            m_pList->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + m_pList->iconSize().width() + 12;
        if (!marks.IsEmpty() && m_pList->columnWidth(kColNumber) < needed)
            m_pList->setColumnWidth(kColNumber, needed);
    });

    ApplyColors();
    m_pList->RestoreColumnOrder();
    SetDisplayMode(kDetails);
}

CVandrelEdit2028View::~CVandrelEdit2028View()
{
    // The list's copy of the preference goes back when the view closes.
    m_settings.m_nFavSeqNum = m_bFavSeqNum ? 1 : 0;
}

QAbstractItemView* CVandrelEdit2028View::ActiveItemView() const
{
    if (m_displayMode == kDetails)
        return m_pList;
    return m_pIcons;
}

// ---- filling -----------------------------------------------------------------------------------

void CVandrelEdit2028View::Fill(int mode, std::vector<ChannelRow> rows)
{
    const CWaitCursor wait;
    m_nListMode = mode;
    m_pModel->SetRows(std::move(rows));
    UpdateStatusText();
    m_pList->ReapplySort();
    if (m_bRevertPending) {
        m_bRevertPending = false;
        SelectServices(m_changedAfterRevert);
        if (GetSelectedCount() == 0)
            SelectServices(m_selectedBeforeRevert);
        m_changedAfterRevert.clear();
        m_selectedBeforeRevert.clear();
        // The step cleared the current channel; the selection names it again.
        if (GetSelectedCount() > 0) {
            ShowServiceInPanes(false);
            EnsureSelectionVisible();
        }
    }
    // A refill drops the selection without a signal: the panes show nothing
    // rather than a channel the list no longer holds (television and radio).
    CVandrelEdit2028Doc& doc = m_document.Core();
    if (GetSelectedCount() > 0)
        FollowCurrentRow();
    else if (doc.m_pCurrentService && m_pModel->FindRowOfService(doc.m_pCurrentService) < 0)
        ShowServiceInPanes(false);
}

void CVandrelEdit2028View::FillAllChannels(int kind)
{
    m_nKind = kind;
    Fill(kModeAll, SelectAllChannels(m_document.Core(), kind != 0));
}

void CVandrelEdit2028View::FillSatellite(int satelliteIndex, int kind)
{
    m_nKind = kind;
    m_nShownSatellite = satelliteIndex;
    Fill(kModeSatellite, SelectSatelliteChannels(m_document.Core(), satelliteIndex, kind != 0));
}

void CVandrelEdit2028View::FillTransponder(const CTransponderData* transponder, int kind)
{
    m_nKind = kind;
    m_pShownTransponder = transponder;
    Fill(kModeTransponder, SelectTransponderChannels(m_document.Core(), transponder, kind != 0));
}

void CVandrelEdit2028View::FillFavouriteGroup(int groupIndex, int kind)
{
    m_nKind = kind;
    m_nShownGroup = groupIndex;
    Fill(kModeFavourite, SelectFavouriteChannels(m_document.Core(), groupIndex, kind != 0, m_bFavSeqNum));
}

void CVandrelEdit2028View::Refill()
{
    switch (m_nListMode) {
    case kModeSatellite:
        FillSatellite(m_nShownSatellite, m_nKind);
        break;
    case kModeTransponder:
        FillTransponder(m_pShownTransponder, m_nKind);
        break;
    case kModeFavourite:
        FillFavouriteGroup(m_nShownGroup, m_nKind);
        ShowNumbers(false);
        break;
    default:
        FillAllChannels(m_nKind);
        break;
    }
}

// ---- rows and numbers --------------------------------------------------------------------------

void CVandrelEdit2028View::RefreshChannelRow(CServiceData* service)
{
    const int row = FindRowOfService(service);
    if (row >= 0) {
        m_pModel->SetNumber(row, service->m_nListPos);
        m_pModel->RefreshRow(row);
    }
    m_document.UpdateAllViews(this, kHintCurrentService, service);
}

void CVandrelEdit2028View::RefreshTransponderColumns()
{
    m_pModel->RefreshColumns(kColSatellite, kColSymbolRate);
}

bool CVandrelEdit2028View::RenumberIfDue(bool renumber)
{
    if (!(m_bAutoNumbering || renumber))
        return false;
    m_document.Core().m_services.NumberListPositions();
    return true;
}

void CVandrelEdit2028View::ShowNumbers(bool renumbered)
{
    const int rows = m_pModel->rowCount();
    if (m_nListMode == kModeFavourite) {
        for (int i = 0; i < rows; ++i)
            m_pModel->SetNumber(i, m_bFavSeqNum ? i + 1 : m_pModel->ServiceAt(i)->m_nListPos);
    } else if (renumbered) {
        for (int i = 0; i < rows; ++i)
            m_pModel->SetNumber(i, m_pModel->ServiceAt(i)->m_nListPos);
    }
}

void CVandrelEdit2028View::RefreshNumbers(bool renumber)
{
    ShowNumbers(RenumberIfDue(renumber));
}

void CVandrelEdit2028View::UpdateStatusText()
{
    const int n = m_pModel->rowCount();
    emit StatusTextChanged(
        QStringLiteral(" %1 %2").arg(n).arg(Text(n == 1 ? viewmsg::kChannel : viewmsg::kChannels)));
}

int CVandrelEdit2028View::FindRowOfService(const CServiceData* service) const
{
    return m_pModel->FindRowOfService(service);
}

std::vector<int> CVandrelEdit2028View::SelectedRows() const
{
    return m_pList->SelectedRows();
}

int CVandrelEdit2028View::GetSelectedCount() const
{
    return static_cast<int>(SelectedRows().size());
}

std::vector<CServiceData*> CVandrelEdit2028View::ServicesOf(const std::vector<int>& rows) const
{
    std::vector<CServiceData*> services;
    services.reserve(rows.size());
    for (int row : rows)
        services.push_back(m_pModel->ServiceAt(row));
    return services;
}

std::vector<CServiceData*> CVandrelEdit2028View::SelectedServices() const
{
    return ServicesOf(SelectedRows());
}

void CVandrelEdit2028View::SelectRows(const std::vector<int>& rows, int current)
{
    QItemSelectionModel* selection = m_pList->selectionModel();
    selection->select(RowRanges(*m_pModel, rows), QItemSelectionModel::ClearAndSelect);
    if (current >= 0 && current < m_pModel->rowCount())
        selection->setCurrentIndex(m_pModel->index(current, 0), QItemSelectionModel::NoUpdate);
}

void CVandrelEdit2028View::SelectOnly(int row)
{
    const int rows = m_pModel->rowCount();
    if (rows == 0) {
        m_pList->selectionModel()->clearSelection();
        return;
    }
    row = std::clamp(row, 0, rows - 1);
    SelectRows({row}, row);
    ActiveItemView()->scrollTo(m_pModel->index(row, 0));
    ActiveItemView()->setFocus();
}

void CVandrelEdit2028View::SelectServices(const std::vector<CServiceData*>& services)
{
    std::vector<int> rows;
    if (!services.empty()) {
        // One pass over the rows against a table of the wanted ones, so
        // thousands of channels stay quick; the rows come out in order.
        CAddressIndex<char> wanted(services.size());
        for (const CServiceData* service : services)
            wanted.Insert(service, 1);
        for (int r = 0; r < m_pModel->rowCount(); ++r)
            if (wanted.Contains(m_pModel->ServiceAt(r)))
                rows.push_back(r);
    }
    SelectRows(rows, rows.empty() ? -1 : rows.front());
}

void CVandrelEdit2028View::RemoveRows(const std::vector<int>& rows)
{
    // One rebuild instead of a removal per row keeps large deletions linear.
    std::vector<char> removed(m_pModel->Rows().size(), 0);
    for (int r : rows)
        removed[static_cast<size_t>(r)] = 1;
    std::vector<ChannelRow> kept;
    kept.reserve(m_pModel->Rows().size() - rows.size());
    for (size_t i = 0; i < removed.size(); ++i)
        if (!removed[i])
            kept.push_back(m_pModel->Rows()[i]);
    m_pModel->SetRows(std::move(kept));
}

void CVandrelEdit2028View::EnsureSelectionVisible()
{
    m_pList->EnsureSelectionVisible();
    if (m_displayMode != kDetails) {
        const std::vector<int> rows = SelectedRows();
        if (!rows.empty())
            m_pIcons->scrollTo(m_pModel->index(rows.front(), 0), QAbstractItemView::PositionAtCenter);
    }
}

CServiceData* CVandrelEdit2028View::ServiceForPanes() const
{
    const QModelIndex current = m_pList->selectionModel()->currentIndex();
    if (current.isValid() && m_pList->selectionModel()->isSelected(current))
        return m_pModel->ServiceAt(current.row());
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? nullptr : m_pModel->ServiceAt(rows.front());
}

void CVandrelEdit2028View::FollowCurrentRow()
{
    if (ServiceForPanes() != m_document.Core().m_pCurrentService)
        ShowServiceInPanes(false);
}

void CVandrelEdit2028View::ShowServiceInPanes(bool bringToFront)
{
    CVandrelEdit2028Doc& doc = m_document.Core();
    CServiceData* service = ServiceForPanes();
    if (!service) {
        doc.m_pCurrentService = nullptr;
        emit ServiceShown(bringToFront);
        return;
    }
    doc.m_pCurrentService = service;
    doc.m_pCurrentTransponder = doc.TransponderOf(service);
    doc.m_pCurrentSatellite = doc.m_pCurrentTransponder ? doc.SatelliteOf(doc.m_pCurrentTransponder) : nullptr;
    emit ServiceShown(bringToFront);
    m_document.UpdateAllViews(this, kHintCurrentService, service);
}

void CVandrelEdit2028View::SetMarkedGroup(int groupIndex)
{
    m_pModel->SetMarkedGroup(groupIndex);
    ActiveItemView()->viewport()->update();
}

int CVandrelEdit2028View::MarkedGroup() const
{
    return m_pModel->MarkedGroup();
}

void CVandrelEdit2028View::ApplyColors()
{
    // The views take their palettes from the model's colours.
    m_pModel->SetColors(ToQColor(m_settings.m_clrChannelText), ToQColor(m_settings.m_clrChannelBack),
                        ToQColor(m_settings.m_clrFavoritenText), ToQColor(m_settings.m_clrFavoritenBack));
}

// ---- display modes -----------------------------------------------------------------------------

void CVandrelEdit2028View::SetDisplayMode(DisplayMode mode)
{
    m_displayMode = mode;
    switch (mode) {
    case kDetails:
        m_pModel->SetListDisplay(false);
        m_pStack->setCurrentWidget(m_pList);
        return;
    case kList:
        m_pIcons->SetDisplayMode(CChannelIconView::DisplayMode::List);
        break;
    case kSmallIcons:
        m_pIcons->SetDisplayMode(CChannelIconView::DisplayMode::SmallIcons);
        break;
    case kLargeIcons:
        m_pIcons->SetDisplayMode(CChannelIconView::DisplayMode::LargeIcons);
        break;
    }
    m_pStack->setCurrentWidget(m_pIcons);
    if (mode == kList)
        SetListColumnWidth(m_settings.m_nListWidth);
}

void CVandrelEdit2028View::SetListColumnWidth(int width)
{
    if (m_displayMode != kList)
        return;
    const int height = m_pIcons->fontMetrics().height() + 4;
    // The list's width slider runs from 50 to 250 percent of the name column.
    m_pIcons->setGridSize(QSize(std::max(40, 140 * width / 100), height));
}

// ---- commands ----------------------------------------------------------------------------------

bool CVandrelEdit2028View::UpdateCommand(int id, CommandState& state)
{
    const bool hasRows = m_pModel->rowCount() > 0;
    const bool hasSelection = GetSelectedCount() > 0;
    switch (id) {
    case cmd::kDelete:
    case cmd::kLock:
    case cmd::kUnlock:
    case cmd::kSkip:
    case cmd::kNoSkip:
    case cmd::kNoFavourite:
    case cmd::kMoveToPosition:
    case cmd::kProperties:
        state.enabled = hasSelection;
        return true;
    case cmd::kSelectScrambled:
    case cmd::kSelectLocked:
    case cmd::kSelectSkipped:
    case cmd::kSelectHD:
    case cmd::kSortByName:
    case cmd::kSortByPosition:
        state.enabled = hasRows;
        return true;
    case cmd::kSelectNew:
        state.enabled = hasRows && !CNewChannelMarks::Of(m_document).IsEmpty();
        return true;
    case cmd::kNewChannel:
        state.enabled = true;
        return true;
    case cmd::kEditCopy:
        state.enabled = hasRows && hasSelection;
        return true;
    case cmd::kEditCut:
        state.enabled = hasRows && hasSelection && m_nListMode != kModeFavourite;
        return true;
    case cmd::kEditPaste:
        state.enabled = m_nListMode != kModeFavourite && ClipboardHasChannels();
        return true;
    default:
        break;
    }
    if (id >= cmd::kFavourite1 && id <= cmd::kFavourite1 + 7) {
        state.enabled = hasSelection;
        const std::vector<CServiceData*> selected = SelectedServices();
        state.checked = selected.size() == 1 && selected[0]->GetFavouriteGroup() == id - cmd::kNoFavourite;
        return true;
    }
    return false;
}

bool CVandrelEdit2028View::OnCommand(int id)
{
    switch (id) {
    case cmd::kDelete:
        DeleteSelected();
        return true;
    case cmd::kLock:
    case cmd::kUnlock:
        SetFlag(true, id == cmd::kLock);
        return true;
    case cmd::kSkip:
    case cmd::kNoSkip:
        SetFlag(false, id == cmd::kSkip);
        return true;
    case cmd::kSelectScrambled:
        SelectWhere(static_cast<int>(ServiceTest::Scrambled));
        return true;
    case cmd::kSelectLocked:
        SelectWhere(static_cast<int>(ServiceTest::Locked));
        return true;
    case cmd::kSelectSkipped:
        SelectWhere(static_cast<int>(ServiceTest::Skipped));
        return true;
    case cmd::kSelectHD:
        SelectWhere(static_cast<int>(ServiceTest::HD));
        return true;
    case cmd::kSelectNew:
        SelectNew();
        return true;
    case cmd::kNoFavourite:
        ClearFavourite();
        return true;
    case cmd::kMoveToPosition:
        MoveToPosition();
        return true;
    case cmd::kSortByName:
        m_pList->SortByColumn(kColName, true, true);
        EnsureSelectionVisible();
        return true;
    case cmd::kSortByPosition:
        m_pList->SortByColumn(m_displayMode == kList ? kColName : kColNumber, false, true);
        EnsureSelectionVisible();
        return true;
    case cmd::kProperties:
        ShowServiceInPanes(true);
        return true;
    case cmd::kNewChannel:
        NewChannel();
        return true;
    case cmd::kEditCopy:
        CopySelection();
        return true;
    case cmd::kEditCut:
        CutSelection();
        return true;
    case cmd::kEditPaste:
        PasteChannels();
        return true;
    default:
        break;
    }
    if (id >= cmd::kFavourite1 && id <= cmd::kFavourite1 + 7) {
        AssignFavourite(id - cmd::kNoFavourite, true);
        return true;
    }
    return false;
}

void CVandrelEdit2028View::DeleteSelected()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const std::vector<CServiceData*> selected = ServicesOf(rows);
    const bool favourites = m_nListMode == kModeFavourite;
    bool renumbered = false;
    {
        const CWaitCursor wait;
        m_document.RunChange(Text(favourites ? viewmsg::kUndoClearFavourite : viewmsg::kUndoDelete), [&] {
            if (favourites)
                ::ClearFavourite(selected);
            else
                DeleteChannels(m_document.Core(), selected);
            renumbered = RenumberIfDue(false);
        });
        RemoveRows(rows);
        ShowNumbers(renumbered);
    }
    // The row that took the place of the last removed one.
    SelectOnly(rows.back() - static_cast<int>(rows.size()) + 1);
    ShowServiceInPanes(false);
    UpdateStatusText();
    if (!favourites)
        emit ChannelTableChanged();
}

void CVandrelEdit2028View::SetFlag(bool lock, bool value)
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const std::vector<CServiceData*> selected = ServicesOf(rows);
    const char* text = lock ? (value ? viewmsg::kUndoLock : viewmsg::kUndoUnlock)
                            : (value ? viewmsg::kUndoSkip : viewmsg::kUndoNoSkip);
    m_document.RunChange(Text(text), [&] {
        if (lock)
            ::SetLockFlag(selected, value);
        else
            ::SetSkipFlag(selected, value);
    });
    const int column = lock ? kColLocked : kColSkip;
    m_pModel->RefreshColumns(column, column);
    // Each row is deselected as it is visited; the last visited one stays.
    SelectOnly(rows.back());
    ShowServiceInPanes(false);
}

void CVandrelEdit2028View::SelectWhere(int test)
{
    std::vector<int> rows;
    for (int i = 0; i < m_pModel->rowCount(); ++i)
        if (PassesTest(*m_pModel->ServiceAt(i), static_cast<ServiceTest>(test)))
            rows.push_back(i);
    SelectRows(rows, rows.empty() ? -1 : rows.front());
    ActiveItemView()->setFocus();
}

void CVandrelEdit2028View::SelectNew()
{
    std::vector<int> rows;
    for (int i = 0; i < m_pModel->rowCount(); ++i)
        if (m_pModel->IsNewRow(i))
            rows.push_back(i);
    SelectRows(rows, rows.empty() ? -1 : rows.front());
    EnsureSelectionVisible();
    ActiveItemView()->setFocus();
}

void CVandrelEdit2028View::AssignFavourite(int group, bool toggle)
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const std::vector<CServiceData*> selected = ServicesOf(rows);
    bool left = false;
    m_document.RunChange(Text(viewmsg::kUndoFavourite),
                         [&] { left = ::AssignFavourite(selected, group, toggle); });
    if (left && m_nListMode == kModeFavourite) {
        RemoveRows(rows);
        UpdateStatusText();
    } else {
        m_pModel->RefreshColumns(0, m_pModel->columnCount() - 1);
    }
    m_pList->selectionModel()->clearSelection();
    if (m_settings.m_nFavHoldSelection) {
        SelectServices(selected);
        if (GetSelectedCount() > 0)
            m_document.UpdateAllViews(this, kHintCurrentService, m_pModel->ServiceAt(SelectedRows().front()));
    }
    emit ServiceShown(false);
}

void CVandrelEdit2028View::ClearFavourite()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    const std::vector<CServiceData*> selected = ServicesOf(rows);
    m_document.RunChange(Text(viewmsg::kUndoClearFavourite), [&] { ::ClearFavourite(selected); });
    if (m_nListMode == kModeFavourite) {
        RemoveRows(rows);
        SelectOnly(rows.back() - static_cast<int>(rows.size()) + 1);
        UpdateStatusText();
    } else {
        m_pModel->RefreshColumns(0, m_pModel->columnCount() - 1);
        SelectRows(rows, rows.front());
    }
    ShowServiceInPanes(false);
}

void CVandrelEdit2028View::MoveToPosition()
{
    if (SelectedRows().empty())
        return;
    const CServiceDataArray& services = m_document.Core().m_services;
    const int upper = static_cast<int>(IsTelevision() ? services.GetTvCount() : services.GetRadioCount());
    CVerschiebenAufPosDlg dialog(m_prompts, upper, this);
    if (dialog.exec() == QDialog::Accepted)
        MoveSelectedToPosition(dialog.Position());
    activateWindow();
    ActiveItemView()->setFocus();
}

void CVandrelEdit2028View::MoveSelectedToPosition(int position)
{
    const std::vector<CServiceData*> selected = SelectedServices();
    if (selected.empty())
        return;
    const CWaitCursor wait;
    m_document.RunChange(
        Text(viewmsg::kUndoMove),
        [&] {
            ::MoveToPosition(m_document.Core().m_services, selected, position, IsTelevision());
            RenumberIfDue(true);
        },
        selected);
    // The rows keep their places; only their numbers change.
    ShowNumbers(true);
}

void CVandrelEdit2028View::OnRowsMoved(CServiceData* target, const std::vector<CServiceData*>& dragged, bool below)
{
    bool renumbered = false;
    m_document.RunChange(
        Text(viewmsg::kUndoDrag),
        [&] {
            ApplyDrop(m_document.Core().m_services, target, dragged, below);
            renumbered = RenumberIfDue(false);
        },
        dragged);
    ShowNumbers(renumbered);
    ShowServiceInPanes(false);
}

void CVandrelEdit2028View::ShowSearchHit(CServiceData* service)
{
    m_pList->selectionModel()->clearSelection();
    const int row = FindRowOfService(service);
    if (row < 0)
        return;
    SelectRows({row}, row);
    EnsureSelectionVisible();
    ActiveItemView()->setFocus();
    ShowServiceInPanes(false);
}

void CVandrelEdit2028View::OnRowsDroppedOnGroup(int groupIndex)
{
    AssignFavourite(groupIndex + 1, false);
}

// ---- context menu and keys ---------------------------------------------------------------------

QMenu* CVandrelEdit2028View::CreateServiceMenu(QWidget* parent)
{
    auto* menu = new QMenu(Text(viewmsg::kServiceMenu), parent);
    menu->setObjectName(QStringLiteral("serviceMenu"));
    menu->setAccessibleName(Text(viewmsg::kServiceMenu));
    const auto add = [this](QMenu* into, const QString& text, int id) {
        QAction* a = into->addAction(text);
        a->setObjectName(QStringLiteral("listCmd_%1").arg(id));
        CommandState state;
        if (!UpdateCommand(id, state) && m_pFallback)
            m_pFallback->UpdateCommand(id, state);
        a->setEnabled(state.enabled);
        if (state.checked) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        connect(a, &QAction::triggered, this, [this, id] {
            if (!OnCommand(id) && m_pFallback)
                m_pFallback->OnCommand(id);
        });
        return a;
    };

    QMenu* favourites = menu->addMenu(Text(viewmsg::kFavouriteSubmenu));
    favourites->setObjectName(QStringLiteral("favouriteMenu"));
    add(favourites, Text(viewmsg::kNoFavouriteEntry), cmd::kNoFavourite);
    favourites->addSeparator();
    const auto groups = m_document.Core().m_configuration.GroupOrder();
    for (int g = 0; g < 8; ++g) {
        QString name = g < static_cast<int>(groups.size())
                           ? QString::fromUtf8(groups[static_cast<size_t>(g)]->GetName())
                           : QString();
        if (name.isEmpty())
            name = QStringLiteral(" ");
        // An ampersand in a group name is shown, not taken as an access key.
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        add(favourites, name, cmd::kFavourite1 + g);
    }
    menu->addSeparator();
    add(menu, Text(m_nListMode == kModeFavourite ? viewmsg::kDeleteFavouriteEntry : viewmsg::kDeleteEntry),
        cmd::kDelete);
    menu->addSeparator();
    add(menu, Text(viewmsg::kCutEntry), cmd::kEditCut);
    add(menu, Text(viewmsg::kCopyEntry), cmd::kEditCopy);
    add(menu, Text(viewmsg::kPasteEntry), cmd::kEditPaste);
    add(menu, Text(IsTelevision() ? viewmsg::kNewTvChannel : viewmsg::kNewRadioChannel), cmd::kNewChannel);
    menu->addSeparator();
    QMenu* select = menu->addMenu(Text(viewmsg::kSelectSubmenu));
    select->setObjectName(QStringLiteral("selectMenu"));
    add(select, Text(viewmsg::kSelectAll), cmd::kEditSelectAll);
    add(select, Text(viewmsg::kSelectScrambled), cmd::kSelectScrambled);
    add(select, Text(viewmsg::kSelectLocked), cmd::kSelectLocked);
    add(select, Text(viewmsg::kSelectSkipped), cmd::kSelectSkipped);
    add(select, Text(viewmsg::kSelectHD), cmd::kSelectHD);
    add(select, Text(viewmsg::kSelectNew), cmd::kSelectNew);
    QMenu* lock = menu->addMenu(Text(viewmsg::kLockSubmenu));
    lock->setObjectName(QStringLiteral("lockMenu"));
    add(lock, Text(viewmsg::kLockEntry), cmd::kLock);
    add(lock, Text(viewmsg::kUnlockEntry), cmd::kUnlock);
    QMenu* skip = menu->addMenu(Text(viewmsg::kSkipSubmenu));
    skip->setObjectName(QStringLiteral("skipMenu"));
    add(skip, Text(viewmsg::kSkipEntry), cmd::kSkip);
    add(skip, Text(viewmsg::kNoSkipEntry), cmd::kNoSkip);
    menu->addSeparator();
    add(menu, Text(viewmsg::kMoveEntry), cmd::kMoveToPosition);
    menu->addSeparator();
    QMenu* sort = menu->addMenu(Text(viewmsg::kSortSubmenu));
    sort->setObjectName(QStringLiteral("sortMenu"));
    add(sort, Text(viewmsg::kSortByNameEntry), cmd::kSortByName);
    add(sort, Text(viewmsg::kSortByPositionEntry), cmd::kSortByPosition);
    add(menu, Text(viewmsg::kSearchEntry), cmd::kChannelSearchFromList);
    menu->addSeparator();
    add(menu, Text(viewmsg::kPropertiesEntry), cmd::kProperties);
    AssignAccessLetters(menu);
    return menu;
}

void CVandrelEdit2028View::ShowContextMenu(const QPoint& globalPos)
{
    const std::vector<int> rows = SelectedRows();
    if (!rows.empty())
        m_document.UpdateAllViews(this, kHintCurrentService, m_pModel->ServiceAt(rows.front()));
    QMenu* menu = CreateServiceMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

bool CVandrelEdit2028View::eventFilter(QObject* watched, QEvent* event)
{
    const bool ours = watched == m_pList || watched == m_pIcons;
    if (ours && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            DeleteSelected();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & ~Qt::KeypadModifier)) {
            ShowServiceInPanes(true);
            return true;
        }
    }
    if ((ours || watched == m_pList->viewport() || watched == m_pIcons->viewport()) &&
        event->type() == QEvent::ContextMenu) {
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        QPoint global = menuEvent->globalPos();
        if (menuEvent->reason() == QContextMenuEvent::Keyboard) {
            // From the keyboard: at the current row, or the top of the list.
            QAbstractItemView* view = ActiveItemView();
            const QRect rect = view->visualRect(view->currentIndex());
            global = view->viewport()->mapToGlobal(rect.isValid() ? rect.center() : QPoint(8, 8));
        }
        ShowContextMenu(global);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
