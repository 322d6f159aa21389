#include "ResourcePage.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "AboutDlg.h"
#include "DialogPictures.h"
#include "MakerLink.h"

CResourcePage::CResourcePage(QWidget* parent)
    : CPropertyPage(QStringLiteral("Informationen"), pictures::kPageInfo, parent)
{
    setObjectName(QStringLiteral("resourcePage"));
    const QFont heavy = HeavyFont(font());

    m_pInfoLine = new QLabel(QStringLiteral("Info über VandrelEditor"), this);
    m_pInfoLine->setObjectName(QStringLiteral("infoLine"));
    m_pInfoLine->setFont(heavy);
    m_pInfo = new QPushButton(QStringLiteral("&Info"), this);
    m_pInfo->setObjectName(QStringLiteral("infoButton"));
    m_pInfo->setAccessibleName(QStringLiteral("Info über VandrelEdit2028"));
    m_pInfoLine->setBuddy(m_pInfo);
    connect(m_pInfo, &QPushButton::clicked, this, &CResourcePage::ShowAbout);

    m_pVersionLine = new QLabel(QStringLiteral("Versionsinformationen und Release Date."), this);
    m_pVersionLine->setObjectName(QStringLiteral("versionLine"));
    m_pVersionLine->setFont(heavy);
    auto* version = new QLabel(QString::fromUtf8(CAboutDlg::kVersionLine), this);
    version->setObjectName(QStringLiteral("versionText"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_pMaker = new CMakerLink(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pInfoLine, 0, 0);
    layout->addWidget(m_pInfo, 0, 1, Qt::AlignRight);
    layout->setRowMinimumHeight(1, 12);
    layout->addWidget(m_pVersionLine, 2, 0, 1, 2);
    layout->addWidget(version, 3, 0, 1, 2);
    layout->setRowMinimumHeight(4, 24);
    layout->addWidget(m_pMaker, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    layout->setColumnStretch(0, 1);
}

void CResourcePage::ShowAbout()
{
    CAboutDlg about(this);
    about.exec();
}
