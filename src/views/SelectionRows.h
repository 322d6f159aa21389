#pragma once
#include <vector>

class QItemSelectionModel;

// The selected rows, top to bottom, each once. Reads the selection's ranges,
// not its cells, so a selection of thousands of full rows stays quick.
std::vector<int> SelectedRowsOf(const QItemSelectionModel* selection);
