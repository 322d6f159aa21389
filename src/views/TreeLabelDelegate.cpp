#include "TreeLabelDelegate.h"

#include <QLineEdit>

CTreeLabelDelegate::CTreeLabelDelegate(int maxLength, Commit commit, QObject* parent)
    : QStyledItemDelegate(parent), m_nMaxLength(maxLength), m_commit(std::move(commit))
{
}

QWidget* CTreeLabelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("treeLabelEdit"));
    edit->setAccessibleName(QStringLiteral("Name der Favoritengruppe"));
    edit->setMaxLength(m_nMaxLength);
    edit->setFrame(false);
    (void)option;
    (void)index;
    return edit;
}

void CTreeLabelDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    (void)model;
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit && m_commit)
        m_commit(index, edit->text());
}

void CTreeLabelDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_dropTarget.isValid() && index == QModelIndex(m_dropTarget))
        option->state |= QStyle::State_Selected;
}
