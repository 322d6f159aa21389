#pragma once
#include <QPointer>
#include <QWidget>
#include <map>

#include "PropertyGridRow.h"

class CDocument;
class CPropertiesToolBar;
class CPropertyGrid;
class QColor;

// What the three property panes share: the toolbar over the grid, the grid's
// colours, and rows that take edits only while the pane shows a record.
class CPropertyPane : public QWidget {
    Q_OBJECT
public:
    CPropertyPane(const QString& objectName, const QString& gridName, const QColor& groupBack,
                  QWidget* parent = nullptr);

    CPropertyGrid* Grid() const { return m_pGrid; }
    CPropertiesToolBar* ToolBar() const { return m_pToolBar; }

    // The document of the active document window, or none.
    void SetDocument(CDocument* document);
    CDocument* Document() const;

    // Command 154: every group open.
    void OnExpandAll();
    // Command 151: rows grouped or in alphabetical order.
    void OnSortAlphabetic(bool alphabetic);

protected:
    // Adds the row and remembers how it may be edited while a record is shown.
    CPropertyGridRow* AddRow(int group, CPropertyGridRow* row, CPropertyGridRow::Edit edit);
    // Without a record no row takes an edit.
    void EnableEdits(bool recordShown);
    // Without a record no row shows a value either: nothing of the last one
    // stays on show, not even greyed.
    void ClearValues();
    // The undo step of an edit of the row.
    static QString UndoText(const CPropertyGridRow* row);
    virtual void OnRowCommitted(CPropertyGridRow* row) = 0;

    QPointer<CDocument> m_pDocument;

private:
    CPropertiesToolBar* m_pToolBar = nullptr;
    CPropertyGrid* m_pGrid = nullptr;
    std::map<int, CPropertyGridRow::Edit> m_editModes;
};
