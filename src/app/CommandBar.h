#pragma once
#include <QMenu>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <map>

class CCommandBarKeyboard;
class CCommandPanelRow;
class QAction;
class QGroupBox;
class QStackedWidget;
class QTabBar;
class QToolBar;
class QToolButton;

// A menu whose key tips may be letters that its entries' texts lack (the
// application menu opens "Drucken" with P).
class CKeyTipMenu : public QMenu {
    Q_OBJECT
public:
    using QMenu::QMenu;
    void SetKeyTip(int key, QAction* action) { m_keyTips[key] = action; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::map<int, QAction*> m_keyTips;
};

// The compact command bar that stands in for a ribbon: the quick-access bar
// on top, then a tab row with the application button "Datei", the tab
// "Startseite" and, at the right, the menus "Stil" and help; under it the
// panels of the tab. It only arranges the main frame's actions.
class CCommandBar : public QWidget {
    Q_OBJECT
public:
    using ActionLookup = std::function<QAction*(const QString& objectName)>;

    CCommandBar(const ActionLookup& actions, QMenu* windowMenu, QWidget* parent = nullptr);

    QToolButton* ApplicationButton() const { return m_pAppButton; }
    QMenu* ApplicationMenu() const { return m_pAppMenu; }
    QToolBar* QuickAccessBar() const { return m_pQuickAccess; }
    QTabBar* Tabs() const { return m_pTabs; }
    // The panels of the tab "Startseite".
    CCommandPanelRow* HomePanels() const { return m_pHomePanels; }
    // The menus "Stil" and help at the right of the tab row.
    QToolButton* StyleButton() const { return m_pStyleButton; }
    QToolButton* HelpButton() const { return m_pHelpButton; }

    // The recent files of the application menu, most recent first.
    void SetRecentFiles(const QStringList& paths);
    // Raised with the index into the list given to SetRecentFiles.
    QList<QAction*> RecentFileActions() const { return m_recentActions; }

    // The Windows 7 look of the command bar (exactly for style 219).
    void SetWindows7Look(bool windows7);
    bool HasWindows7Look() const { return m_bWindows7Look; }

    // Key tips: Alt alone shows them; Alt+F, Alt+H, Alt+S, Alt+A; after
    // Alt+H the panel letters.
    void StartKeyTips();
    bool InKeyTipMode() const;
    CCommandBarKeyboard* Keyboard() const { return m_pKeyboard; }

signals:
    void RecentFileChosen(const QString& path);

private:
    QWidget* BuildHomeTab();
    QGroupBox* NewPanel(const QString& title, const QString& keyTip = QString());
    QToolButton* LargeButton(QWidget* parent, QAction* action, const QString& text = QString());
    QToolButton* SmallButton(QWidget* parent, QAction* action);
    // A button that opens menu; with defaultAction a split button that runs
    // it. Without one the tooltip is the menu's title and description.
    QToolButton* MenuButton(QWidget* parent, const QString& text, const QString& name, QMenu* menu,
                            const QIcon& icon, QAction* defaultAction = nullptr,
                            const QString& description = QString());
    // The commands of a panel as a menu, for its collapsed form; nullptr
    // stands for a separator.
    QMenu* CommandsMenu(QGroupBox* panel, std::initializer_list<const char*> commands);
    QMenu* BuildApplicationMenu();
    QAction* A(const char* objectName) const;

    ActionLookup m_actions;
    QMenu* m_pWindowMenu;
    QToolButton* m_pAppButton = nullptr;
    CKeyTipMenu* m_pAppMenu = nullptr;
    QAction* m_pRecentHeading = nullptr;
    QAction* m_pRecentEnd = nullptr;
    QList<QAction*> m_recentActions;
    QToolBar* m_pQuickAccess = nullptr;
    QTabBar* m_pTabs = nullptr;
    QStackedWidget* m_pPages = nullptr;
    QToolButton* m_pStyleButton = nullptr;
    QToolButton* m_pHelpButton = nullptr;
    QToolButton* m_pWindowButton = nullptr;
    CCommandPanelRow* m_pHomePanels = nullptr;
    std::map<int, std::function<void()>> m_homeKeyTips;
    CCommandBarKeyboard* m_pKeyboard = nullptr;
    bool m_bWindows7Look = false;
};
