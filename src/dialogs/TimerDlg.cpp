#include "TimerDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

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

    m_pList->Fill(timers != nullptr ? BuildTimerRows(*timers) : std::vector<TimerRowTexts>{});

    // Wide enough for the six columns, fitted to their texts, without a
    // horizontal scroll bar where the screen allows it.
    int width = m_pList->frameWidth() * 2 + 4 + m_pList->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < m_pList->columnCount(); ++c) {
        width += m_pList->columnWidth(c);
    }
    if (const QScreen* screen = this->screen()) {
        width = std::min(width, screen->availableGeometry().width() - 48);
    }
    m_pList->setMinimumWidth(width);
    resize(width + 24, 300);
}
