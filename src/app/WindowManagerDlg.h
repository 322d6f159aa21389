#pragma once
#include <QDialog>

class CDocumentWindows;
class QListWidget;
class QPushButton;

// The window list (command 131, "&Fenster..."): every open document window,
// with buttons to activate, save and close the chosen ones.
class CWindowManagerDlg : public QDialog {
    Q_OBJECT
public:
    CWindowManagerDlg(CDocumentWindows& windows, QWidget* parent);

    QListWidget* List() const { return m_pList; }
    void Refill();

private:
    void ActivateSelected();
    void SaveSelected();
    void CloseSelected();
    void UpdateButtons();

    CDocumentWindows& m_windows;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pActivate = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pClose = nullptr;
};
