#include "TimerDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "TimerListCtrl.h"
#include "model/AlarmData.h"

CTimerDlg::CTimerDlg(const CAlarmDataArray* timers, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("timerDialog"));
    setAccessibleName(QStringLiteral("Timer"));
    setWindowTitle(QStringLiteral("Timer"));
    setModal(true);

    m_pList = new CTimerListCtrl(this);
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setAccessibleName(QStringLiteral("OK"));
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);

    // Wide enough for the six columns without a horizontal scroll bar.
    int width = m_pList->frameWidth() * 2 + 4;
    for (int c = 0; c < m_pList->columnCount(); ++c) {
        width += m_pList->columnWidth(c);
    }
    m_pList->setMinimumWidth(width);
    resize(width + 24, 300);

    m_pList->Fill(timers != nullptr ? BuildTimerRows(*timers) : std::vector<TimerRowTexts>{});
}
