#pragma once
#include <QTreeWidgetItem>

// A row of a sortable table whose number columns sort as numbers: cells
// that both hold a whole number compare by value, others as text.
class CNumericTreeItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        bool leftIsNumber = false;
        bool rightIsNumber = false;
        const qlonglong left = text(column).toLongLong(&leftIsNumber);
        const qlonglong right = other.text(column).toLongLong(&rightIsNumber);
        if (leftIsNumber && rightIsNumber)
            return left < right;
        // Empty cells (no number) before numbered ones.
        if (leftIsNumber != rightIsNumber && (text(column).isEmpty() || other.text(column).isEmpty()))
            return text(column).isEmpty();
        return text(column).localeAwareCompare(other.text(column)) < 0;
    }
};
