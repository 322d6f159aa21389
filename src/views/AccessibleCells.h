#pragma once

class QAbstractItemView;

// Qt keeps a view's accessible table in step with its model only while an
// assistive technology is active; a table asked for cells otherwise (a
// reader that connects later, the GUI tests) would keep handing out the
// cells of rows that a reset took away. Here the view's table forgets its
// cells at every reset of the model. A reset drops the cells' persistent
// indexes all at once, so forgetting them costs little.
void ForgetAccessibleCellsOnReset(QAbstractItemView& view);
