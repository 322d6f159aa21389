#include "PropertiesToolBar.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>

#include "PaneMessages.h"

namespace {
// Small drawn pictures: a box with a plus for expanding, "AZ" over an arrow
// for the alphabetical order.
QIcon ExpandIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.drawRect(2, 2, 11, 11);
    p.drawLine(5, 7, 10, 7);
    p.drawLine(7, 5, 7, 10);
    return QIcon(pm);
}

QIcon AlphabeticIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QFont f = p.font();
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(30, 60, 140));
    p.drawText(QRect(0, 0, 10, 8), Qt::AlignCenter, QStringLiteral("A"));
    p.drawText(QRect(0, 8, 10, 8), Qt::AlignCenter, QStringLiteral("Z"));
    p.setPen(QColor(60, 60, 60));
    p.drawLine(12, 2, 12, 13);
    p.drawLine(10, 11, 12, 13);
    p.drawLine(14, 11, 12, 13);
    return QIcon(pm);
}
} // namespace

CPropertiesToolBar::CPropertiesToolBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("propertiesToolBar"));
    setAccessibleName(QString::fromUtf8(panemsg::kToolBar));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));

    m_pExpandAll = addAction(ExpandIcon(), QString::fromUtf8(panemsg::kExpandAll));
    m_pExpandAll->setObjectName(QStringLiteral("paneCmd_%1").arg(kExpandAll));
    m_pExpandAll->setProperty("commandId", kExpandAll);
    m_pAlphabetic = addAction(AlphabeticIcon(), QString::fromUtf8(panemsg::kAlphabetic));
    m_pAlphabetic->setObjectName(QStringLiteral("paneCmd_%1").arg(kSortAlphabetic));
    m_pAlphabetic->setProperty("commandId", kSortAlphabetic);
    m_pAlphabetic->setCheckable(true);
    for (QAction* a : actions())
        if (QWidget* button = widgetForAction(a)) {
            button->setObjectName(a->objectName() + QStringLiteral("_button"));
            button->setAccessibleName(a->text());
        }

    connect(m_pExpandAll, &QAction::triggered, this, &CPropertiesToolBar::ExpandAllRequested);
    connect(m_pAlphabetic, &QAction::toggled, this, &CPropertiesToolBar::AlphabeticToggled);
}
