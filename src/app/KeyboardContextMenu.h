#pragma once
#include <QObject>

// Shift+F10 and the menu key open the context menu of the widget that has
// the keyboard focus (the channel list, the tree, a property grid, a text
// field), placed at its current item, as on the desktops users know.
class CKeyboardContextMenu : public QObject {
    Q_OBJECT
public:
    explicit CKeyboardContextMenu(QObject* parent = nullptr);
    ~CKeyboardContextMenu() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The menu key makes some platforms send a context menu event of their
    // own after the key; that one is dropped once the key has opened a menu.
    bool m_bDropPlatformMenu = false;
};
