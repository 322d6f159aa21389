#pragma once
#include <QDialog>

class CAlarmDataArray;
class CTimerListCtrl;
class QPushButton;

// "Timer": the timers of the open database, for viewing only. Opened by the
// document's command 32860 with its timer array; changes nothing.
class CTimerDlg : public QDialog {
    Q_OBJECT
public:
    // timers may be null: the list is then empty.
    explicit CTimerDlg(const CAlarmDataArray* timers, QWidget* parent = nullptr);

    CTimerListCtrl* List() const { return m_pList; }
    QPushButton* OkButton() const { return m_pOk; }

private:
    CTimerListCtrl* m_pList = nullptr;
    QPushButton* m_pOk = nullptr;
};
