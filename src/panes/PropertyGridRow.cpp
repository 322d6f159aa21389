#include "PropertyGridRow.h"

#include "PaneMessages.h"
#include "PropertyGrid.h"

CPropertyGridRow::CPropertyGridRow(const QString& name, const QString& value, int id, Kind kind)
    : m_strName(name), m_strValue(value), m_nId(id), m_kind(kind)
{
    if (kind != Kind::Text)
        m_edit = Edit::ChooseOnly;
}

CPropertyGridRow::~CPropertyGridRow() = default;

CPropertyGridRow* CPropertyGridRow::YesNo(const QString& name, bool value, int id)
{
    auto* row = new CPropertyGridRow(name, QString(), id, Kind::YesNo);
    row->SetYes(value);
    return row;
}

void CPropertyGridRow::SetValue(const QString& value)
{
    if (value == m_strValue)
        return;
    m_strValue = value;
    Changed();
}

bool CPropertyGridRow::IsYes() const
{
    return m_strValue == QString::fromUtf8(panemsg::kYes);
}

void CPropertyGridRow::SetYes(bool yes)
{
    SetValue(QString::fromUtf8(yes ? panemsg::kYes : panemsg::kNo));
}

void CPropertyGridRow::SetEditMode(Edit edit)
{
    if (edit == m_edit)
        return;
    m_edit = edit;
    Changed();
}

void CPropertyGridRow::SetMask(const QString& mask, const QString& templateText)
{
    m_strMask = mask;
    m_strTemplate = templateText;
}

void CPropertyGridRow::SetInputRule(const InputRule& rule)
{
    m_inputRule = rule;
    if (m_strDescription.isEmpty())
        m_strDescription = QString::fromStdString(DescribeRule(rule));
    Changed();
}

int CPropertyGridRow::MaskDigits() const
{
    // Only digit masks are used: one 'd' per place.
    return m_strMask.count(QLatin1Char('d'));
}

void CPropertyGridRow::SetModified(bool modified)
{
    if (modified == m_bModified)
        return;
    m_bModified = modified;
    Changed();
}

QStringList CPropertyGridRow::OptionTexts() const
{
    if (m_kind == Kind::YesNo)
        return {QString::fromUtf8(panemsg::kYes), QString::fromUtf8(panemsg::kNo)};
    return {};
}

void CPropertyGridRow::Changed()
{
    if (m_pGrid)
        m_pGrid->UpdateRow(this);
}
