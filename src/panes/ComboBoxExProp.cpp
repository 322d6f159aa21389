#include "ComboBoxExProp.h"

CComboBoxExProp::CComboBoxExProp(const QString& name, const QString& value, int id)
    : CPropertyGridRow(name, value, id, Kind::DropDown)
{
}

void CComboBoxExProp::AddOption(const QString& text, int value)
{
    m_options.AddOption(text.toStdString(), value);
}

void CComboBoxExProp::RemoveAllOptions()
{
    m_options.RemoveAll();
}

void CComboBoxExProp::SetOptions(const COptionList& options)
{
    m_options = options;
}

QList<int> CComboBoxExProp::OptionValues() const
{
    QList<int> values;
    for (const auto& o : m_options.Options())
        values.append(o.value);
    return values;
}

QStringList CComboBoxExProp::OptionTexts() const
{
    QStringList texts;
    for (const auto& o : m_options.Options())
        texts.append(QString::fromStdString(o.text));
    return texts;
}

void CComboBoxExProp::SelectValue(int value)
{
    SetValue(QString::fromStdString(m_options.SelectValueText(value)));
}

int CComboBoxExProp::ValueOfText(const QString& text) const
{
    return m_options.ChosenValue(text.toStdString());
}
