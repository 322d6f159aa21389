#pragma once
#include <QStyledItemDelegate>

class CPropertyGrid;

// Paints the grid's lines and opens the value editors: a line edit that
// keeps to the row's input rule for text rows, a drop-down list for yes/no
// and drop-down rows (as wide as its longest option), an editable one for
// drop-downs that take free text. Tab and Shift+Tab commit and move on to
// the next or previous editable row.
class CPropertyGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CPropertyGridDelegate(CPropertyGrid& grid, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CPropertyGrid& m_grid;
};
