#include "VerschiebenAufPosDlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "uibase/AppMessages.h"
#include "uibase/UserPrompts.h"
#include "document/ChannelEdits.h"

namespace {
QToolButton* SpinButton(QWidget* parent, Qt::ArrowType arrow, const QString& name, const QString& accessible)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setAccessibleName(accessible);
    b->setToolTip(accessible);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return b;
}
} // namespace

CVerschiebenAufPosDlg::CVerschiebenAufPosDlg(IUserPrompts& prompts, int upper, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_nUpper(upper)
{
    setObjectName(QStringLiteral("moveToPositionDialog"));
    setWindowTitle(QStringLiteral("Verschieben auf Pos..."));
    setAccessibleName(QStringLiteral("Verschieben auf Position"));
    setModal(true);

    auto* label = new QLabel(QStringLiteral("Verschieben auf Pos  .  .  . "), this);
    label->setObjectName(QStringLiteral("positionLabel"));

    m_pEdit = new QLineEdit(QString::number(m_nPosition), this);
    m_pEdit->setObjectName(QStringLiteral("positionEdit"));
    m_pEdit->setAccessibleName(QStringLiteral("Position"));
    m_pEdit->setAccessibleDescription(QStringLiteral("Ganze Zahl zwischen 1 und %1").arg(m_nUpper));
    // Wide enough for the five digits of the largest table.
    m_pEdit->setMinimumWidth(m_pEdit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    m_pEdit->installEventFilter(this);
    label->setBuddy(m_pEdit);

    m_pUp = SpinButton(this, Qt::UpArrow, QStringLiteral("spinUpButton"), QStringLiteral("Position erhöhen"));
    m_pDown =
        SpinButton(this, Qt::DownArrow, QStringLiteral("spinDownButton"), QStringLiteral("Position verringern"));
    connect(m_pUp, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { Step(-1); });

    auto* spin = new QVBoxLayout;
    spin->setContentsMargins(0, 0, 0, 0);
    spin->setSpacing(0);
    spin->addWidget(m_pUp);
    spin->addWidget(m_pDown);
    // The arrows sit at the field's right edge, as one control.
    auto* field = new QHBoxLayout;
    field->setSpacing(0);
    field->addWidget(m_pEdit, 1);
    field->addLayout(spin);

    auto* input = new QHBoxLayout;
    input->addWidget(label);
    input->addLayout(field, 1);

    m_pOk = new QPushButton(QStringLiteral("&OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setAccessibleName(QStringLiteral("OK"));
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    m_pCancel->setObjectName(QStringLiteral("cancelButton"));
    m_pCancel->setAccessibleName(QStringLiteral("Abbrechen"));
    m_pCancel->setAutoDefault(false);
    connect(m_pOk, &QPushButton::clicked, this, &CVerschiebenAufPosDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CVerschiebenAufPosDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(input);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_pEdit->setFocus();
    m_pEdit->selectAll();
}

void CVerschiebenAufPosDlg::Step(int delta)
{
    m_nPosition = ClampPosition(static_cast<long long>(m_nPosition) + delta, m_nUpper);
    m_pEdit->setText(QString::number(m_nPosition));
}

void CVerschiebenAufPosDlg::accept()
{
    const PositionInput input = ParsePositionInput(m_pEdit->text().toStdString(), m_nUpper);
    if (!input.ok) {
        m_prompts.Warning(this, QString::fromUtf8(appmsg::kAppName), QString::fromStdString(input.error));
        m_pEdit->setFocus();
        m_pEdit->selectAll();
        return;
    }
    m_nPosition = input.value;
    QDialog::accept();
}

bool CVerschiebenAufPosDlg::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow keys in the field spin like the buttons.
    if (watched == m_pEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Up) {
                Step(+1);
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                Step(-1);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
