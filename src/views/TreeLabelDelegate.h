#pragma once
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <functional>

// Draws the tree's nodes, the drop target as if selected, and edits labels
// in a line edit of limited length. An edit that ends with a text goes to
// the commit callback instead of into the model, so the owner decides what
// the node shows.
class CTreeLabelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Commit = std::function<void(const QModelIndex& index, const QString& text)>;

    CTreeLabelDelegate(int maxLength, Commit commit, QObject* parent = nullptr);

    void SetDropTarget(const QModelIndex& index) { m_dropTarget = index; }
    QModelIndex DropTarget() const { return m_dropTarget; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int m_nMaxLength;
    Commit m_commit;
    QPersistentModelIndex m_dropTarget;
};
