#include "OptionsPropSheet.h"

#include "AppOptionPage.h"
#include "ResourcePage.h"

COptionsPropSheet::COptionsPropSheet(AppSettings& settings, bool statusBarVisible, QWidget* parent, int startPage)
    : CPropertySheet(QStringLiteral("Weitere interessante Informationen"), 124, parent)
{
    setObjectName(QStringLiteral("optionsSheet"));
    m_pResource = new CResourcePage(this);
    m_pAppOptions = new CAppOptionPage(settings, statusBarVisible, this);
    AddPage(m_pResource);
    AddPage(m_pAppOptions);
    connect(m_pAppOptions, &CAppOptionPage::ColoursChanged, this, &COptionsPropSheet::ColoursChanged);
    connect(m_pAppOptions, &CAppOptionPage::StatusBarToggled, this, &COptionsPropSheet::StatusBarToggled);
    SetActivePage(startPage);
}
