#include "TreeLabelDelegate.h"

#include "uibase/InputRuleEdit.h"

CTreeLabelDelegate::CTreeLabelDelegate(const InputRule& rule, const QString& label, Commit commit, QObject* parent)
    : QStyledItemDelegate(parent), m_rule(rule), m_strLabel(label), m_commit(std::move(commit))
{
}

QWidget* CTreeLabelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    auto* edit = new CInputRuleEdit(m_rule, m_strLabel, parent);
    edit->setObjectName(QStringLiteral("treeLabelEdit"));
    edit->setAccessibleName(m_strLabel);
    edit->setFrame(false);
    (void)option;
    (void)index;
    return edit;
}

void CTreeLabelDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<CInputRuleEdit*>(editor))
        edit->SetStartText(index.data(Qt::EditRole).toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void CTreeLabelDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    (void)model;
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit && m_commit)
        m_commit(index, edit->text());
}

bool CTreeLabelDelegate::eventFilter(QObject* object, QEvent* event)
{
    // Enter on a name that cannot be stored keeps the editor open; say why.
    CInputRuleEdit::ExplainOnEnter(object, event);
    return QStyledItemDelegate::eventFilter(object, event);
}

void CTreeLabelDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_dropTarget.isValid() && index == QModelIndex(m_dropTarget))
        option->state |= QStyle::State_Selected;
}
