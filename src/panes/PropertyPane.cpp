#include "PropertyPane.h"

#include <QAction>
#include <QColor>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "uibase/Document.h"

#include "PaneMessages.h"
#include "PropertiesToolBar.h"
#include "PropertyGrid.h"

CPropertyPane::CPropertyPane(const QString& objectName, const QString& gridName, const QColor& groupBack,
                             QWidget* parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setAccessibleName(gridName);
    m_pToolBar = new CPropertiesToolBar(this);
    m_pGrid = new CPropertyGrid(this);
    // A pane brought to the front by keyboard takes the keys in its rows.
    setFocusProxy(m_pGrid->Tree());
    m_pGrid->setAccessibleName(gridName);
    m_pGrid->Tree()->setAccessibleName(gridName);
    GridColours colours = m_pGrid->Colours();
    colours.groupBack = groupBack;
    m_pGrid->SetColours(colours);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pToolBar);
    layout->addWidget(m_pGrid, 1);

    // The toolbar's commands are the grid's context menu too, so the
    // keyboard reaches them (toolbar buttons take no focus).
    m_pGrid->SetContextActions(m_pToolBar->actions());
    connect(m_pToolBar, &CPropertiesToolBar::ExpandAllRequested, this, &CPropertyPane::OnExpandAll);
    connect(m_pToolBar, &CPropertiesToolBar::AlphabeticToggled, this, &CPropertyPane::OnSortAlphabetic);
    connect(m_pGrid, &CPropertyGrid::RowCommitted, this, [this](CPropertyGridRow* row) { OnRowCommitted(row); });
}

void CPropertyPane::SetDocument(CDocument* document)
{
    m_pDocument = document;
}

CDocument* CPropertyPane::Document() const
{
    return m_pDocument;
}

void CPropertyPane::OnExpandAll()
{
    m_pGrid->ExpandAll();
}

void CPropertyPane::OnSortAlphabetic(bool alphabetic)
{
    m_pGrid->SetAlphabetic(alphabetic);
    // The button stays pressed while the rows are alphabetical.
    if (m_pToolBar->AlphabeticAction()->isChecked() != alphabetic)
        m_pToolBar->AlphabeticAction()->setChecked(alphabetic);
}

CPropertyGridRow* CPropertyPane::AddRow(int group, CPropertyGridRow* row, CPropertyGridRow::Edit edit)
{
    m_editModes[row->Id()] = edit;
    row->SetEditMode(CPropertyGridRow::Edit::ReadOnly);
    return m_pGrid->AddRow(group, row);
}

void CPropertyPane::EnableEdits(bool recordShown)
{
    for (CPropertyGridRow* row : m_pGrid->Rows()) {
        const auto it = m_editModes.find(row->Id());
        const auto edit = it == m_editModes.end() ? CPropertyGridRow::Edit::ReadOnly : it->second;
        row->SetEditMode(recordShown ? edit : CPropertyGridRow::Edit::ReadOnly);
    }
}

void CPropertyPane::ClearValues()
{
    for (CPropertyGridRow* row : m_pGrid->Rows())
        row->SetValue(QString());
}

QString CPropertyPane::UndoText(const CPropertyGridRow* row)
{
    return QString::fromUtf8(panemsg::kUndoEdit).arg(row->Name());
}
