#include "TimerListCtrl.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QPainter>
#include <algorithm>

#include "DialogPictures.h"
#include "document/TimerList.h"

CTimerListCtrl::CTimerListCtrl(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("timerList"));
    setAccessibleName(QStringLiteral("Timerliste"));
    setColumnCount(kTimerListColumns);
    QStringList captions;
    for (int c = 0; c < kTimerListColumns; ++c) {
        captions << QString::fromUtf8(TimerColumnCaption(c));
    }
    setHorizontalHeaderLabels(captions);
    for (int c = 0; c < kTimerListColumns; ++c) {
        horizontalHeaderItem(c)->setTextAlignment(
            (TimerColumnRightAligned(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        setColumnWidth(c, TimerColumnWidth(c));
    }
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setIconSize(QSize(16, 16));
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false); // Tab goes on to "OK"
    setWordWrap(false);
    // The padded numbers are right-aligned: their leading blanks may be cut, never the digits.
    setTextElideMode(Qt::ElideNone);
    m_icons[0] = PictureIcon(pictures::kTimerClock, {16});
    m_icons[1] = PictureIcon(pictures::kTimerRecord, {16});
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CTimerListCtrl::OnHeaderClicked);
}

void CTimerListCtrl::Fill(const std::vector<TimerRowTexts>& rows)
{
    m_rows = rows;
    ShowRows();
    // Each column as wide as its longest text, never narrower than its width.
    for (int c = 0; c < kTimerListColumns; ++c) {
        const int content = std::max(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c));
        setColumnWidth(c, std::max(TimerColumnWidth(c), content));
    }
    if (rowCount() > 0) {
        setFocus();
        setCurrentCell(0, 0);
        selectRow(0);
    }
}

int CTimerListCtrl::RecordIndexOfRow(int row) const
{
    const QTableWidgetItem* it = item(row, 0);
    return it != nullptr ? it->data(Qt::UserRole).toInt() : -1;
}

void CTimerListCtrl::OnHeaderClicked(int column)
{
    if (column < 0 || column >= kTimerListColumns) {
        return;
    }
    m_bSortAscending = column == m_nSortColumn ? !m_bSortAscending : true;
    m_nSortColumn = column;
    const int selected = RecordIndexOfRow(currentRow());
    SortTimerRows(m_rows, column, m_bSortAscending);
    ShowRows();
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(column, m_bSortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    // The selected timer stays selected at its new place.
    for (int r = 0; r < rowCount(); ++r) {
        if (RecordIndexOfRow(r) == selected) {
            setCurrentCell(r, 0);
            selectRow(r);
        }
    }
}

void CTimerListCtrl::ShowRows()
{
    clearContents();
    setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < rowCount(); ++r) {
        const TimerRowTexts& row = m_rows[static_cast<size_t>(r)];
        for (int c = 0; c < kTimerListColumns; ++c) {
            auto* it = new QTableWidgetItem(QString::fromStdString(TimerCellText(row, c)));
            it->setTextAlignment((TimerColumnRightAligned(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (c == 0) {
                it->setData(Qt::UserRole, row.index);
                if (row.icon == 0 || row.icon == 1) {
                    it->setIcon(m_icons[row.icon]);
                }
            }
            setItem(r, c, it);
        }
    }
}

void CTimerListCtrl::paintEvent(QPaintEvent* event)
{
    QTableWidget::paintEvent(event);
    if (rowCount() > 0) {
        return;
    }
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    p.fillRect(area, palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::Text));
    p.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    p.drawText(area.adjusted(0, 10, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               QString::fromUtf8(kTimerListEmptyText));
}
