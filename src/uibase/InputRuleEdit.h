#pragma once
#include <QLineEdit>
#include <QValidator>

#include "document/InputRules.h"

// Checks every change of a line edit against an input rule: a change the
// rule refuses is not taken, a text that may not be stored yet stays
// Intermediate. Knows the text the edit started with, so a stored value
// that already breaks the rule can still be corrected.
class CInputRuleValidator : public QValidator {
    Q_OBJECT
public:
    CInputRuleValidator(const InputRule& rule, const QString& label, QObject* parent = nullptr);

    void SetStartText(const QString& text) { m_strStart = text; }
    State validate(QString& input, int& pos) const override;
    // Why the text is not accepted; empty when it is.
    QString Problem(const QString& text) const;
    // Why the last refused change was refused.
    QString LastRefusal() const { return m_strLastRefusal; }

private:
    InputCheck Check(const QString& text) const;

    InputRule m_rule;
    QString m_strLabel;
    QString m_strStart;
    mutable QString m_strLastRefusal;
};

// A line edit that takes only what its field can hold and says so: a
// refused keystroke or paste, and Enter on a text that cannot be stored,
// show the reason beside the field.
class CInputRuleEdit : public QLineEdit {
    Q_OBJECT
public:
    CInputRuleEdit(const InputRule& rule, const QString& label, QWidget* parent = nullptr);

    // Shows the text without checking it and edits from there.
    void SetStartText(const QString& text);
    // Shows why the current text cannot be stored; false when it can.
    bool ExplainProblem();
    // The hint last shown beside the field.
    QString Hint() const { return m_strHint; }

    // For editors inside item views: Enter on a text that cannot be stored
    // shows the reason (the view's delegate then keeps the editor open).
    static void ExplainOnEnter(QObject* editor, const QEvent* event);

protected:
    // Leaving a field whose text cannot be stored says why; the text stays.
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowHint(const QString& text);

    CInputRuleValidator* m_pValidator;
    QString m_strHint;
};
