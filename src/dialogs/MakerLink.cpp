#include "MakerLink.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "DialogPictures.h"

QFont HeavyFont(const QFont& base)
{
    QFont f = base;
    f.setWeight(QFont::Black);
    return f;
}

CMakerLink::CMakerLink(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("makerLink"));
    setAccessibleName(QStringLiteral("Rudevoz"));

    m_pCaption = new QLabel(QStringLiteral("Mit freundlicher Unterstützung der Firma:"), this);
    m_pCaption->setObjectName(QStringLiteral("makerCaption"));
    m_pCaption->setFont(HeavyFont(font()));

    m_pLogo = new QLabel(this);
    m_pLogo->setObjectName(QStringLiteral("makerLogo"));
    m_pLogo->setAccessibleName(QStringLiteral("Rudevoz Logo"));
    m_pLogo->setPixmap(RenderPicture(pictures::kMakerLogo));

    const QString url = QString::fromUtf8(kSiteUrl);
    m_pLink = new QPushButton(url, this);
    m_pLink->setObjectName(QStringLiteral("makerLinkButton"));
    m_pLink->setAccessibleName(QStringLiteral("Rudevoz Webseite"));
    m_pLink->setToolTip(QStringLiteral("Visit Rudevoz site"));
    m_pLink->setFlat(true);
    m_pLink->setCursor(Qt::PointingHandCursor);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    m_pLink->setFont(linkFont);
    QPalette pal = m_pLink->palette();
    pal.setColor(QPalette::ButtonText, pal.color(QPalette::Link));
    m_pLink->setPalette(pal);
    m_pLink->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_pLink, &QPushButton::clicked, this, [url] { QDesktopServices::openUrl(QUrl(url)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pCaption);
    layout->addWidget(m_pLogo);
    layout->addWidget(m_pLink);
}
