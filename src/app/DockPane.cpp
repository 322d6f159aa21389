#include "DockPane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace {
// A drawn pin: upright while the pane stays, lying while it hides itself.
QIcon PinIcon(bool upright, const QColor& color)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (!upright) {
        p.translate(8, 8);
        p.rotate(90);
        p.translate(-8, -8);
    }
    p.setPen(QPen(color, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5.5, 1.5, 5, 7));
    p.drawLine(QPointF(3.5, 8.5), QPointF(12.5, 8.5));
    p.drawLine(QPointF(8, 8.5), QPointF(8, 14.5));
    return QIcon(pm);
}
} // namespace

CDockPane::CDockPane(const QString& title, int paneId, QWidget* parent)
    : QDockWidget(title, parent), m_nPaneId(paneId)
{
    setObjectName(QStringLiteral("pane_%1").arg(paneId));
    setAccessibleName(title);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    // A pane behind another pane's tab stays out of the Tab chain.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (widget())
            widget()->setEnabled(visible);
    });

    m_pTab = new QToolButton;
    m_pTab->setObjectName(QStringLiteral("autoHideTab_%1").arg(paneId));
    m_pTab->setText(title);
    m_pTab->setToolTip(title);
    m_pTab->setAccessibleName(title);
    m_pTab->setAutoRaise(true);
    connect(m_pTab, &QToolButton::clicked, this, &CDockPane::ShowPane);
    // The edge bar owns the tab once it is placed there; until then the pane does.
    m_pTab->setParent(this);
    m_pTab->hide();

    BuildTitleBar();
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        m_pPin->setEnabled(!floating);
        if (floating && m_bAutoHide)
            SetAutoHide(false);
    });

    auto* placeholder = new QLabel(this);
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setEnabled(false);
    SetContent(placeholder);
}

void CDockPane::BuildTitleBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("paneTitleBar"));
    bar->setAutoFillBackground(true);
    bar->setBackgroundRole(QPalette::Button);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(1);
    m_pTitle = new QLabel(windowTitle(), bar);
    QFont f = m_pTitle->font();
    f.setBold(true);
    m_pTitle->setFont(f);
    layout->addWidget(m_pTitle, 1);

    const auto makeButton = [bar, layout](const QString& name, const QString& tip) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        b->setIconSize(QSize(12, 12));
        layout->addWidget(b);
        return b;
    };
    auto* floatButton = makeButton(QStringLiteral("paneFloat"), QStringLiteral("Abdocken"));
    floatButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarNormalButton));
    connect(floatButton, &QToolButton::clicked, this, [this] { setFloating(!isFloating()); });
    m_pPin = makeButton(QStringLiteral("panePin"), QString());
    m_pPin->setCheckable(true);
    connect(m_pPin, &QToolButton::clicked, this, [this](bool checked) { SetAutoHide(checked); });
    auto* closeButton = makeButton(QStringLiteral("paneClose"), QStringLiteral("Schließen"));
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    connect(closeButton, &QToolButton::clicked, this, [this] {
        if (m_bAutoHide)
            SetAutoHide(false);
        close();
    });
    setTitleBarWidget(bar);
    UpdatePinButton();
}

void CDockPane::UpdatePinButton()
{
    const QColor color = palette().color(QPalette::ButtonText);
    m_pPin->setChecked(m_bAutoHide);
    m_pPin->setIcon(PinIcon(!m_bAutoHide, color));
    const QString tip = m_bAutoHide ? QStringLiteral("Andocken") : QStringLiteral("Automatisch ausblenden");
    m_pPin->setToolTip(tip);
    m_pPin->setAccessibleName(tip);
}

void CDockPane::SetContent(QWidget* content)
{
    QWidget* old = widget();
    setWidget(content);
    if (old && old != content)
        old->deleteLater();
}

void CDockPane::ShowPane()
{
    show();
    raise();
    activateWindow();
    if (widget())
        widget()->setFocus(Qt::OtherFocusReason);
}

void CDockPane::SetAutoHide(bool autoHide)
{
    if (autoHide && isFloating())
        return;
    if (m_bAutoHide == autoHide)
        return;
    m_bAutoHide = autoHide;
    UpdatePinButton();
    // The frame moves the tab onto the edge bar before the pane is hidden.
    emit AutoHideChanged(this, autoHide);
    setVisible(!autoHide);
}

void CDockPane::HideIfLeft()
{
    if (!IsPeeking())
        return;
    const QPoint cursor = QCursor::pos();
    const bool overPane = rect().contains(mapFromGlobal(cursor));
    const bool overTab = m_pTab->isVisible() && m_pTab->rect().contains(m_pTab->mapFromGlobal(cursor));
    QWidget* focus = QApplication::focusWidget();
    const bool focusInside = focus && isAncestorOf(focus);
    if (!overPane && !overTab && !focusInside)
        hide();
}
