#include "ReceiverConfigLanguage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "DialogPictures.h"
#include "uibase/Document.h"

namespace {
constexpr const char* kListObjects[kLanguageFieldCount] = {"osdLanguageList", "audio1List", "audio2List",
                                                           "subtitle1List", "subtitle2List"};

bool HasConfiguration(const CDocument* document)
{
    return document != nullptr && document->Core().m_configuration.HasImage();
}
} // namespace

CReceiverConfigLanguage::CReceiverConfigLanguage(CDocument* document, QWidget* parent)
    : CPropertyPage(QStringLiteral("Spracheinstellungen"), pictures::kPageLanguage, parent), m_pDocument(document)
{
    setObjectName(QStringLiteral("languagePage"));
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const bool filled = HasConfiguration(document);
    const LanguageChoice stored = filled ? StoredLanguageCodes(document->Core().m_configuration) : LanguageChoice{};
    for (int f = 0; f < kLanguageFieldCount; ++f) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromUtf8(kListObjects[f]));
        list->setAccessibleName(QString::fromUtf8(LanguageFieldLabel(f)));
        list->setMinimumWidth(160);
        if (filled) {
            const auto options = LanguageOptions(f);
            for (const auto& o : options) {
                list->addItem(QString::fromStdString(o.text), o.value);
            }
            // A stored byte without entry leaves the list without selection.
            list->setCurrentIndex(LanguageOptionIndex(options, stored[static_cast<size_t>(f)]));
        }
        auto* label = new QLabel(QString::fromUtf8(LanguageFieldLabel(f)), this);
        label->setBuddy(list);
        form->addRow(label, list);
        m_lists[static_cast<size_t>(f)] = list;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
}

LanguageChoice CReceiverConfigLanguage::Choice() const
{
    LanguageChoice choice{};
    for (int f = 0; f < kLanguageFieldCount; ++f) {
        const QComboBox* list = m_lists[static_cast<size_t>(f)];
        choice[static_cast<size_t>(f)] = list->currentIndex() >= 0 ? list->currentData().toInt() : -1;
    }
    return choice;
}

void CReceiverConfigLanguage::OnOK()
{
    if (!HasConfiguration(m_pDocument)) {
        return;
    }
    const LanguageChoice choice = Choice();
    m_pDocument->RunChange(QString::fromUtf8(kUndoText),
                           [&] { ApplyLanguageChoice(m_pDocument->Core().m_configuration, choice); });
}
