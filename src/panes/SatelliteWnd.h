#pragma once
#include "PropertyPane.h"
#include "model/SatelliteData.h"

class CComboBoxExProp;
class CSatelliteData;

// The satellite pane: name, orbital position and orientation of the current
// satellite. It only shows them; the satellite record is never changed here.
class CSatelliteWnd : public CPropertyPane {
    Q_OBJECT
public:
    explicit CSatelliteWnd(QWidget* parent = nullptr);

    // Sets the satellite and marks it changed when it is not the one shown last.
    void SetSatellite(CSatelliteData* satellite);
    CSatelliteData* Satellite() const { return m_pSatellite; }
    bool IsChanged() const { return m_bChanged; }
    // Refreshes only when the satellite changed.
    void RefreshFromSatellite();
    void ShowSatellite(CSatelliteData* satellite)
    {
        SetSatellite(satellite);
        RefreshFromSatellite();
    }
    void ClearPane();
    // The next refresh runs even for the record shown last (after an undo).
    void ForgetShown() { m_bStale = true; }

    CComboBoxExProp* OrientationRow() const { return m_pOrientationRow; }

signals:
    // After a committed row: the tree refreshes the satellite's entry.
    void SatelliteEdited(CSatelliteData* satellite);

protected:
    void OnRowCommitted(CPropertyGridRow* row) override;

private:
    CSatelliteData* m_pSatellite = nullptr;
    CSatelliteData* m_pShown = nullptr;
    bool m_bChanged = false;
    bool m_bStale = false;
    CComboBoxExProp* m_pOrientationRow = nullptr;
};
