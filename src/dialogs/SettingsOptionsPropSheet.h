#pragma once
#include "PropertySheet.h"

class CDocument;
class CReceiverConfigLanguage;

// "Receiver - System Setup": the page "Spracheinstellungen". Opened by
// command 32849 with the active document, or null when no document window
// is active.
class CSettingsOptionsPropSheet : public CPropertySheet {
    Q_OBJECT
public:
    explicit CSettingsOptionsPropSheet(CDocument* document, QWidget* parent = nullptr);

    CReceiverConfigLanguage* LanguagePage() const { return m_pLanguage; }

private:
    CReceiverConfigLanguage* m_pLanguage = nullptr;
};
