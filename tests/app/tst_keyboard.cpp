// Working the editor without a mouse: the key tips of the command bar, the
// walk through the bar with Tab, and the context menus from the keyboard.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "ChildFrame.h"
#include "CommandBar.h"
#include "CommandBarKeyboard.h"
#include "CommandPanelRow.h"
#include "DockPane.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "dialogs/ChannelSucheDlg.h"
#include "panes/PropertiesWnd.h"
#include "panes/PropertyGrid.h"
#include "panes/TransponderWnd.h"
#include "views/LeftView.h"
#include "views/SortListCtrl.h"
#include "views/VandrelEdit2028View.h"

namespace {
using Level = CCommandBarKeyboard::Level;

void PressAlt(QWidget* w)
{
    QTest::keyPress(w, Qt::Key_Alt);
    QTest::keyRelease(w, Qt::Key_Alt, Qt::AltModifier);
}

// Runs `inside` once the next menu has opened (menus opened by buttons run
// their own event loop), then closes every open menu.
void WhenMenuOpens(const std::function<void(QMenu*)>& inside)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, inside, waited] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu && ++*waited < 250)
            return;
        timer->stop();
        timer->deleteLater();
        inside(menu);
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    timer->start();
}

void AddMenuActions(const QMenu* menu, QSet<QAction*>& into)
{
    for (QAction* a : menu->actions()) {
        into.insert(a);
        if (a->menu())
            AddMenuActions(a->menu(), into);
    }
}
} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void keyTipsShowOnAltAndRunTheirCommand();
    void keyTipOfACollapsedPanelOpensItsMenu();
    void applicationMenuShowsItsKeyTip();
    void everyCommandOfTheBarIsReachedWithTab();
    void contextMenusOpenFromTheKeyboard();
    void tabAndF6ReachTheMainAreas();

private:
    CMainFrame& Main() { return m_f->Frame(); }
    CCommandBar* Bar() { return Main().CommandBar(); }
    CCommandBarKeyboard* Tips() { return Bar()->Keyboard(); }
    CSortListCtrl* List() { return Main().ActiveChildFrame()->ListView()->ListCtrl(); }

    std::unique_ptr<CGuiFixture> m_f;
};

void TestKeyboard::init()
{
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase())}));
    Main().show();
    Main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Main()));
    QVERIFY(Main().ActiveChildFrame());
    List()->setFocus();
}

void TestKeyboard::cleanup()
{
    m_f.reset();
}

void TestKeyboard::keyTipsShowOnAltAndRunTheirCommand()
{
    QWidget* list = List();
    PressAlt(list);
    QCOMPARE(Tips()->CurrentLevel(), Level::Top);
    QCOMPARE(Tips()->ShownTips(),
             (QStringList{QStringLiteral("F"), QStringLiteral("H"), QStringLiteral("S"), QStringLiteral("A")}));
    // Each tip stands on what it names.
    auto* f = Main().findChild<QLabel*>(QStringLiteral("keyTip_F"));
    QVERIFY(f && f->isVisible());
    const QRect app(Bar()->ApplicationButton()->mapTo(&Main(), QPoint()), Bar()->ApplicationButton()->size());
    QVERIFY(app.left() <= f->geometry().center().x() && f->geometry().center().x() <= app.right());

    QTest::keyClick(list, Qt::Key_H);
    QCOMPARE(Tips()->CurrentLevel(), Level::Home);
    QStringList home = Tips()->ShownTips();
    home.sort();
    // Every panel has its own letter, none shared with a command's.
    QCOMPARE(home, (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"),
                                QStringLiteral("N"), QStringLiteral("O"), QStringLiteral("T"), QStringLiteral("U"),
                                QStringLiteral("V"), QStringLiteral("W"), QStringLiteral("X"), QStringLiteral("Y"),
                                QStringLiteral("Z")}));
    for (QGroupBox* panel : Bar()->HomePanels()->findChildren<QGroupBox*>())
        QVERIFY2(!panel->property("keyTip").toString().isEmpty(), qPrintable(panel->title()));
    // Escape goes back a level, then hides the tips.
    QTest::keyClick(list, Qt::Key_Escape);
    QCOMPARE(Tips()->CurrentLevel(), Level::Top);
    QTest::keyClick(list, Qt::Key_Escape);
    QCOMPARE(Tips()->CurrentLevel(), Level::None);
    QVERIFY(Tips()->ShownTips().isEmpty());
    QVERIFY(!Main().findChild<QLabel*>(QStringLiteral("keyTip_F")));

    // Alt again, or a click, hides them too.
    PressAlt(list);
    PressAlt(list);
    QCOMPARE(Tips()->CurrentLevel(), Level::None);
    PressAlt(list);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(Tips()->CurrentLevel(), Level::None);

    // A letter runs its command: Alt, H, A selects all channels.
    List()->setFocus();
    List()->clearSelection();
    PressAlt(list);
    QTest::keyClick(list, Qt::Key_H);
    QTest::keyClick(list, Qt::Key_A);
    QCOMPARE(Tips()->CurrentLevel(), Level::None);
    QVERIFY(List()->model()->rowCount() > 1);
    QCOMPARE(List()->selectionModel()->selectedRows().size(), List()->model()->rowCount());

    // A panel's letter puts the focus on its first control: "Optionen".
    Main().setWindowState(Qt::WindowNoState);
    Main().resize(1900, 800);
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
    auto* options = Bar()->findChild<QGroupBox*>(QStringLiteral("panel_Optionen"));
    QVERIFY(options && !Bar()->HomePanels()->CollapsedButton(options));
    List()->setFocus();
    PressAlt(list);
    QTest::keyClick(list, Qt::Key_H);
    QTest::keyClick(list, Qt::Key_O);
    QTRY_VERIFY(options->isAncestorOf(QApplication::focusWidget()));
    List()->setFocus();

    // Alt with another key is a shortcut: Alt+H shows the tab's tips at once,
    // and releasing Alt leaves them.
    QTest::keyClick(list, Qt::Key_H, Qt::AltModifier);
    QCOMPARE(Tips()->CurrentLevel(), Level::Home);
    QTest::keyClick(list, Qt::Key_Escape);
    QTest::keyClick(list, Qt::Key_Escape);
    QCOMPARE(Tips()->CurrentLevel(), Level::None);
}

