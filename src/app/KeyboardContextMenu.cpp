#include "KeyboardContextMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

CKeyboardContextMenu::CKeyboardContextMenu(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

CKeyboardContextMenu::~CKeyboardContextMenu()
{
    qApp->removeEventFilter(this);
}

bool CKeyboardContextMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu && m_bDropPlatformMenu && event->spontaneous() &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        m_bDropPlatformMenu = false;
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    m_bDropPlatformMenu = false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
    // The key goes to the focus widget; on its way through the window it is
    // first seen by the window itself.
    QWidget* focus = qobject_cast<QWidget*>(watched);
    if (!focus)
        focus = QApplication::focusWidget();
    if ((!shiftF10 && !menuKey) || !focus || QApplication::activePopupWidget())
        return QObject::eventFilter(watched, event);
    // Widgets place a keyboard menu at their current item; the text cursor
    // is where Qt itself would put it.
    const QPoint pos = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, pos, focus->mapToGlobal(pos), key->modifiers());
    QApplication::sendEvent(focus, &menu);
    m_bDropPlatformMenu = menuKey;
    return true;
}
