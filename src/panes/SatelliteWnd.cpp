#include "SatelliteWnd.h"

#include <QColor>

#include "ComboBoxExProp.h"
#include "uibase/Document.h"
#include "PaneMessages.h"
#include "PropertyGrid.h"
#include "document/PaneRows.h"
#include "uibase/QtConversions.h"

CSatelliteWnd::CSatelliteWnd(QWidget* parent)
    : CPropertyPane(QStringLiteral("satellitePropertiesPane"), Text(panemsg::kSatelliteGrid),
                    QColor(254, 237, 187), parent)
{
    using Edit = CPropertyGridRow::Edit;
    CPropertyGrid* grid = Grid();
    const int group = grid->AddGroup(Text(panemsg::kSatellite));
    // The receiver's satellite table is not edited: every row is shown only.
    auto* name = new CPropertyGridRow(Text(panemsg::kSatellite), QString(), panerow::kSatName);
    name->SetDescription(Text(panemsg::kShownOnly));
    AddRow(group, name, Edit::ReadOnly);
    auto* degree = new CPropertyGridRow(Text(panemsg::kDegree), QString(), panerow::kSatDegree);
    degree->SetDescription(Text(panemsg::kDegreeDescription));
    AddRow(group, degree, Edit::ReadOnly);
    m_pOrientationRow = new CComboBoxExProp(Text(panemsg::kOrientation), QString(), panerow::kSatOrientation);
    COptionList orientations;
    FillOrientationOptions(orientations);
    m_pOrientationRow->SetOptions(orientations);
    m_pOrientationRow->SetDescription(Text(panemsg::kShownOnly));
    AddRow(group, m_pOrientationRow, Edit::ReadOnly);
}

void CSatelliteWnd::SetSatellite(CSatelliteData* satellite)
{
    m_pSatellite = satellite;
    m_bChanged = satellite != m_pShown || m_bStale;
}

void CSatelliteWnd::RefreshFromSatellite()
{
    if (!m_bChanged)
        return;
    m_bStale = false;
    if (!m_pSatellite) {
        ClearPane();
        return;
    }
    if (!m_pDocument)
        return;
    m_bChanged = false;
    m_pShown = m_pSatellite;
    Grid()->ClearModified();
    Grid()->SetRecordKey(m_pSatellite);
    const SatellitePaneContent c = SatellitePaneContentOf(*m_pSatellite);
    Grid()->Row(panerow::kSatName)->SetValue(QString::fromStdString(c.name));
    Grid()->Row(panerow::kSatDegree)->SetValue(QString::fromStdString(c.degree));
    m_pOrientationRow->SetOptions(c.orientationOptions);
    m_pOrientationRow->SetValue(QString::fromStdString(c.orientationText));
    EnableEdits(true);
}

void CSatelliteWnd::ClearPane()
{
    m_pOrientationRow->SetOptions(ClearedOptions());
    ClearValues();
    Grid()->ClearModified();
    EnableEdits(false);
    m_pSatellite = nullptr;
    m_pShown = nullptr;
    m_bChanged = false;
    Grid()->SetRecordKey(nullptr);
}

void CSatelliteWnd::OnRowCommitted(CPropertyGridRow* row)
{
    (void)row;
    // No row takes an edit; should one ever come, the record stays as it is
    // and the tree shows its entry afresh.
    if (m_pSatellite && m_pDocument)
        emit SatelliteEdited(m_pSatellite);
}
