#include "CommandBarKeyboard.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>
#include <QWindow>
#include <algorithm>

#include "CommandBar.h"
#include "CommandPanelRow.h"

namespace {
QString KeyTipOf(const QObject* object)
{
    return object ? object->property("keyTip").toString() : QString();
}

int KeyOfLetter(const QString& letter)
{
    return letter.size() == 1 ? Qt::Key_A + (letter.at(0).toUpper().unicode() - u'A') : 0;
}
} // namespace

CCommandBarKeyboard::CCommandBarKeyboard(CCommandBar& bar, Commands homeTips)
    : QObject(&bar), m_bar(bar), m_homeTips(std::move(homeTips))
{
    setObjectName(QStringLiteral("commandBarKeyboard"));
    qApp->installEventFilter(this);
}

CCommandBarKeyboard::~CCommandBarKeyboard()
{
    qApp->removeEventFilter(this);
    ClearBadges();
}

// ---- showing the key tips ----------------------------------------------------------------

void CCommandBarKeyboard::Show(Level level)
{
    ClearBadges();
    m_level = level;
    if (level == Level::Top)
        ShowTopTips();
    else if (level == Level::Home)
        ShowHomeTips();
}

QStringList CCommandBarKeyboard::ShownTips() const
{
    QStringList letters;
    for (const QPointer<QLabel>& badge : m_badges)
        if (badge && badge->isVisible())
            letters << badge->text();
    return letters;
}

QLabel* CCommandBarKeyboard::AddBadge(QWidget* owner, const QString& letter)
{
    auto* badge = new QLabel(letter, owner);
    badge->setObjectName(QStringLiteral("keyTip_") + letter);
    badge->setAccessibleName(QStringLiteral("Zugriffstaste ") + letter);
    badge->setAttribute(Qt::WA_TransparentForMouseEvents);
    badge->setAlignment(Qt::AlignCenter);
    // The look of a ribbon key tip: a small framed letter on tooltip yellow.
    badge->setStyleSheet(QStringLiteral("QLabel { background: #FFFFE1; color: #000000; border: 1px solid #767676; "
                                        "padding: 0px 3px; font-weight: bold; }"));
    m_badges.append(badge);
    return badge;
}

void CCommandBarKeyboard::PlaceBadge(QLabel* badge, QWidget* target, const QRect& rect)
{
    QWidget* owner = badge->parentWidget();
    badge->adjustSize();
    // Centred on the lower edge of what it names, inside the window.
    const QPoint anchor = target->mapTo(owner, QPoint(rect.center().x(), rect.bottom()));
    const int x = std::clamp(anchor.x() - badge->width() / 2, 0, std::max(0, owner->width() - badge->width()));
    const int y = std::clamp(anchor.y() - badge->height() / 2, 0, std::max(0, owner->height() - badge->height()));
    badge->move(x, y);
    badge->raise();
    badge->show();
}

void CCommandBarKeyboard::ShowTopTips()
{
    QWidget* window = m_bar.window();
    QToolButton* app = m_bar.ApplicationButton();
    PlaceBadge(AddBadge(window, KeyTipOf(app)), app, app->rect());
    QTabBar* tabs = m_bar.Tabs();
    const QWidget* home = static_cast<QWidget*>(m_bar.HomePanels());
    PlaceBadge(AddBadge(window, KeyTipOf(home)), tabs, tabs->tabRect(0));
    for (QToolButton* b : {m_bar.StyleButton(), m_bar.HelpButton()})
        if (b)
            PlaceBadge(AddBadge(window, KeyTipOf(b)), b, b->rect());
}

void CCommandBarKeyboard::ShowHomeTips()
{
    QWidget* window = m_bar.window();
    QWidget* home = static_cast<QWidget*>(m_bar.HomePanels());
    if (!home)
        return;
    // The panels and buttons that carry a key tip, as the bar lays them out:
    // a panel's beside its title, a small button's on its icon, a large
    // button's below its picture.
    for (QGroupBox* panel : home->findChildren<QGroupBox*>()) {
        if (KeyTipOf(panel).isEmpty() || panel->isHidden())
            continue;
        const QFontMetrics metrics(panel->font());
        const int right = metrics.horizontalAdvance(panel->title()) + 2 * metrics.height();
        PlaceBadge(AddBadge(window, KeyTipOf(panel)), panel, QRect(right, 0, 0, metrics.height()));
    }
    for (QToolButton* b : home->findChildren<QToolButton*>()) {
        // A command's own tip, or that of the collapsed panel a button stands for.
        const QString tip = b->defaultAction() ? KeyTipOf(b->defaultAction()) : KeyTipOf(b);
        if (tip.isEmpty() || !b->isVisible())
            continue;
        const QSize icon = b->iconSize();
        const QRect at = b->toolButtonStyle() == Qt::ToolButtonTextBesideIcon
                             ? QRect(2, (b->height() - icon.height()) / 2, icon.width() + 4, icon.height() + 6)
                             : b->rect();
        PlaceBadge(AddBadge(window, tip), b, at);
    }
}

