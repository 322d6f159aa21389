#pragma once
#include <array>

#include "PropertySheet.h"
#include "uibase/AppSettings.h"
#include "uibase/QtConversions.h"

class CColourPicker;
class CMakerLink;
class QComboBox;
class QPushButton;

// "AppOptionen": the tooltip mode, the status bar toggle and the four list
// and tree colours. A picked colour is stored in the settings at once;
// cancel puts back the colours the page opened with (not the status bar).
class CAppOptionPage : public CPropertyPage {
    Q_OBJECT
public:
    enum Colour { kChannelBack = 0, kChannelText, kTreeBack, kTreeText, kColourCount };

    CAppOptionPage(AppSettings& settings, bool statusBarVisible, QWidget* parent = nullptr);

    QComboBox* ToolTipList() const { return m_pToolTips; }
    QPushButton* StatusBarButton() const { return m_pStatusBar; }
    CColourPicker* Picker(int colour) const { return m_pickers[static_cast<size_t>(colour)]; }

    // Stores the tooltip entry.
    void OnOK() override;
    // Puts back the remembered colours and has list and tree repaint.
    void OnCancel() override;

    static ColorRef StandardColour(int colour);

signals:
    // The colours of the channel list and/or the tree changed in the settings.
    void ColoursChanged(bool channelList, bool tree);
    // "Statusleiste" was clicked: the main frame shows or hides its status bar.
    void StatusBarToggled();

private:
    ColorRef& SettingOf(int colour);
    void OnColourPicked(int colour, const QColor& picked);

    AppSettings& m_settings;
    std::array<ColorRef, kColourCount> m_remembered{};
    std::array<CColourPicker*, kColourCount> m_pickers{};
    QComboBox* m_pToolTips = nullptr;
    QPushButton* m_pStatusBar = nullptr;
    CMakerLink* m_pMaker = nullptr;
};
