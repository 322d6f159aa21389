#include "InputRuleEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QToolTip>

CInputRuleValidator::CInputRuleValidator(const InputRule& rule, const QString& label, QObject* parent)
    : QValidator(parent), m_rule(rule), m_strLabel(label)
{
}

InputCheck CInputRuleValidator::Check(const QString& text) const
{
    return CheckInputChange(m_rule, m_strLabel.toStdString(), m_strStart.toStdString(), text.toStdString());
}

QValidator::State CInputRuleValidator::validate(QString& input, int& pos) const
{
    (void)pos;
    const InputCheck check = Check(input);
    switch (check.verdict) {
    case InputVerdict::Accepted:
        return Acceptable;
    case InputVerdict::Incomplete:
        return Intermediate;
    case InputVerdict::Refused:
        break;
    }
    m_strLastRefusal = QString::fromStdString(check.message);
    return Invalid;
}

QString CInputRuleValidator::Problem(const QString& text) const
{
    return QString::fromStdString(Check(text).message);
}

CInputRuleEdit::CInputRuleEdit(const InputRule& rule, const QString& label, QWidget* parent)
    : QLineEdit(parent), m_pValidator(new CInputRuleValidator(rule, label, this))
{
    setValidator(m_pValidator);
    // Refused input is told, not cut: no length limit of the edit itself.
    connect(this, &QLineEdit::inputRejected, this, [this] { ShowHint(m_pValidator->LastRefusal()); });
}

void CInputRuleEdit::SetStartText(const QString& text)
{
    m_pValidator->SetStartText(text);
    setText(text);
}

bool CInputRuleEdit::ExplainProblem()
{
    if (hasAcceptableInput())
        return false;
    ShowHint(m_pValidator->Problem(text()));
    return true;
}

void CInputRuleEdit::ExplainOnEnter(QObject* editor, const QEvent* event)
{
    auto* edit = qobject_cast<CInputRuleEdit*>(editor);
    if (!edit || event->type() != QEvent::KeyPress)
        return;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        edit->ExplainProblem();
}

void CInputRuleEdit::focusOutEvent(QFocusEvent* event)
{
    // An empty field is only told on Enter: Tab through a blank form is quiet.
    if (!text().isEmpty() && event->reason() != Qt::PopupFocusReason)
        ExplainProblem();
    QLineEdit::focusOutEvent(event);
}

void CInputRuleEdit::ShowHint(const QString& text)
{
    if (text.isEmpty())
        return;
    m_strHint = text;
    setAccessibleDescription(text);
    QToolTip::showText(mapToGlobal(QPoint(0, height())), text, this);
}
