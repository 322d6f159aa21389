#pragma once
#include "PropertyPane.h"
#include "model/TransponderData.h"

class CComboBoxExProp;
class CTransponderData;

// The transponder pane: the current transponder's satellite (shown only),
// frequency, polarisation, symbol rate, TpId and OrgNetId; edits of the
// latter five are written into the record as one undoable step each.
class CTransponderWnd : public CPropertyPane {
    Q_OBJECT
public:
    explicit CTransponderWnd(QWidget* parent = nullptr);

    // Sets the transponder and marks it changed when it is not the one shown last.
    void SetTransponder(CTransponderData* transponder);
    CTransponderData* Transponder() const { return m_pTransponder; }
    bool IsChanged() const { return m_bChanged; }
    // Refreshes only when the transponder changed.
    void RefreshFromTransponder();
    void ShowTransponder(CTransponderData* transponder)
    {
        SetTransponder(transponder);
        RefreshFromTransponder();
    }
    void ClearPane();
    // The next refresh runs even for the record shown last (after an undo).
    void ForgetShown() { m_bStale = true; }

    CComboBoxExProp* SatelliteRow() const { return m_pSatelliteRow; }
    CComboBoxExProp* PolarityRow() const { return m_pPolarityRow; }

signals:
    // An edit changed the transponder: the tree relabels and re-sorts it.
    void TransponderEdited(CTransponderData* transponder);

protected:
    void OnRowCommitted(CPropertyGridRow* row) override;

private:
    void ShowContent(bool keepMarks);

    CTransponderData* m_pTransponder = nullptr;
    CTransponderData* m_pShown = nullptr;
    bool m_bChanged = false;
    bool m_bStale = false;
    CComboBoxExProp* m_pSatelliteRow = nullptr;
    CComboBoxExProp* m_pPolarityRow = nullptr;
};
