#pragma once
#include <vector>

class QAbstractItemModel;
class QItemSelection;
class QItemSelectionModel;

// The selected rows, top to bottom, each once. Reads the selection's ranges,
// not its cells, so a selection of thousands of full rows stays quick.
std::vector<int> SelectedRowsOf(const QItemSelectionModel* selection);

// The full rows as a selection; consecutive rows (of a sorted list) make one
// range, so selecting thousands of rows stays quick.
QItemSelection RowRanges(const QAbstractItemModel& model, const std::vector<int>& sortedRows);
