#pragma once
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <functional>

#include "document/InputRules.h"

// Draws the tree's nodes, the drop target as if selected, and edits labels
// in a line edit that keeps to an input rule. An edit that ends with a text
// goes to the commit callback instead of into the model, so the owner
// decides what the node shows.
class CTreeLabelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Commit = std::function<void(const QModelIndex& index, const QString& text)>;

    CTreeLabelDelegate(const InputRule& rule, const QString& label, Commit commit, QObject* parent = nullptr);

    void SetDropTarget(const QModelIndex& index) { m_dropTarget = index; }
    QModelIndex DropTarget() const { return m_dropTarget; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    InputRule m_rule;
    QString m_strLabel;
    Commit m_commit;
    QPersistentModelIndex m_dropTarget;
};
