#pragma once
#include <QDialog>

#include "document/NewChannel.h"

class CInputRuleEdit;
class CServiceData;
class CVandrelEdit2028Doc;
class IUserPrompts;
class QCheckBox;
class QComboBox;
class QLabel;

// "Neuer Fernsehkanal" / "Neuer Radiokanal": the fields of a channel typed
// by hand, on a satellite and transponder the document already has. Every
// typed field follows the rule of the channel pane's row of the same name,
// key by key; "&OK" checks the whole input and that the channel is not
// there yet, and leaves the dialog open with a message otherwise. The
// dialog names the channel the new one copies everything else from.
class CNewChannelDlg : public QDialog {
    Q_OBJECT
public:
    // selected: the first selected channel of the list, or null. The
    // dialog starts on startTransponder, else on the first transponder of
    // startSatellite, else on the first satellite offered; group 0 to 8.
    CNewChannelDlg(IUserPrompts& prompts, const CVandrelEdit2028Doc& doc, bool television,
                   const CServiceData* selected, int startSatellite, int startTransponder, int startGroup,
                   QWidget* parent = nullptr);

    // The checked fields; valid after the dialog was accepted.
    const NewChannelFields& Fields() const { return m_fields; }

    CInputRuleEdit* NameEdit() const { return m_pName; }
    QComboBox* SatelliteBox() const { return m_pSatellite; }
    QComboBox* TransponderBox() const { return m_pTransponder; }
    CInputRuleEdit* ServiceIdEdit() const { return m_pServiceId; }
    CInputRuleEdit* PmtPidEdit() const { return m_pPmtPid; }
    CInputRuleEdit* VideoPidEdit() const { return m_pVideoPid; } // null for radio
    CInputRuleEdit* AudioPidEdit() const { return m_pAudioPid; }
    CInputRuleEdit* PcrPidEdit() const { return m_pPcrPid; }
    CInputRuleEdit* ProviderEdit() const { return m_pProvider; }
    QComboBox* GroupBox() const { return m_pGroup; }
    QCheckBox* LockedBox() const { return m_pLocked; }
    QCheckBox* SkipBox() const { return m_pSkip; }
    QCheckBox* ScrambledBox() const { return m_pScrambled; }
    QLabel* TemplateLabel() const { return m_pTemplate; }

public slots:
    void accept() override;

private:
    void FillTransponders(int select);
    void ShowTemplate();
    int TransponderIndex() const;
    QWidget* WidgetOf(NewChannelField field) const;

    IUserPrompts& m_prompts;
    const CVandrelEdit2028Doc& m_doc;
    const bool m_bTelevision;
    const CServiceData* m_pSelected;
    NewChannelFields m_fields;
    QLabel* m_pTemplate = nullptr;
    CInputRuleEdit* m_pName = nullptr;
    QComboBox* m_pSatellite = nullptr;
    QComboBox* m_pTransponder = nullptr;
    CInputRuleEdit* m_pServiceId = nullptr;
    CInputRuleEdit* m_pPmtPid = nullptr;
    CInputRuleEdit* m_pVideoPid = nullptr;
    CInputRuleEdit* m_pAudioPid = nullptr;
    CInputRuleEdit* m_pPcrPid = nullptr;
    CInputRuleEdit* m_pProvider = nullptr;
    QComboBox* m_pGroup = nullptr;
    QCheckBox* m_pLocked = nullptr;
    QCheckBox* m_pSkip = nullptr;
    QCheckBox* m_pScrambled = nullptr;
};
