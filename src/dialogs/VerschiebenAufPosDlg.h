#pragma once
#include <QDialog>

class IUserPrompts;
class QLineEdit;
class QPushButton;
class QToolButton;

// "Verschieben auf Pos...": asks for the channel position the selected
// channels move to. The field takes any text; "&OK" checks it against 1 and
// the upper bound and refuses what does not fit with a message, leaving the
// dialog open. The spin buttons step the value the dialog holds, not the
// text typed since, and keep it within the bounds.
class CVerschiebenAufPosDlg : public QDialog {
    Q_OBJECT
public:
    CVerschiebenAufPosDlg(IUserPrompts& prompts, int upper, QWidget* parent = nullptr);

    // The entered position; valid after the dialog was accepted.
    int Position() const { return m_nPosition; }
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }

    QLineEdit* PositionEdit() const { return m_pEdit; }
    QToolButton* SpinUpButton() const { return m_pUp; }
    QToolButton* SpinDownButton() const { return m_pDown; }

    // One spin step: +1 raises, -1 lowers the held value, clamped to the
    // bounds, and writes it into the field.
    void Step(int delta);

public slots:
    // "&OK": accepts only a whole number within the bounds.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    IUserPrompts& m_prompts;
    const int m_nLower = 1;
    int m_nUpper;
    int m_nPosition = 1;
    QLineEdit* m_pEdit = nullptr;
    QToolButton* m_pUp = nullptr;
    QToolButton* m_pDown = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
