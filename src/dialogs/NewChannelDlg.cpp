#include "NewChannelDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "document/VandrelEdit2028Doc.h"
#include "model/FavoritenData.h"
#include "model/OptionList.h"
#include "uibase/InputRuleEdit.h"
#include "uibase/QtConversions.h"
#include "uibase/UserPrompts.h"
#include "uibase/ViewMessages.h"

namespace {
// A field that takes, key by key, only what the channel pane's row of the
// same name takes, and says why when it refuses.
CInputRuleEdit* RuleEdit(QWidget* parent, const QString& name, const char* label, const InputRule& rule)
{
    auto* edit = new CInputRuleEdit(rule, Text(label), parent);
    edit->setObjectName(name);
    edit->setAccessibleName(Text(label));
    const QString hint = QString::fromStdString(DescribeRule(rule));
    edit->setToolTip(hint);
    edit->setAccessibleDescription(hint);
    if (rule.kind == InputRule::Kind::Number) {
        edit->setPlaceholderText(QStringLiteral("%1 \u2013 %2").arg(rule.minValue).arg(rule.maxValue));
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16);
    }
    return edit;
}

QComboBox* DropDown(QWidget* parent, const QString& name, const QString& accessible)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

void FillBox(QComboBox* box, const COptionList& options)
{
    box->clear();
    // A fill that offers nothing adds one empty option; the box stays empty.
    if (options.OffersNothing())
        return;
    for (const COptionList::Option& o : options.Options())
        box->addItem(QString::fromStdString(o.text), o.value);
}
} // namespace

