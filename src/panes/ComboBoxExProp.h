#pragma once
#include <QIcon>

#include "PropertyGridRow.h"
#include "model/OptionList.h"

// The drop-down row of the property panes: option texts with parallel
// values. The row shows the text of a value (SelectValue) and reads the
// value of a chosen text back (ValueOfText). Its list opens 400 pixels high
// and shows the row's image beside every option when it has one.
class CComboBoxExProp : public CPropertyGridRow {
public:
    static constexpr int kDropDownHeight = 400;

    CComboBoxExProp(const QString& name, const QString& value, int id);

    void AddOption(const QString& text, int value);
    void RemoveAllOptions();
    // Replaces the options by those of a fill.
    void SetOptions(const COptionList& options);
    const COptionList& Options() const { return m_options; }
    QList<int> OptionValues() const;
    QStringList OptionTexts() const override;

    // A negative value shows the first option's text; otherwise the text of
    // the last option with that value, or the empty text.
    void SelectValue(int value);
    // The value of the last option with exactly that text, 0 when none.
    int ValueOfText(const QString& text) const;

    QIcon Image() const { return m_image; }
    void SetImage(const QIcon& image) { m_image = image; }

private:
    COptionList m_options;
    QIcon m_image;
};
