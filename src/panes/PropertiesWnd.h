#pragma once
#include "PropertyPane.h"
#include "model/ServiceData.h"

class CComboBoxExProp;
class CServiceData;

// The channel pane: the current channel's satellite and transponder, its
// fields, flags and favourite group. Every accepted edit is written into the
// service record as one undoable step of the document.
class CPropertiesWnd : public CPropertyPane {
    Q_OBJECT
public:
    explicit CPropertiesWnd(QWidget* parent = nullptr);

    // The channel list sets the service (or none) and the pane shows it.
    void SetService(CServiceData* service) { m_pService = service; }
    CServiceData* Service() const { return m_pService; }
    void RefreshFromService();
    void ClearPane();
    // The next refresh counts as showing a new record (after an undo).
    void ForgetShown() { m_pShownService = nullptr; }

    CComboBoxExProp* SatelliteRow() const { return m_pSatelliteRow; }
    CComboBoxExProp* TransponderRow() const { return m_pTransponderRow; }
    int FavouritesGroup() const { return m_nFavouritesGroup; }

signals:
    // An edit changed the service: the list refreshes its row and the other
    // panes follow its transponder.
    void ServiceEdited(CServiceData* service);

protected:
    void OnRowCommitted(CPropertyGridRow* row) override;

private:
    void ShowFavourites(const std::vector<std::string>& names, int checkedRow, bool keepMarks);

    CServiceData* m_pService = nullptr;
    CServiceData* m_pShownService = nullptr;
    CComboBoxExProp* m_pSatelliteRow = nullptr;
    CComboBoxExProp* m_pTransponderRow = nullptr;
    int m_nFavouritesGroup = -1; // the "Favoriten" group
};