void TestKeyboard::applicationMenuShowsItsKeyTip()
{
    QStringList tips;
    QString submenu;
    WhenMenuOpens([&](QMenu* menu) {
        QVERIFY(menu);
        for (const QLabel* label : menu->findChildren<QLabel*>())
            if (label->isVisible())
                tips << label->text();
        QTest::keyClick(menu, Qt::Key_P); // opens "Drucken"
        if (QWidget* popup = QApplication::activePopupWidget())
            submenu = popup->objectName();
    });
    PressAlt(List());
    QTest::keyClick(List(), Qt::Key_F);
    QTRY_COMPARE(submenu, QStringLiteral("printMenu"));
    QCOMPARE(tips, QStringList{QStringLiteral("P")});
    QCOMPARE(Tips()->CurrentLevel(), Level::None);
}

void TestKeyboard::everyCommandOfTheBarIsReachedWithTab()
{
    // From the first control of the bar, Tab visits every control in it.
    PressAlt(List());
    QTest::keyClick(List(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Bar()->ApplicationButton()));
    QSet<QAction*> reached;
    for (int step = 0; step < 200; ++step) {
        QWidget* w = QApplication::focusWidget();
        if (auto* button = qobject_cast<QToolButton*>(w); button && Bar()->isAncestorOf(button)) {
            if (button->defaultAction())
                reached.insert(button->defaultAction());
            if (button->menu())
                AddMenuActions(button->menu(), reached);
        }
        if (auto* box = qobject_cast<QCheckBox*>(w); box && Bar()->isAncestorOf(box))
            reached.insert(Main().ActionByName(box->objectName().mid(int(qstrlen("check_")))));
        QTest::keyClick(w, Qt::Key_Tab);
        if (!Bar()->isAncestorOf(QApplication::focusWidget()))
            break;
    }
    // Every command the bar shows, on its buttons, in its menus and on the
    // quick-access bar.
    QSet<QAction*> shown;
    for (const QToolButton* button : Bar()->findChildren<QToolButton*>()) {
        if (button->defaultAction() && !button->defaultAction()->objectName().isEmpty())
            shown.insert(button->defaultAction());
        if (button->menu())
            AddMenuActions(button->menu(), shown);
    }
    for (const QCheckBox* box : Bar()->findChildren<QCheckBox*>())
        shown.insert(Main().ActionByName(box->objectName().mid(int(qstrlen("check_")))));
    // A disabled command has nothing to run: its button joins the walk once
    // the command is enabled (and cut, copy, paste, undo and redo have their
    // letters and keys as well).
    QStringList missing;
    for (QAction* a : shown)
        if (!reached.contains(a) && a->isEnabled() && !a->isSeparator() && !a->objectName().isEmpty() &&
            a->objectName() != QStringLiteral("recentHeading"))
            missing << a->objectName();
    QVERIFY(reached.size() > 40);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));

    // Enter opens a menu button's menu; the down arrow the menu of a split button.
    auto* panes = Bar()->findChild<QToolButton*>(QStringLiteral("paneMenuButton"));
    auto* style = Bar()->findChild<QToolButton*>(QStringLiteral("button_cmd_32778"));
    QVERIFY(panes && style);
    for (const auto& [button, key] : {std::pair{panes, Qt::Key_Return}, std::pair{style, Qt::Key_Down}}) {
        QMenu* opened = nullptr;
        WhenMenuOpens([&opened](QMenu* menu) { opened = menu; });
        button->setFocus();
        QTest::keyClick(button, key);
        QTRY_VERIFY(opened);
        QCOMPARE(opened, button->menu());
    }
}

