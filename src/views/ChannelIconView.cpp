#include "ChannelIconView.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <algorithm>

#include "AccessibleCells.h"
#include "ChannelListModel.h"
#include "SelectionRows.h"
#include "ListPaint.h"
#include "RowDragController.h"
#include "model/ServiceData.h"

namespace {

// A television or a radio, drawn in the given size.
QIcon KindIcon(bool radio)
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        p.setPen(QPen(QColor(40, 40, 40), u));
        if (radio) {
            p.setBrush(QColor(200, 160, 90));
            p.drawRoundedRect(QRectF(1.5 * u, 5.5 * u, 13 * u, 9 * u), u, u);
            p.drawLine(QPointF(4 * u, 5.5 * u), QPointF(11 * u, 1.5 * u));
            p.setBrush(QColor(60, 60, 60));
            p.drawEllipse(QPointF(5.5 * u, 10 * u), 2.5 * u, 2.5 * u);
            p.drawRect(QRectF(9.5 * u, 8 * u, 3.5 * u, 1.5 * u));
        } else {
            p.setBrush(QColor(90, 90, 90));
            p.drawRoundedRect(QRectF(0.5 * u, 1.5 * u, 15 * u, 10.5 * u), u, u);
            p.setBrush(QColor(110, 170, 230));
            p.drawRect(QRectF(2 * u, 3 * u, 12 * u, 7.5 * u));
            p.drawLine(QPointF(5 * u, 14.5 * u), QPointF(11 * u, 14.5 * u));
            p.drawLine(QPointF(8 * u, 12 * u), QPointF(8 * u, 14.5 * u));
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

// Adds the kind icon to every name and lays the text out for the mode.
class CChannelItemDelegate : public QStyledItemDelegate {
public:
    CChannelItemDelegate(CChannelIconView& view, CChannelListModel& model)
        : QStyledItemDelegate(&view), m_view(view), m_model(model), m_tv(KindIcon(false)), m_radio(KindIcon(true))
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const CServiceData* s = m_model.ServiceAt(index.row());
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = s != nullptr && s->IsRadio() ? m_radio : m_tv;
        option->decorationSize = m_view.iconSize();
        switch (m_view.GetDisplayMode()) {
        case CChannelIconView::DisplayMode::LargeIcons:
            option->decorationPosition = QStyleOptionViewItem::Top;
            option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
            break;
        case CChannelIconView::DisplayMode::SmallIcons:
            option->decorationPosition = QStyleOptionViewItem::Left;
            option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            break;
        case CChannelIconView::DisplayMode::List:
            option->decorationPosition = QStyleOptionViewItem::Left;
            option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            break;
        }
    }

private:
    CChannelIconView& m_view;
    CChannelListModel& m_model;
    QIcon m_tv;
    QIcon m_radio;
};

} // namespace

CChannelIconView::CChannelIconView(CChannelListModel& model, QWidget* parent) : QListView(parent), m_model(model)
{
    setObjectName(QStringLiteral("channelIconList"));
    setAccessibleName(QStringLiteral("Kanalliste"));
    setModel(&m_model);
    ForgetAccessibleCellsOnReset(*this);
    setModelColumn(0);
    setItemDelegate(new CChannelItemDelegate(*this, m_model));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);

    m_pDrag = new CRowDragController(*this, m_model);
    connect(m_pDrag, &CRowDragController::RowsMoved, this, &CChannelIconView::RowsMoved);
    connect(m_pDrag, &CRowDragController::DropFailed, this, &CChannelIconView::DropFailed);
    connect(&m_model, &CChannelListModel::ColorsChanged, this, &CChannelIconView::ApplyColors);
    ApplyColors();
    SetDisplayMode(DisplayMode::List);
}

CChannelIconView::~CChannelIconView() = default;

void CChannelIconView::SetDisplayMode(DisplayMode mode)
{
    m_mode = mode;
    switch (mode) {
    case DisplayMode::List:
        setViewMode(QListView::ListMode);
        setFlow(QListView::TopToBottom);
        setIconSize(QSize(16, 16));
        setGridSize(QSize());
        setWordWrap(false);
        m_pDrag->SetScrollOrientation(Qt::Horizontal);
        break;
    case DisplayMode::SmallIcons:
        setViewMode(QListView::IconMode);
        setFlow(QListView::LeftToRight);
        setIconSize(QSize(16, 16));
        setGridSize(QSize(160, fontMetrics().height() + 8));
        setWordWrap(false);
        m_pDrag->SetScrollOrientation(Qt::Vertical);
        break;
    case DisplayMode::LargeIcons:
        setViewMode(QListView::IconMode);
        setFlow(QListView::LeftToRight);
        setIconSize(QSize(32, 32));
        setGridSize(QSize(100, 32 + 3 * fontMetrics().height()));
        setWordWrap(true);
        m_pDrag->SetScrollOrientation(Qt::Vertical);
        break;
    }
    // The icon mode would let the items be moved freely and dragged by the
    // framework; rows move only through the drag controller.
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    m_model.SetListDisplay(mode == DisplayMode::List);
    doItemsLayout();
}

std::vector<int> CChannelIconView::SelectedRows() const
{
    return SelectedRowsOf(selectionModel());
}

void CChannelIconView::EnsureSelectionVisible()
{
    const std::vector<int> rows = SelectedRows();
    if (!rows.empty()) {
        scrollTo(m_model.index(rows.front(), modelColumn()), QAbstractItemView::PositionAtCenter);
    }
}

void CChannelIconView::ApplyColors()
{
    ApplyListColours(*this, m_model.TextColor(), m_model.BackColor());
}

void CChannelIconView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    QPainter painter(viewport());
    if (m_model.rowCount() == 0) {
        PaintEmptyListText(painter, viewport()->rect(), palette().color(QPalette::Text));
    }
    m_pDrag->PaintDropTarget(painter);
}
