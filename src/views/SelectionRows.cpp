#include "SelectionRows.h"

#include <QItemSelectionModel>
#include <algorithm>

std::vector<int> SelectedRowsOf(const QItemSelectionModel* selection)
{
    std::vector<int> rows;
    if (selection == nullptr) {
        return rows;
    }
    for (const QItemSelectionRange& range : selection->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QItemSelection RowRanges(const QAbstractItemModel& model, const std::vector<int>& sortedRows)
{
    QItemSelection ranges;
    const int last = model.columnCount() - 1;
    for (size_t i = 0; i < sortedRows.size();) {
        size_t j = i;
        while (j + 1 < sortedRows.size() && sortedRows[j + 1] == sortedRows[j] + 1) {
            ++j;
        }
        ranges.select(model.index(sortedRows[i], 0), model.index(sortedRows[j], last));
        i = j + 1;
    }
    return ranges;
}
