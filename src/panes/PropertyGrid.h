#pragma once
#include <QColor>
#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "PropertyGridRow.h"

class QAction;
class QContextMenuEvent;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QModelIndex;
class CPropertyGridDelegate;

// Colours of a grid, as (red, green, blue).
struct GridColours {
    QColor back;
    QColor text;
    QColor groupBack;
    QColor groupText;
    QColor descriptionBack;
    QColor descriptionText;
    QColor lines;
};

// The property grid of the panes: rows in groups with coloured captions (or
// all rows in alphabetical order), two columns "Property" and "Value", a
// description area for the current row, values the user changed in bold.
// Every committed change of a value is reported by RowCommitted; the pane
// decides what it does to the record.
class CPropertyGrid : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyGrid(QWidget* parent = nullptr);
    ~CPropertyGrid() override;

    // Returns the group's index.
    int AddGroup(const QString& caption);
    QString GroupCaption(int group) const;
    int GroupCount() const { return static_cast<int>(m_groups.size()); }
    // Adds the row (taking it over) at the end of the group.
    CPropertyGridRow* AddRow(int group, CPropertyGridRow* row);
    void RemoveRowsOfGroup(int group);
    QList<CPropertyGridRow*> RowsOfGroup(int group) const;
    QList<CPropertyGridRow*> Rows() const;
    CPropertyGridRow* Row(int id) const;
    template <class T> T* RowAs(int id) const { return dynamic_cast<T*>(Row(id)); }

    void ExpandGroup(int group, bool expand);
    bool IsGroupExpanded(int group) const;
    void ExpandAll();
    bool IsAlphabetic() const { return m_bAlphabetic; }
    void SetAlphabetic(bool alphabetic);
    void ClearModified();

    void SetColours(const GridColours& colours);
    const GridColours& Colours() const { return m_colours; }

    // Edits are taken for the record last named here; one committed for an
    // earlier record (an editor closed late) is dropped.
    void SetRecordKey(const void* key) { m_pRecordKey = key; }
    const void* RecordKey() const { return m_pRecordKey; }

    // The user's new value of a row: shown, marked modified and reported.
    void CommitValue(CPropertyGridRow* row, const QString& value);
    // As CommitValue, from an editor: runs once the editor has closed.
    void CommitLater(int rowId, const QString& value);

    QTreeWidget* Tree() const { return m_pTree; }
    QLabel* DescriptionArea() const { return m_pDescription; }
    // Why a typed value was not stored, shown in the description area and
    // beside the grid until another row is described.
    void ShowRefusal(const QString& text);
    QTreeWidgetItem* ItemOf(const CPropertyGridRow* row) const;
    CPropertyGridRow* RowOf(const QModelIndex& index) const;
    CPropertyGridRow* RowOf(const QTreeWidgetItem* item) const;
    // Opens the value editor of the row, as a click on it does (F2 on the
    // current row does too).
    bool EditRow(int id);
    // The id of the next (or previous) editable row as shown, 0 when none.
    int NextEditableRow(int id, bool forward) const;

    // The entries of the grid's context menu (right click, Shift+F10, menu key).
    void SetContextActions(const QList<QAction*>& actions) { m_contextActions = actions; }
    QMenu* ContextMenu() const { return m_pMenu; }

    // Called by a row whose value, mark or edit mode changed.
    void UpdateRow(CPropertyGridRow* row);

signals:
    void RowCommitted(CPropertyGridRow* row);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Group {
        QString caption;
        bool expanded = true;
        std::vector<std::unique_ptr<CPropertyGridRow>> rows;
        QTreeWidgetItem* item = nullptr;
    };

    void Rebuild();
    void FillItem(QTreeWidgetItem* item, const CPropertyGridRow* row);
    void FillGroupItem(QTreeWidgetItem* item, const Group& group);
    void ApplyFont();
    void ApplyPalette();
    void ShowDescription(QTreeWidgetItem* item);
    void OnItemClicked(QTreeWidgetItem* item, int column);
    void ShowContextMenu(const QContextMenuEvent* event);
    void FitNameColumn();

    QTreeWidget* m_pTree = nullptr;
    QLabel* m_pDescription = nullptr;
    CPropertyGridDelegate* m_pDelegate = nullptr;
    std::vector<Group> m_groups;
    QHash<const CPropertyGridRow*, QTreeWidgetItem*> m_items;
    QHash<const QTreeWidgetItem*, CPropertyGridRow*> m_rowsOfItems;
    GridColours m_colours;
    bool m_bAlphabetic = false;
    bool m_bRebuilding = false;
    bool m_bFittingNames = false;
    bool m_bNamesSizedByUser = false;
    const void* m_pRecordKey = nullptr;
    QList<QAction*> m_contextActions;
    QPointer<QMenu> m_pMenu;
};
