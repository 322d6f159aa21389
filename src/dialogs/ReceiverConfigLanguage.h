#pragma once
#include <array>

#include "PropertySheet.h"
#include "document/OptionSettings.h"

class CDocument;
class QComboBox;

// "Spracheinstellungen": the receiver's on-screen-display language and its
// two audio and two subtitle languages, from the configuration block of the
// active document. OK stores the choices that were made as one undoable
// step; without a document (or without a configuration block) the lists stay
// empty and OK changes nothing.
class CReceiverConfigLanguage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CReceiverConfigLanguage(CDocument* document, QWidget* parent = nullptr);

    QComboBox* List(int field) const { return m_lists[static_cast<size_t>(field)]; }
    // The codes selected now, -1 where nothing is selected.
    LanguageChoice Choice() const;

    void OnOK() override;

    // The text of the undo step.
    static constexpr const char* kUndoText = "Spracheinstellungen";

private:
    CDocument* m_pDocument;
    std::array<QComboBox*, kLanguageFieldCount> m_lists{};
};