void TestKeyboard::contextMenusOpenFromTheKeyboard()
{
    const auto popupAfter = [](QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(w, key, modifiers);
        QWidget* popup = QApplication::activePopupWidget();
        const QString name = popup ? popup->objectName() : QString();
        if (popup)
            popup->close();
        return name;
    };
    // The channel list: Shift+F10 and the menu key.
    List()->setFocus();
    List()->setCurrentIndex(List()->model()->index(1, 0));
    QCOMPARE(popupAfter(List(), Qt::Key_F10, Qt::ShiftModifier), QStringLiteral("serviceMenu"));
    QCOMPARE(popupAfter(List(), Qt::Key_Menu, Qt::NoModifier), QStringLiteral("serviceMenu"));
    // Tab leaves the rows for the header, whose column menu opens the same way.
    QTest::keyClick(List(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(List()->horizontalHeader()));
    QString headerMenu;
    WhenMenuOpens([&headerMenu](QMenu* menu) { headerMenu = menu ? menu->objectName() : QString(); });
    QTest::keyClick(List()->horizontalHeader(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_COMPARE(headerMenu, QStringLiteral("channelListHeaderMenu"));

    // The tree: the menu of the current node; "Umbenennen" by keyboard starts
    // the rename there.
    CLeftView* tree = Main().ActiveChildFrame()->Tree();
    tree->setFocus();
    tree->setCurrentItem(tree->GroupItem(2));
    QCOMPARE(popupAfter(tree, Qt::Key_Menu, Qt::NoModifier), QStringLiteral("Favorit"));
    QTest::keyClick(tree, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QCOMPARE(menu->activeAction()->text(), QStringLiteral("&Umbenennen"));
    // Its access letter runs it.
    QTest::keyClick(menu, Qt::Key_U);
    QTRY_VERIFY(tree->viewport()->findChild<QWidget*>(QStringLiteral("treeLabelEdit")));
}

void TestKeyboard::tabAndF6ReachTheMainAreas()
{
    // After opening a file the keys work on its channel list.
    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("b.ndb"), GoodDatabase()));
    CChildFrame* frame = Main().ActiveChildFrame();
    QVERIFY(frame);
    QWidget* list = frame->ListView()->ActiveItemView();
    QTRY_COMPARE(QApplication::focusWidget(), list);

    // Tab in the document window: the rows, their header, the tree, the rows.
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(List()->horizontalHeader()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame->Tree()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list);

    // F6 walks the main areas and comes round again; Shift+F6 goes back.
    QWidget* channelGrid = Main().ChannelPane()->Grid()->Tree();
    QWidget* hiddenGrid = Main().TransponderPane()->Grid()->Tree();
    QTRY_VERIFY(channelGrid->isEnabled() && !hiddenGrid->isEnabled()); // behind the channel pane's tab
    frame->Tree()->setFocus();
    QList<QWidget*> areas;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        areas << QApplication::focusWidget();
    }
    // The search pane is an area where it has a column of its own; on a
    // small screen it lies behind the channel pane's tab.
    QList<QWidget*> expected{list, channelGrid, Bar()->ApplicationButton(), frame->Tree(), list, channelGrid};
    if (Main().ChannelSearch()->isEnabled())
        expected = {list,          Main().ChannelSearch()->SearchField(),
                    channelGrid,   Bar()->ApplicationButton(),
                    frame->Tree(), list};
    QCOMPARE(areas, expected);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame->Tree()));

    // A pane behind another pane's tab is not in the Tab chain.
    channelGrid->setFocus();
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!hiddenGrid->isAncestorOf(QApplication::focusWidget()) &&
                QApplication::focusWidget() != hiddenGrid);
    }

    // Enter in the list: the channel pane's rows take the keys.
    list->setFocus();
    List()->setCurrentIndex(List()->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), channelGrid);
}

void TestKeyboard::keyTipOfACollapsedPanelOpensItsMenu()
{
    Main().setWindowState(Qt::WindowNoState);
    Main().resize(700, 700);
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
    auto* windows = Bar()->findChild<QGroupBox*>(QStringLiteral("panel_Fenster"));
    QVERIFY(windows);
    QToolButton* collapsed = Bar()->HomePanels()->CollapsedButton(windows);
    QVERIFY(collapsed && collapsed->isVisible());

    QWidget* list = List();
    PressAlt(list);
    QTest::keyClick(list, Qt::Key_H);
    QVERIFY(Tips()->ShownTips().contains(QStringLiteral("W")));
    // The tip stands on the button, not where the hidden panel would be.
    auto* tip = Main().findChild<QLabel*>(QStringLiteral("keyTip_W"));
    QVERIFY(tip);
    const QRect button(collapsed->mapTo(&Main(), QPoint()), collapsed->size());
    QVERIFY(button.left() <= tip->geometry().center().x() && tip->geometry().center().x() <= button.right());

    QMenu* opened = nullptr;
    WhenMenuOpens([&opened](QMenu* menu) { opened = menu; });
    QTest::keyClick(list, Qt::Key_W);
    QTRY_VERIFY(opened);
    QCOMPARE(opened, collapsed->menu());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
