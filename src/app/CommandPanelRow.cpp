#include "CommandPanelRow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <algorithm>

CCommandPanelRow::CCommandPanelRow(QWidget* parent) : QWidget(parent), m_pLayout(new QHBoxLayout(this))
{
    m_pLayout->setContentsMargins(2, 0, 2, 2);
    m_pLayout->setSpacing(3);
    m_pLayout->addStretch(1);
}

void CCommandPanelRow::AddPanel(QGroupBox* panel, QMenu* commands, const QIcon& icon)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("collapsed_") + panel->title());
    button->setText(panel->title());
    button->setAccessibleName(panel->title());
    const QString description = QStringLiteral("Zeigt die Befehle der Gruppe „%1“.").arg(panel->title());
    button->setToolTip(panel->title() + QLatin1Char('\n') + description);
    button->setStatusTip(description);
    button->setAccessibleDescription(description);
    button->setIcon(icon);
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setPopupMode(QToolButton::InstantPopup);
    commands->setToolTipsVisible(true);
    button->setMenu(commands);
    // The panel's key tip opens the menu while the panel is collapsed.
    button->setProperty("keyTip", panel->property("keyTip"));
    button->hide();
    // In front of the closing stretch.
    const int at = m_pLayout->count() - 1;
    m_pLayout->insertWidget(at, panel);
    m_pLayout->insertWidget(at + 1, button, 0, Qt::AlignTop);
    m_panels.push_back({panel, button});
    Fit(width());
}

QToolButton* CCommandPanelRow::CollapsedButton(const QGroupBox* panel) const
{
    for (const Panel& p : m_panels)
        if (p.panel == panel)
            return p.collapsed->isHidden() ? nullptr : p.collapsed;
    return nullptr;
}

int CCommandPanelRow::Extent(const std::vector<int>& widths) const
{
    const QMargins m = m_pLayout->contentsMargins();
    int total = m.left() + m.right();
    for (int w : widths)
        total += w;
    if (!widths.empty())
        total += m_pLayout->spacing() * int(widths.size() - 1);
    return total;
}

QSize CCommandPanelRow::sizeHint() const
{
    std::vector<int> widths;
    for (const Panel& p : m_panels)
        widths.push_back(ExpandedWidth(p));
    return {Extent(widths), Height()};
}

QSize CCommandPanelRow::minimumSizeHint() const
{
    std::vector<int> widths;
    for (const Panel& p : m_panels)
        widths.push_back(p.collapsed->sizeHint().width());
    return {Extent(widths), Height()};
}

int CCommandPanelRow::ExpandedWidth(const Panel& p)
{
    // A group box is as wide as its contents or its title, whichever is wider.
    return std::max(p.panel->sizeHint().width(), p.panel->minimumSizeHint().width());
}

int CCommandPanelRow::Height() const
{
    // The same whatever is collapsed: the window below does not jump.
    int height = 0;
    for (const Panel& p : m_panels)
        height = std::max({height, p.panel->sizeHint().height(), p.collapsed->sizeHint().height()});
    const QMargins m = m_pLayout->contentsMargins();
    return height + m.top() + m.bottom();
}

void CCommandPanelRow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Fit(width());
}

void CCommandPanelRow::Fit(int width)
{
    // A panel's width does not depend on whether it is shown, so the choice
    // is the same however often the row is laid out: no flicker.
    std::vector<int> widths;
    for (const Panel& p : m_panels)
        widths.push_back(ExpandedWidth(p));
    size_t expanded = m_panels.size();
    while (expanded > 0 && Extent(widths) > width) {
        --expanded;
        widths[expanded] = m_panels[expanded].collapsed->sizeHint().width();
    }
    for (size_t i = 0; i < m_panels.size(); ++i) {
        const bool collapse = i >= expanded;
        if (m_panels[i].collapsed->isHidden() == collapse) {
            m_panels[i].panel->setVisible(!collapse);
            m_panels[i].collapsed->setVisible(collapse);
        }
    }
}
