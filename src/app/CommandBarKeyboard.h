#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <map>

class CCommandBar;
class QKeyEvent;
class QLabel;
class QMenu;
class QWidget;

// Keyboard access to the command bar, as ribbon users know it. Pressing and
// releasing Alt shows the key tips of the top row ("F", "H", "S", "A");
// "H" shows those of "Startseite" ("D", "W", "V", "X", "C", "A", "Z", "Y");
// a letter runs its command and hides the tips; Escape goes back one level,
// then hides them, as Alt, a click or leaving the window do. Tab or an arrow
// key moves the focus into the bar, where Enter, Space, the down arrow and
// F4 open a button's menu.
class CCommandBarKeyboard : public QObject {
    Q_OBJECT
public:
    enum class Level { None, Top, Home };
    using Commands = std::map<int, std::function<void()>>;

    // homeTips: what the letters of "Startseite" run, by key.
    CCommandBarKeyboard(CCommandBar& bar, Commands homeTips);
    ~CCommandBarKeyboard() override;

    void Show(Level level);
    void Hide() { Show(Level::None); }
    Level CurrentLevel() const { return m_level; }
    // The letters of the key tips now shown, in the order placed.
    QStringList ShownTips() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKeyTip(const QKeyEvent* key);
    bool RunTopTip(int key);
    bool OnBarButtonKey(QObject* watched, const QKeyEvent* key);
    void TrackAlt(QObject* watched, QEvent* event);
    QLabel* AddBadge(QWidget* owner, const QString& letter);
    void PlaceBadge(QLabel* badge, QWidget* target, const QRect& rect);
    void ShowTopTips();
    void ShowHomeTips();
    void OpenMenuWithTips(QWidget* button);
    void ClearBadges();
    bool IsOurWindowActive() const;

    CCommandBar& m_bar;
    Commands m_homeTips;
    Level m_level = Level::None;
    bool m_bAltAlone = false;
    QList<QPointer<QLabel>> m_badges;
};
