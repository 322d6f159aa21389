#include "DesktopAlert.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "uibase/AppMessages.h"

CDesktopAlert::CDesktopAlert(const QString& text, const QIcon& icon)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("desktopAlert"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    const QString caption = QString::fromUtf8(appmsg::kAlertCaption);
    setWindowTitle(caption);
    setAccessibleName(caption);
    setWindowIcon(icon);
    setWindowOpacity(kAlpha / 255.0);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);

    // The small caption: icon, title and a close button.
    auto* captionBar = new QWidget(this);
    captionBar->setObjectName(QStringLiteral("desktopAlertCaption"));
    captionBar->setAutoFillBackground(true);
    captionBar->setBackgroundRole(QPalette::Highlight);
    captionBar->setForegroundRole(QPalette::HighlightedText);
    auto* captionLayout = new QHBoxLayout(captionBar);
    captionLayout->setContentsMargins(4, 1, 1, 1);
    captionLayout->setSpacing(4);
    auto* iconLabel = new QLabel(captionBar);
    iconLabel->setPixmap(icon.pixmap(14, 14));
    captionLayout->addWidget(iconLabel);
    auto* title = new QLabel(caption, captionBar);
    QFont small = title->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    title->setFont(small);
    title->setForegroundRole(QPalette::HighlightedText);
    captionLayout->addWidget(title, 1);
    auto* closeButton = new QToolButton(captionBar);
    closeButton->setAutoRaise(true);
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setIconSize(QSize(10, 10));
    closeButton->setAccessibleName(QStringLiteral("Schließen"));
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    captionLayout->addWidget(closeButton);
    outer->addWidget(captionBar);

    auto* bodyRow = new QHBoxLayout;
    bodyRow->setContentsMargins(10, 8, 12, 10);
    bodyRow->setSpacing(10);
    auto* bigIcon = new QLabel(this);
    bigIcon->setPixmap(icon.pixmap(32, 32));
    bigIcon->setAlignment(Qt::AlignTop);
    bodyRow->addWidget(bigIcon);
    m_pBody = new QLabel(QString::fromUtf8(appmsg::kAlertBody).arg(text), this);
    m_pBody->setObjectName(QStringLiteral("desktopAlertBody"));
    m_pBody->setTextFormat(Qt::PlainText);
    m_pBody->setWordWrap(true);
    bodyRow->addWidget(m_pBody, 1);
    outer->addLayout(bodyRow);

    setMinimumWidth(300);
    setMaximumWidth(420);
    adjustSize();

    QTimer::singleShot(kCloseAfterMs, this, &QWidget::close);
}

CDesktopAlert* CDesktopAlert::Show(const QString& text, const QIcon& icon)
{
    auto* alert = new CDesktopAlert(text, icon);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QSize size = alert->sizeHint().expandedTo(alert->minimumSize());
    alert->resize(size);
    alert->m_finalPos = QPoint(area.right() - size.width() - 8, area.bottom() - size.height() - 8);
    // Slides up from just below the bottom edge of the available area.
    const QPoint start(alert->m_finalPos.x(), area.bottom() + 1);
    alert->move(start);
    alert->show();
    auto* slide = new QPropertyAnimation(alert, "pos", alert);
    slide->setDuration(kSlideMs);
    slide->setStartValue(start);
    slide->setEndValue(alert->m_finalPos);
    slide->setEasingCurve(QEasingCurve::OutCubic);
    slide->start(QAbstractAnimation::DeleteWhenStopped);
    return alert;
}

QString CDesktopAlert::BodyText() const
{
    return m_pBody->text();
}

void CDesktopAlert::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CDesktopAlert::mousePressEvent(QMouseEvent*)
{
    // A click dismisses the popup early, as with the system's own popups.
    close();
}
