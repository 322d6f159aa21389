#include "AccessibleCells.h"

#include <QAbstractItemView>
#include <QAccessible>

void ForgetAccessibleCellsOnReset(QAbstractItemView& view)
{
    QAbstractItemModel* model = view.model();
    if (!model)
        return;
    QObject::connect(model, &QAbstractItemModel::modelReset, &view, [&view] {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
        if (QAccessibleTableInterface* table = iface ? iface->tableInterface() : nullptr) {
            QAccessibleTableModelChangeEvent reset(&view, QAccessibleTableModelChangeEvent::ModelReset);
            table->modelChange(&reset);
        }
    });
}
