#pragma once
#include <QDialog>

#include "document/NewChannel.h"

class CServiceData;
class CVandrelEdit2028Doc;
class IUserPrompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// "Neuer Fernsehkanal" / "Neuer Radiokanal": the fields of a channel typed
// by hand, on a satellite and transponder the document already has. Names
// and providers refuse while typing what their field cannot hold; "&OK"
// checks the numbers' ranges and that the channel is not there yet, and
// leaves the dialog open with a message otherwise. The dialog names the
// channel the new one copies everything else from.
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

    QLineEdit* NameEdit() const { return m_pName; }
    QComboBox* SatelliteBox() const { return m_pSatellite; }
    QComboBox* TransponderBox() const { return m_pTransponder; }
    QLineEdit* ServiceIdEdit() const { return m_pServiceId; }
    QLineEdit* PmtPidEdit() const { return m_pPmtPid; }
    QLineEdit* VideoPidEdit() const { return m_pVideoPid; } // null for radio
    QLineEdit* AudioPidEdit() const { return m_pAudioPid; }
    QLineEdit* PcrPidEdit() const { return m_pPcrPid; }
    QLineEdit* ProviderEdit() const { return m_pProvider; }
    QComboBox* GroupBox() const { return m_pGroup; }
    QCheckBox* LockedBox() const { return m_pLocked; }
    QCheckBox* SkipBox() const { return m_pSkip; }
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
    QLineEdit* m_pName = nullptr;
    QComboBox* m_pSatellite = nullptr;
    QComboBox* m_pTransponder = nullptr;
    QLineEdit* m_pServiceId = nullptr;
    QLineEdit* m_pPmtPid = nullptr;
    QLineEdit* m_pVideoPid = nullptr;
    QLineEdit* m_pAudioPid = nullptr;
    QLineEdit* m_pPcrPid = nullptr;
    QLineEdit* m_pProvider = nullptr;
    QComboBox* m_pGroup = nullptr;
    QCheckBox* m_pLocked = nullptr;
    QCheckBox* m_pSkip = nullptr;
};
