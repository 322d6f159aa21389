#include "TransponderWnd.h"

#include <QColor>

#include "ComboBoxExProp.h"
#include "uibase/Document.h"
#include "PaneMessages.h"
#include "PropertyGrid.h"
#include "document/InputRules.h"
#include "document/PaneEdits.h"
#include "document/PaneRows.h"
#include "uibase/QtConversions.h"

CTransponderWnd::CTransponderWnd(QWidget* parent)
    : CPropertyPane(QStringLiteral("transponderPropertiesPane"), Text(panemsg::kTransponderGrid),
                    QColor(255, 229, 216), parent)
{
    using Edit = CPropertyGridRow::Edit;
    CPropertyGrid* grid = Grid();
    const int satellite = grid->AddGroup(Text(panemsg::kSatellite));
    m_pSatelliteRow = new CComboBoxExProp(Text(panemsg::kSatellite), QString(), panerow::kTpSatellite);
    m_pSatelliteRow->AddOption(QString(), 0);
    m_pSatelliteRow->SetDescription(Text(panemsg::kShownOnly));
    // A transponder is not moved to another satellite from here: shown only.
    AddRow(satellite, m_pSatelliteRow, Edit::ReadOnly);

    const int transponder = grid->AddGroup(Text(panemsg::kTransponder));
    const auto numberRow = [this, transponder](const char* name, int id) {
        auto* row = new CPropertyGridRow(Text(name), QString(), id);
        row->SetMask(QStringLiteral("ddddd"), QStringLiteral("_____"));
        row->SetInputRule(TransponderRowRule(id));
        AddRow(transponder, row, Edit::FreeText);
    };
    numberRow(panemsg::kFrequency, panerow::kTpFrequency);
    m_pPolarityRow = new CComboBoxExProp(Text(panemsg::kPolarity), QString(), panerow::kTpPolarity);
    m_pPolarityRow->AddOption(QString(), 0);
    m_pPolarityRow->SetDescription(Text(panemsg::kPolarityChoice));
    AddRow(transponder, m_pPolarityRow, Edit::ChooseOnly);
    numberRow(panemsg::kSymbolRate, panerow::kTpSymbolRate);
    numberRow(panemsg::kTpId, panerow::kTpTpId);
    numberRow(panemsg::kOrgNetId, panerow::kTpOrgNetId);
}

void CTransponderWnd::SetTransponder(CTransponderData* transponder)
{
    m_pTransponder = transponder;
    m_bChanged = transponder != m_pShown || m_bStale;
}

void CTransponderWnd::RefreshFromTransponder()
{
    if (!m_bChanged)
        return;
    m_bStale = false;
    if (!m_pTransponder) {
        ClearPane();
        return;
    }
    if (!m_pDocument)
        return;
    m_bChanged = false;
    ShowContent(false);
}

void CTransponderWnd::ShowContent(bool keepMarks)
{
    if (!keepMarks)
        Grid()->ClearModified();
    m_pShown = m_pTransponder;
    Grid()->SetRecordKey(m_pTransponder);
    const TransponderPaneContent c = TransponderPaneContentOf(m_pDocument->Core(), *m_pTransponder);
    m_pSatelliteRow->SetOptions(c.satelliteOptions);
    m_pSatelliteRow->SetValue(QString::fromStdString(c.satelliteText));
    m_pPolarityRow->SetOptions(c.polarityOptions);
    m_pPolarityRow->SetValue(QString::fromStdString(c.polarityText));
    CPropertyGrid* grid = Grid();
    grid->Row(panerow::kTpFrequency)->SetValue(QString::number(c.frequency));
    grid->Row(panerow::kTpSymbolRate)->SetValue(QString::number(c.symbolRate));
    grid->Row(panerow::kTpTpId)->SetValue(QString::number(c.tpId));
    grid->Row(panerow::kTpOrgNetId)->SetValue(QString::number(c.orgNetId));
    EnableEdits(true);
}

void CTransponderWnd::ClearPane()
{
    for (CComboBoxExProp* row : {m_pSatelliteRow, m_pPolarityRow})
        row->SetOptions(ClearedOptions());
    ClearValues();
    Grid()->ClearModified();
    EnableEdits(false);
    m_pTransponder = nullptr;
    m_pShown = nullptr;
    m_bChanged = false;
    Grid()->SetRecordKey(nullptr);
}

void CTransponderWnd::OnRowCommitted(CPropertyGridRow* row)
{
    CTransponderData* transponder = m_pTransponder;
    if (!transponder || !m_pDocument || m_pShown != transponder) {
        ClearPane();
        return;
    }
    PaneEdit edit;
    edit.rowId = row->Id();
    edit.text = row->Value().toStdString();
    COptionList options;
    if (const auto* combo = dynamic_cast<const CComboBoxExProp*>(row))
        options = combo->Options();
    const bool changed =
        m_pDocument->RunChange(UndoText(row), [&] { ApplyTransponderEdit(*transponder, edit, options); });
    if (!changed)
        row->SetModified(false);
    ShowContent(true);
    if (changed)
        emit TransponderEdited(transponder);
}