void CCommandBarKeyboard::OpenMenuWithTips(QWidget* target)
{
    auto* button = qobject_cast<QToolButton*>(target);
    QMenu* menu = button ? button->menu() : nullptr;
    if (!menu)
        return;
    // The menu's own key tips ("P" for "Drucken") stand beside their entries
    // while it is open.
    const QMetaObject::Connection shown = connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* a : menu->actions()) {
            if (KeyTipOf(a).isEmpty())
                continue;
            QLabel* badge = AddBadge(menu, KeyTipOf(a));
            badge->adjustSize();
            const QRect r = menu->actionGeometry(a);
            badge->move(r.right() - badge->width() - 24, r.center().y() - badge->height() / 2);
            badge->show();
        }
    });
    const QMetaObject::Connection hidden = connect(menu, &QMenu::aboutToHide, this, [this] { ClearBadges(); });
    button->showMenu();
    disconnect(shown);
    disconnect(hidden);
    ClearBadges();
}

void CCommandBarKeyboard::ClearBadges()
{
    for (const QPointer<QLabel>& badge : m_badges)
        delete badge.data();
    m_badges.clear();
}

// ---- keys ------------------------------------------------------------------------------------------

bool CCommandBarKeyboard::RunTopTip(int key)
{
    QToolButton* app = m_bar.ApplicationButton();
    if (key == KeyOfLetter(KeyTipOf(app))) {
        Hide();
        OpenMenuWithTips(app);
        return true;
    }
    if (key == KeyOfLetter(KeyTipOf(static_cast<QWidget*>(m_bar.HomePanels())))) {
        m_bar.Tabs()->setCurrentIndex(0);
        Show(Level::Home);
        return true;
    }
    for (QToolButton* b : {m_bar.StyleButton(), m_bar.HelpButton()}) {
        if (b && key == KeyOfLetter(KeyTipOf(b))) {
            Hide();
            b->showMenu();
            return true;
        }
    }
    return false;
}

bool CCommandBarKeyboard::OnKeyTip(const QKeyEvent* key)
{
    const int k = key->key();
    if (k == Qt::Key_Alt || k == Qt::Key_Shift || k == Qt::Key_Control || k == Qt::Key_Meta)
        return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        Hide();
        return false;
    }
    switch (k) {
    case Qt::Key_Escape:
        Show(m_level == Level::Home ? Level::Top : Level::None);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Into the bar: from its first control Tab walks every command.
        Hide();
        m_bar.ApplicationButton()->setFocus(Qt::TabFocusReason);
        return true;
    default:
        break;
    }
    if (k < Qt::Key_A || k > Qt::Key_Z) {
        Hide();
        return false;
    }
    if (m_level == Level::Top) {
        RunTopTip(k);
        return true; // a letter without a tip does nothing, as in a ribbon
    }
    const auto it = m_homeTips.find(k);
    if (it != m_homeTips.end()) {
        Hide();
        it->second();
    }
    return true;
}

bool CCommandBarKeyboard::OnBarButtonKey(QObject* watched, const QKeyEvent* key)
{
    // Keys reach a button only while it has the focus.
    auto* button = qobject_cast<QToolButton*>(watched);
    if (!button || !m_bar.isAncestorOf(button))
        return false;
    const int k = key->key();
    const bool opensMenu = k == Qt::Key_F4 || (k == Qt::Key_Down && !(key->modifiers() & ~Qt::AltModifier));
    if (button->menu() && opensMenu) {
        button->showMenu();
        return true;
    }
    if ((k == Qt::Key_Return || k == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
        if (button->menu() && button->popupMode() == QToolButton::InstantPopup)
            button->showMenu();
        else
            button->click();
        return true;
    }
    return false;
}

bool CCommandBarKeyboard::IsOurWindowActive() const
{
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    const QWidget* active = QApplication::activeWindow();
    return !active || active == m_bar.window();
}

void CCommandBarKeyboard::TrackAlt(QObject* watched, QEvent* event)
{
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Alt) {
        m_bAltAlone = false; // Alt with another key is a shortcut, not the key tips
        return;
    }
    if (key->isAutoRepeat() || event->type() == QEvent::ShortcutOverride)
        return;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* window = qobject_cast<QWindow*>(watched);
    const bool ours =
        (widget && widget->window() == m_bar.window()) || (window && window == m_bar.window()->windowHandle());
    if (event->type() == QEvent::KeyPress) {
        m_bAltAlone = ours && IsOurWindowActive();
    } else if (m_bAltAlone) {
        // Seen once per receiver on its way; the first one decides.
        m_bAltAlone = false;
        Show(m_level == Level::None ? Level::Top : Level::None);
    }
}

bool CCommandBarKeyboard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        TrackAlt(watched, event);
        if (event->type() != QEvent::KeyPress)
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_level != Level::None)
            return OnKeyTip(key);
        return OnBarButtonKey(watched, key);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        m_bAltAlone = false;
        if (m_level != Level::None)
            Hide();
        break;
    case QEvent::WindowDeactivate:
    case QEvent::Resize:
        if (watched == m_bar.window()) {
            m_bAltAlone = false;
            if (m_level != Level::None)
                Hide();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
