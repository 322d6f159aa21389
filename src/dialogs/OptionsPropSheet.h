#pragma once
#include "PropertySheet.h"

struct AppSettings;
class CAppOptionPage;
class CResourcePage;

// "Weitere interessante Informationen": the pages "Informationen" and
// "AppOptionen". Opened by commands 32776 "Optionen" and 32787
// "Informationen"; the owner connects the two signals to the main frame
// (repaint of the active window's list and tree, status bar toggle).
class COptionsPropSheet : public CPropertySheet {
    Q_OBJECT
public:
    enum PageIndex { kPageInformationen = 0, kPageAppOptionen = 1 };

    COptionsPropSheet(AppSettings& settings, bool statusBarVisible, QWidget* parent = nullptr,
                      int startPage = kPageInformationen);

    CResourcePage* ResourcePage() const { return m_pResource; }
    CAppOptionPage* AppOptionPage() const { return m_pAppOptions; }

signals:
    void ColoursChanged(bool channelList, bool tree);
    void StatusBarToggled();

private:
    CResourcePage* m_pResource = nullptr;
    CAppOptionPage* m_pAppOptions = nullptr;
};
