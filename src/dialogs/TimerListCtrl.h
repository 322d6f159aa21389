#pragma once
#include <QTableWidget>
#include <vector>

#include "model/AlarmData.h"

// The list of the timer dialog: six columns, one row per timer in use, a
// header that sorts (a second click on the same header reverses), and a
// message instead of rows while there is no timer.
class CTimerListCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CTimerListCtrl(QWidget* parent = nullptr);

    // Shows the rows in their order, selects and focuses the first.
    void Fill(const std::vector<TimerRowTexts>& rows);
    // The rows in the order shown.
    const std::vector<TimerRowTexts>& Rows() const { return m_rows; }
    // The timer array index of a row, or -1.
    int RecordIndexOfRow(int row) const;

    // A header click: the same column again reverses, another sorts ascending.
    void OnHeaderClicked(int column);
    int SortColumn() const { return m_nSortColumn; }
    bool SortAscending() const { return m_bSortAscending; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowRows();

    QIcon m_icons[2]; // icon index 0 and 1
    std::vector<TimerRowTexts> m_rows;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
};
