#include "PropertyGridDelegate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include "ComboBoxExProp.h"
#include "PropertyGrid.h"
#include "uibase/InputRuleEdit.h"

namespace {
constexpr int kMinimumRowHeight = 18;
const char* const kRowIdProperty = "rowId";

CInputRuleEdit* RuleEditOf(QObject* editor)
{
    if (auto* edit = qobject_cast<CInputRuleEdit*>(editor))
        return edit;
    return editor ? editor->findChild<CInputRuleEdit*>() : nullptr;
}

// The opened list shows every option in full, however narrow the row.
void FitPopupToOptions(QComboBox* combo)
{
    QAbstractItemView* view = combo->view();
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, view->sizeHintForIndex(combo->model()->index(i, 0)).width());
    const int frame = 2 * view->frameWidth() + 8;
    view->setMinimumWidth(widest + frame + view->verticalScrollBar()->sizeHint().width());
}
} // namespace

CPropertyGridDelegate::CPropertyGridDelegate(CPropertyGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), m_grid(grid)
{
}

void CPropertyGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    // The grid lines: under every cell and between the two columns of a row.
    painter->save();
    painter->setPen(m_grid.Colours().lines);
    const QRect r = option.rect;
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (index.column() == 0 && m_grid.RowOf(index))
        painter->drawLine(r.topRight(), r.bottomRight());
    painter->restore();
}

QSize CPropertyGridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height() + 4, kMinimumRowHeight));
    return size;
}

QWidget* CPropertyGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const
{
    (void)option;
    const CPropertyGridRow* row = m_grid.RowOf(index);
    if (!row || !row->IsEditable() || index.column() != 1)
        return nullptr;
    const bool ruled = row->GetInputRule().kind != InputRule::Kind::Free;
    if (row->GetKind() == CPropertyGridRow::Kind::Text) {
        QLineEdit* edit =
            ruled ? new CInputRuleEdit(row->GetInputRule(), row->Name(), parent) : new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("propertyEditor_%1").arg(row->Id()));
        edit->setProperty(kRowIdProperty, row->Id());
        edit->setAccessibleName(row->Name());
        edit->setFrame(false);
        if (const int digits = row->MaskDigits(); digits > 0) {
            if (!ruled) {
                edit->setMaxLength(digits);
                edit->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("\\d{0,%1}").arg(digits)), edit));
            }
            edit->setPlaceholderText(row->Template());
        }
        return edit;
    }
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("propertyEditor_%1").arg(row->Id()));
    combo->setProperty(kRowIdProperty, row->Id());
    combo->setAccessibleName(row->Name());
    combo->setFrame(false);
    const auto* ex = dynamic_cast<const CComboBoxExProp*>(row);
    const QIcon image = ex ? ex->Image() : QIcon();
    for (const QString& text : row->OptionTexts()) {
        if (image.isNull())
            combo->addItem(text);
        else
            combo->addItem(image, text);
    }
    combo->setEditable(row->EditMode() == CPropertyGridRow::Edit::FreeText);
    if (combo->isEditable() && ruled)
        combo->setLineEdit(new CInputRuleEdit(row->GetInputRule(), row->Name(), combo));
    FitPopupToOptions(combo);
    // A plain list popup, at most 400 pixels high.
    combo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    const int rowHeight = std::max(1, combo->view()->sizeHintForRow(0));
    combo->setMaxVisibleItems(std::max(1, CComboBoxExProp::kDropDownHeight / rowHeight));
    combo->view()->setMaximumHeight(CComboBoxExProp::kDropDownHeight);
    if (!combo->isEditable()) {
        // Choosing an entry commits it at once.
        auto* self = const_cast<CPropertyGridDelegate*>(this);
        connect(combo, &QComboBox::activated, self, [self, combo] {
            emit self->commitData(combo);
            emit self->closeEditor(combo);
        });
    }
    return combo;
}

void CPropertyGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const CPropertyGridRow* row = m_grid.RowOf(index);
    if (!row)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (auto* ruled = qobject_cast<CInputRuleEdit*>(edit))
            ruled->SetStartText(row->Value());
        else
            edit->setText(row->Value());
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int i = combo->findText(row->Value(), Qt::MatchExactly);
        if (auto* ruled = RuleEditOf(combo))
            ruled->SetStartText(row->Value());
        else if (combo->isEditable())
            combo->setEditText(row->Value());
        else
            combo->setCurrentIndex(i);
    }
}

void CPropertyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                         const QModelIndex& index) const
{
    (void)model;
    const CPropertyGridRow* row = m_grid.RowOf(index);
    if (!row)
        return;
    QString value;
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        value = edit->text();
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        value = combo->currentText();
    else
        return;
    if (value != row->Value())
        m_grid.CommitLater(row->Id(), value);
}

void CPropertyGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                 const QModelIndex& index) const
{
    (void)index;
    editor->setGeometry(option.rect.adjusted(0, 0, 0, -1));
}

bool CPropertyGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::FocusOut) {
        // The base class closes the editor without storing a text that
        // cannot be stored; the reason stays where the grid describes rows.
        if (CInputRuleEdit* ruled = RuleEditOf(editor); ruled && ruled->ExplainProblem())
            m_grid.ShowRefusal(ruled->Hint());
    }
    if (!editor || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    CInputRuleEdit* ruled = RuleEditOf(editor);
    if (ruled && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
        ruled->ExplainProblem(); // the base class keeps such an editor open
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (!tab || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return QStyledItemDelegate::eventFilter(object, event);
    // Tab commits and opens the next editable row, skipping group captions
    // and rows shown only; a text that cannot be stored keeps the editor.
    if (ruled && ruled->ExplainProblem())
        return true;
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    const int next = m_grid.NextEditableRow(editor->property(kRowIdProperty).toInt(), forward);
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (next != 0) {
        // After the commit, which runs once the editor has closed.
        CPropertyGrid* grid = &m_grid;
        QMetaObject::invokeMethod(
            grid, [grid, next] { grid->EditRow(next); }, Qt::QueuedConnection);
    }
    return true;
}
