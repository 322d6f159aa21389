#include "PropertyGridDelegate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "ComboBoxExProp.h"
#include "PropertyGrid.h"

namespace {
constexpr int kMinimumRowHeight = 18;
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
    if (row->GetKind() == CPropertyGridRow::Kind::Text) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("propertyEditor_%1").arg(row->Id()));
        edit->setAccessibleName(row->Name());
        edit->setFrame(false);
        if (const int digits = row->MaskDigits(); digits > 0) {
            edit->setMaxLength(digits);
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(digits)), edit));
            edit->setPlaceholderText(row->Template());
        }
        return edit;
    }
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("propertyEditor_%1").arg(row->Id()));
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
        edit->setText(row->Value());
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int i = combo->findText(row->Value(), Qt::MatchExactly);
        if (combo->isEditable())
            combo->setEditText(row->Value());
        else
            combo->setCurrentIndex(i);
    }
}

void CPropertyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
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
