#include "SettingsOptionsPropSheet.h"

#include "ReceiverConfigLanguage.h"

CSettingsOptionsPropSheet::CSettingsOptionsPropSheet(CDocument* document, QWidget* parent)
    : CPropertySheet(QStringLiteral("Receiver - System Setup"), 150, parent)
{
    setObjectName(QStringLiteral("systemSettingsSheet"));
    m_pLanguage = new CReceiverConfigLanguage(document, this);
    AddPage(m_pLanguage);
}
