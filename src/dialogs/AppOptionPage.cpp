#include "AppOptionPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ColourPicker.h"
#include "DialogPictures.h"
#include "MakerLink.h"
#include "document/OptionSettings.h"
#include "uibase/QtConversions.h"

namespace {
constexpr const char* kColourLabels[CAppOptionPage::kColourCount] = {
    "Kanalhintergundfarbe .  .  .", "Kanaltextfarbe   .  .  .  .  .  .", "Baumhintergrundfarbe   .  .",
    "Baumtextfarbe   .  .  .  .  .  ."};
constexpr const char* kColourNames[CAppOptionPage::kColourCount] = {"Kanalhintergrundfarbe", "Kanaltextfarbe",
                                                                    "Baumhintergrundfarbe", "Baumtextfarbe"};
constexpr const char* kPickerObjects[CAppOptionPage::kColourCount] = {"channelBackPicker", "channelTextPicker",
                                                                      "treeBackPicker", "treeTextPicker"};
} // namespace

ColorRef CAppOptionPage::StandardColour(int colour)
{
    switch (colour) {
    case kChannelBack:
        return stdcolors::kChannelBack;
    case kChannelText:
        return stdcolors::kChannelText;
    case kTreeBack:
        return stdcolors::kTreeBack;
    default:
        return stdcolors::kTreeText;
    }
}

CAppOptionPage::CAppOptionPage(AppSettings& settings, bool statusBarVisible, QWidget* parent)
    : CPropertyPage(QStringLiteral("AppOptionen"), pictures::kPageAppOptions, parent), m_settings(settings)
{
    setObjectName(QStringLiteral("appOptionPage"));

    // 1. The tooltip entry.
    auto* toolTipLabel = new QLabel(QStringLiteral("Eigenschaftsbeschreibungen:"), this);
    m_pToolTips = new QComboBox(this);
    m_pToolTips->setObjectName(QStringLiteral("toolTipList"));
    m_pToolTips->setAccessibleName(QStringLiteral("Eigenschaftsbeschreibungen"));
    for (int e = 0; e < kToolTipEntryCount; ++e) {
        m_pToolTips->addItem(QString::fromUtf8(ToolTipEntryText(e)), e);
    }
    m_pToolTips->setCurrentIndex(ToolTipEntryOf(settings.m_nShowToolTips, settings.m_nShowToolTipDescr));
    toolTipLabel->setBuddy(m_pToolTips);

    // 2. The colours, remembered for cancel.
    auto* colours = new QGroupBox(QStringLiteral("Farben"), this);
    colours->setObjectName(QStringLiteral("coloursGroup"));
    auto* colourForm = new QFormLayout(colours);
    colourForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (int c = 0; c < kColourCount; ++c) {
        m_remembered[static_cast<size_t>(c)] = SettingOf(c);
        auto* picker = new CColourPicker(colours);
        picker->setObjectName(QString::fromUtf8(kPickerObjects[c]));
        picker->setAccessibleName(QString::fromUtf8(kColourNames[c]));
        picker->SetStandardColour(ToQColor(StandardColour(c)));
        picker->SetColour(ToQColor(SettingOf(c)));
        picker->setMinimumWidth(96);
        connect(picker, &CColourPicker::ColourPicked, this,
                [this, c](const QColor& picked, bool) { OnColourPicked(c, picked); });
        auto* label = new QLabel(QString::fromUtf8(kColourLabels[c]), colours);
        label->setBuddy(picker);
        colourForm->addRow(label, picker);
        m_pickers[static_cast<size_t>(c)] = picker;
    }

    // 3. The status bar button.
    auto* windows = new QGroupBox(QStringLiteral("Optionale Fenster"), this);
    windows->setObjectName(QStringLiteral("optionalWindowsGroup"));
    m_pStatusBar = new QPushButton(QStringLiteral("Statusleiste"), windows);
    m_pStatusBar->setObjectName(QStringLiteral("statusBarButton"));
    m_pStatusBar->setAccessibleName(QStringLiteral("Statusleiste"));
    m_pStatusBar->setCheckable(true);
    m_pStatusBar->setChecked(statusBarVisible);
    m_pStatusBar->setAutoDefault(false);
    connect(m_pStatusBar, &QPushButton::clicked, this, &CAppOptionPage::StatusBarToggled);
    auto* windowsLayout = new QHBoxLayout(windows);
    windowsLayout->addWidget(m_pStatusBar);
    windowsLayout->addStretch(1);

    m_pMaker = new CMakerLink(this);

    auto* toolTipRow = new QHBoxLayout;
    toolTipRow->addWidget(toolTipLabel);
    toolTipRow->addWidget(m_pToolTips, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolTipRow);
    layout->addWidget(windows);
    layout->addWidget(colours);
    layout->addSpacing(8);
    layout->addWidget(m_pMaker);
    layout->addStretch(1);
}

ColorRef& CAppOptionPage::SettingOf(int colour)
{
    switch (colour) {
    case kChannelBack:
        return m_settings.m_clrChannelBack;
    case kChannelText:
        return m_settings.m_clrChannelText;
    case kTreeBack:
        return m_settings.m_clrTreeBack;
    default:
        return m_settings.m_clrTreeText;
    }
}

void CAppOptionPage::OnColourPicked(int colour, const QColor& picked)
{
    // "Standard" arrives as the standard colour itself.
    SettingOf(colour) = FromQColor(picked);
    const bool channel = colour == kChannelBack || colour == kChannelText;
    emit ColoursChanged(channel, !channel);
}

void CAppOptionPage::OnOK()
{
    const ToolTipSettings s = ToolTipSettingsOf(m_pToolTips->currentIndex());
    m_settings.m_nShowToolTips = s.showToolTips;
    m_settings.m_nShowToolTipDescr = s.showToolTipDescr;
}

void CAppOptionPage::OnCancel()
{
    for (int c = 0; c < kColourCount; ++c) {
        SettingOf(c) = m_remembered[static_cast<size_t>(c)];
        m_pickers[static_cast<size_t>(c)]->SetColour(ToQColor(SettingOf(c)));
    }
    emit ColoursChanged(true, true);
}
