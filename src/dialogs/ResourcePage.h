#pragma once
#include "PropertySheet.h"

class CMakerLink;
class QLabel;
class QPushButton;

// "Informationen": the way to the About box, the version line and the maker.
class CResourcePage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CResourcePage(QWidget* parent = nullptr);

    QPushButton* InfoButton() const { return m_pInfo; }
    QLabel* InfoLine() const { return m_pInfoLine; }
    QLabel* VersionLine() const { return m_pVersionLine; }
    CMakerLink* Maker() const { return m_pMaker; }

    // "&Info": the About box, modal.
    void ShowAbout();

private:
    QLabel* m_pInfoLine = nullptr;
    QLabel* m_pVersionLine = nullptr;
    QPushButton* m_pInfo = nullptr;
    CMakerLink* m_pMaker = nullptr;
};