CNewChannelDlg::CNewChannelDlg(IUserPrompts& prompts, const CVandrelEdit2028Doc& doc, bool television,
                               const CServiceData* selected, int startSatellite, int startTransponder,
                               int startGroup, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_doc(doc), m_bTelevision(television), m_pSelected(selected)
{
    const QString title = Text(television ? viewmsg::kNewTvChannel : viewmsg::kNewRadioChannel);
    setObjectName(QStringLiteral("newChannelDialog"));
    setWindowTitle(title);
    setAccessibleName(title);
    setModal(true);

    m_pTemplate = new QLabel(this);
    m_pTemplate->setObjectName(QStringLiteral("templateLabel"));
    m_pTemplate->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* note = new QLabel(
        QStringLiteral("Alle hier nicht aufgeführten Daten übernimmt der neue Kanal von der Vorlage."), this);
    note->setObjectName(QStringLiteral("templateNote"));
    note->setWordWrap(true);

    m_pName = RuleEdit(this, QStringLiteral("nameEdit"), newch::kNameLabel, NewChannelNameRule());
    m_pSatellite = DropDown(this, QStringLiteral("satelliteBox"), QStringLiteral("Satellit"));
    m_pTransponder = DropDown(this, QStringLiteral("transponderBox"), QStringLiteral("Transponder"));
    m_pTransponder->setPlaceholderText(QStringLiteral("kein Transponder vorhanden"));
    m_pServiceId = RuleEdit(this, QStringLiteral("serviceIdEdit"), newch::kServiceIdLabel, ServiceIdRule());
    m_pPmtPid = RuleEdit(this, QStringLiteral("pmtPidEdit"), newch::kPmtPidLabel, PidRule());
    if (television)
        m_pVideoPid = RuleEdit(this, QStringLiteral("videoPidEdit"), newch::kVideoPidLabel, PidRule());
    m_pAudioPid = RuleEdit(this, QStringLiteral("audioPidEdit"), newch::kAudioPidLabel, PidRule());
    m_pPcrPid = RuleEdit(this, QStringLiteral("pcrPidEdit"), newch::kPcrPidLabel, PidRule());
    m_pProvider = RuleEdit(this, QStringLiteral("providerEdit"), newch::kProviderLabel, ProviderRule());
    m_pGroup = DropDown(this, QStringLiteral("favouriteBox"), QStringLiteral("Favoriten"));
    m_pLocked = new QCheckBox(QStringLiteral("&Gesperrt"), this);
    m_pLocked->setObjectName(QStringLiteral("lockedBox"));
    m_pLocked->setAccessibleName(QStringLiteral("Gesperrt"));
    m_pScrambled = new QCheckBox(QStringLiteral("Vers&chlüsselt"), this);
    m_pScrambled->setObjectName(QStringLiteral("scrambledBox"));
    m_pScrambled->setAccessibleName(QStringLiteral("Verschlüsselt"));
    m_pSkip = new QCheckBox(QStringLiteral("Über&springen"), this);
    m_pSkip->setObjectName(QStringLiteral("skipBox"));
    m_pSkip->setAccessibleName(QStringLiteral("Überspringen"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Vorlage:"), m_pTemplate);
    form->addRow(note);
    form->addRow(QStringLiteral("&Kanalname"), m_pName);
    form->addRow(QStringLiteral("Sat&ellit"), m_pSatellite);
    form->addRow(QStringLiteral("&Transponder"), m_pTransponder);
    form->addRow(QStringLiteral("Service &ID"), m_pServiceId);
    form->addRow(QStringLiteral("P&MT PId"), m_pPmtPid);
    if (m_pVideoPid)
        form->addRow(QStringLiteral("&Video PId"), m_pVideoPid);
    form->addRow(QStringLiteral("A&udio PId"), m_pAudioPid);
    form->addRow(QStringLiteral("&PCR PId"), m_pPcrPid);
    form->addRow(QStringLiteral("P&rovider"), m_pProvider);
    form->addRow(QStringLiteral("&Favoriten"), m_pGroup);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_pScrambled);
    flags->addWidget(m_pLocked);
    flags->addWidget(m_pSkip);
    flags->addStretch(1);
    form->addRow(QString(), flags);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAccessibleName(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewChannelDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNewChannelDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Satellites and transponders as the channel pane offers them.
    COptionList satellites;
    doc.m_satellites.FillSatelliteOptions(satellites);
    FillBox(m_pSatellite, satellites);
    if (startTransponder >= 0 && startTransponder < doc.m_transponders.GetSize())
        startSatellite =
            doc.m_satellites.IndexOfNumber(doc.m_transponders.GetAt(startTransponder)->GetSatellite());
    m_pSatellite->setCurrentIndex(std::max(0, m_pSatellite->findData(startSatellite)));
    FillTransponders(startTransponder);
    connect(m_pSatellite, &QComboBox::currentIndexChanged, this, [this] { FillTransponders(-1); });
    connect(m_pTransponder, &QComboBox::currentIndexChanged, this, &CNewChannelDlg::ShowTemplate);

    m_pGroup->addItem(QStringLiteral("Keine"), 0);
    const std::vector<CFavoritenData*> groups = doc.m_configuration.GroupOrder();
    for (size_t g = 0; g < groups.size() && g < 8; ++g)
        m_pGroup->addItem(QString::fromStdString(groups[g]->GetName()), static_cast<int>(g) + 1);
    m_pGroup->setCurrentIndex(std::max(0, m_pGroup->findData(startGroup)));

    // Programme data usually comes from the same provider as the template's.
    if (const CServiceData* templ = NewChannelTemplate(doc, television, selected, TransponderIndex()))
        m_pProvider->SetStartText(QString::fromStdString(templ->GetProviderText()));
    ShowTemplate();
    m_pName->setFocus();
}

int CNewChannelDlg::TransponderIndex() const
{
    return m_pTransponder->currentIndex() < 0 ? -1 : m_pTransponder->currentData().toInt();
}

void CNewChannelDlg::FillTransponders(int select)
{
    COptionList options;
    const int satellite = m_pSatellite->currentIndex() < 0 ? -1 : m_pSatellite->currentData().toInt();
    if (satellite >= 0 && satellite < m_doc.m_satellites.GetSize())
        m_doc.m_transponders.FillTransponderOptions(m_doc.m_satellites.GetAt(satellite)->GetNumber(), options);
    {
        const QSignalBlocker quiet(m_pTransponder);
        FillBox(m_pTransponder, options);
        m_pTransponder->setCurrentIndex(m_pTransponder->count() > 0 ? std::max(0, m_pTransponder->findData(select))
                                                                    : -1);
    }
    m_pTransponder->setEnabled(m_pTransponder->count() > 0);
    ShowTemplate();
}

void CNewChannelDlg::ShowTemplate()
{
    const CServiceData* templ = NewChannelTemplate(m_doc, m_bTelevision, m_pSelected, TransponderIndex());
    m_pTemplate->setText(QString::fromStdString(TemplateText(templ)));
    m_pTemplate->setAccessibleName(QStringLiteral("Vorlage: %1").arg(m_pTemplate->text()));
    // Only a template's scrambling can be kept; without one there is nothing to tick.
    const bool scrambled = TemplateScrambled(m_doc, m_bTelevision, m_pSelected, TransponderIndex());
    m_pScrambled->setChecked(scrambled);
    m_pScrambled->setEnabled(scrambled);
    m_pScrambled->setToolTip(scrambled
                                 ? QStringLiteral("Übernimmt die Verschlüsselung der Vorlage.")
                                 : QStringLiteral("Die Vorlage auf diesem Transponder ist unverschlüsselt."));
}

QWidget* CNewChannelDlg::WidgetOf(NewChannelField field) const
{
    switch (field) {
    case NewChannelField::Name:
        return m_pName;
    case NewChannelField::Transponder:
        return m_pSatellite;
    case NewChannelField::ServiceId:
        return m_pServiceId;
    case NewChannelField::PmtPid:
        return m_pPmtPid;
    case NewChannelField::VideoPid:
        return m_pVideoPid;
    case NewChannelField::AudioPid:
        return m_pAudioPid;
    case NewChannelField::PcrPid:
        return m_pPcrPid;
    case NewChannelField::Provider:
        return m_pProvider;
    case NewChannelField::None:
        break;
    }
    return nullptr;
}

void CNewChannelDlg::accept()
{
    NewChannelTexts texts;
    texts.transponderIndex = TransponderIndex();
    texts.name = m_pName->text().toStdString();
    texts.provider = m_pProvider->text().toStdString();
    texts.serviceId = m_pServiceId->text().toStdString();
    texts.pmtPid = m_pPmtPid->text().toStdString();
    texts.videoPid = m_pVideoPid ? m_pVideoPid->text().toStdString() : std::string();
    texts.audioPid = m_pAudioPid->text().toStdString();
    texts.pcrPid = m_pPcrPid->text().toStdString();
    texts.favouriteGroup = m_pGroup->currentData().toInt();
    texts.locked = m_pLocked->isChecked();
    texts.skip = m_pSkip->isChecked();
    texts.scrambled = m_pScrambled->isChecked();
    const NewChannelCheck check = CheckNewChannel(m_doc, texts, m_bTelevision);
    if (!check.error.empty()) {
        m_prompts.Warning(this, windowTitle(), QString::fromStdString(check.error));
        if (QWidget* w = WidgetOf(check.bad)) {
            w->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->selectAll();
        }
        return;
    }
    m_fields = check.fields;
    QDialog::accept();
}
