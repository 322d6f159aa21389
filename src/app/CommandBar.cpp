#include "CommandBar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "CommandBarKeyboard.h"
#include "CommandPanelRow.h"
#include "uibase/AppMessages.h"
#include "uibase/CommandIds.h"

namespace {
QString PlainLabel(QString text)
{
    text.remove(QLatin1Char('&'));
    return text;
}

QString Name(int id)
{
    return QStringLiteral("cmd_%1").arg(id);
}

// A button that shows a command of the bar. However a checkable one is
// switched (a click, a key, an assistive technology's toggle action, which
// sets the state directly), the command runs, and the button then shows what
// the command made of it; switched silently, it would show a state that no
// window has.
template <class Button> class CCommandButton : public Button {
public:
    CCommandButton(QAction* action, QWidget* parent) : Button(parent), m_pAction(action) {}

protected:
    // A state set directly; a tool button would pass it on to its action
    // without running the command.
    void checkStateSet() override
    {
        if (!RunIfSwitched())
            Button::checkStateSet();
    }
    // A click; a check box sets its state without checkStateSet here.
    void nextCheckState() override
    {
        Button::nextCheckState();
        RunIfSwitched();
    }

private:
    bool RunIfSwitched()
    {
        if (!m_pAction->isCheckable() || this->isChecked() == m_pAction->isChecked())
            return false;
        m_pAction->trigger();
        this->setChecked(m_pAction->isChecked());
        return true;
    }

    QAction* m_pAction;
};

// A check box that mirrors a checkable action; label may break the text in two lines.
QCheckBox* ActionCheckBox(QWidget* parent, QAction* action, const QString& label)
{
    auto* box = new CCommandButton<QCheckBox>(action, parent);
    box->setText(label);
    box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    box->setObjectName(QStringLiteral("check_") + action->objectName());
    box->setAccessibleName(action->text());
    const auto sync = [box, action] {
        box->setEnabled(action->isEnabled());
        box->setChecked(action->isChecked());
        box->setToolTip(action->toolTip());
    };
    sync();
    QObject::connect(action, &QAction::changed, box, sync);
    return box;
}
// A section heading the menu is wide enough to show in full: menus size
// themselves by their entries only.
void AddHeading(QMenu* menu, const QString& text)
{
    menu->addSection(text);
    QFont bold = menu->font();
    bold.setBold(true);
    const QStyle* style = menu->style();
    const int frame = 2 * (style->pixelMetric(QStyle::PM_MenuHMargin, nullptr, menu) +
                           style->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu));
    menu->setMinimumWidth(std::max(menu->minimumWidth(), QFontMetrics(bold).horizontalAdvance(text) + frame + 24));
}
} // namespace

void CKeyTipMenu::keyPressEvent(QKeyEvent* event)
{
    const auto it = m_keyTips.find(event->key());
    if (it != m_keyTips.end() && event->modifiers() == Qt::NoModifier && it->second->isEnabled()) {
        setActiveAction(it->second);
        if (it->second->menu()) {
            // Opens the sub-menu as the arrow key would.
            QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QMenu::keyPressEvent(&right);
        } else {
            it->second->trigger();
            close();
        }
        return;
    }
    QMenu::keyPressEvent(event);
}

CCommandBar::CCommandBar(const ActionLookup& actions, QMenu* windowMenu, QWidget* parent)
    : QWidget(parent), m_actions(actions), m_pWindowMenu(windowMenu)
{
    setObjectName(QStringLiteral("commandBar"));
    setAccessibleName(QStringLiteral("Menüband"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_pQuickAccess = new QToolBar(QStringLiteral("Symbolleiste für den Schnellzugriff"), this);
    m_pQuickAccess->setObjectName(QStringLiteral("quickAccessBar"));
    m_pQuickAccess->setAccessibleName(m_pQuickAccess->windowTitle());
    m_pQuickAccess->setIconSize(QSize(16, 16));
    m_pQuickAccess->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int id :
         {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kEditUndo, cmd::kEditRedo, cmd::kFilePrintDirect})
        m_pQuickAccess->addAction(A(Name(id).toLatin1().constData()));
    layout->addWidget(m_pQuickAccess);

    // The tab row: application button, tabs, then "Stil" and help at the right.
    auto* tabRow = new QWidget(this);
    tabRow->setObjectName(QStringLiteral("tabRow"));
    auto* tabRowLayout = new QHBoxLayout(tabRow);
    tabRowLayout->setContentsMargins(2, 0, 4, 0);
    tabRowLayout->setSpacing(4);

    m_pAppMenu = static_cast<CKeyTipMenu*>(BuildApplicationMenu());
    m_pAppButton = new QToolButton(tabRow);
    m_pAppButton->setObjectName(QStringLiteral("appButton"));
    m_pAppButton->setText(QStringLiteral("Datei"));
    m_pAppButton->setAccessibleName(QStringLiteral("Datei"));
    m_pAppButton->setToolTip(QStringLiteral("Datei\nÖffnen, Speichern, Drucken und zuletzt verwendete Dokumente"));
    m_pAppButton->setProperty("keyTip", QStringLiteral("F"));
    m_pAppButton->setMenu(m_pAppMenu);
    m_pAppButton->setPopupMode(QToolButton::InstantPopup);
    m_pAppButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pAppButton->setAutoFillBackground(true);
    m_pAppButton->setMinimumSize(68, 24);
    tabRowLayout->addWidget(m_pAppButton);

    m_pTabs = new QTabBar(tabRow);
    m_pTabs->setObjectName(QStringLiteral("commandTabs"));
    m_pTabs->setAccessibleName(QStringLiteral("Registerkarten des Menübands"));
    m_pTabs->setDocumentMode(true);
    m_pTabs->setDrawBase(false);
    m_pTabs->setExpanding(false);
    tabRowLayout->addWidget(m_pTabs, 0, Qt::AlignBottom);
    tabRowLayout->addStretch(1);

    auto* styleMenu = new QMenu(QStringLiteral("Stil"), this);
    styleMenu->setObjectName(QStringLiteral("styleMenu"));
    for (int id = cmd::kLookOffice2007Blue; id <= cmd::kLookWindows7; ++id)
        styleMenu->addAction(A(Name(id).toLatin1().constData()));
    m_pStyleButton =
        MenuButton(tabRow, QStringLiteral("Stil"), QStringLiteral("styleMenuButton"), styleMenu, QIcon(), nullptr,
                   QStringLiteral("Wählt das Aussehen des Programms: einen der vier "
                                  "Office-2007-Stile oder Windows 7."));
    m_pStyleButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pStyleButton->setMinimumWidth(0);
    m_pStyleButton->setProperty("keyTip", QStringLiteral("S"));
    tabRowLayout->addWidget(m_pStyleButton);
    auto* helpMenu = new QMenu(QStringLiteral("Hilfe"), this);
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    helpMenu->addAction(A("cmd_57667"));
    helpMenu->addAction(A("cmd_57664"));
    m_pHelpButton = MenuButton(tabRow, QStringLiteral("Hilfe"), QStringLiteral("helpMenuButton"), helpMenu,
                               A("cmd_57667")->icon(), nullptr,
                               QStringLiteral("Öffnet das Benutzerhandbuch oder zeigt Programminformationen an."));
    m_pHelpButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pHelpButton->setIconSize(QSize(16, 16));
    m_pHelpButton->setMinimumWidth(0);
    m_pHelpButton->setProperty("keyTip", QStringLiteral("A"));
    tabRowLayout->addWidget(m_pHelpButton);
    layout->addWidget(tabRow);

    m_pPages = new QStackedWidget(this);
    m_pPages->setObjectName(QStringLiteral("commandPages"));
    m_pPages->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QWidget* home = BuildHomeTab();
    home->setProperty("keyTip", QStringLiteral("H"));
    m_pPages->addWidget(home);
    const int homeIndex = m_pTabs->addTab(QStringLiteral("Startseite"));
    m_pTabs->setAccessibleTabName(homeIndex, QStringLiteral("Startseite"));
    m_pTabs->setTabToolTip(homeIndex, QStringLiteral("Startseite"));
    connect(m_pTabs, &QTabBar::currentChanged, m_pPages, &QStackedWidget::setCurrentIndex);
    layout->addWidget(m_pPages);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    SetWindows7Look(true);
    m_pKeyboard = new CCommandBarKeyboard(*this, m_homeKeyTips);
}

QAction* CCommandBar::A(const char* objectName) const
{
    QAction* a = m_actions(QString::fromLatin1(objectName));
    Q_ASSERT_X(a, "CCommandBar", objectName);
    return a;
}

QMenu* CCommandBar::CommandsMenu(QGroupBox* panel, std::initializer_list<const char*> commands)
{
    auto* menu = new QMenu(panel->title(), this);
    menu->setObjectName(QStringLiteral("commands_") + panel->title());
    for (const char* name : commands) {
        if (name)
            menu->addAction(A(name));
        else
            menu->addSeparator();
    }
    return menu;
}

QMenu* CCommandBar::BuildApplicationMenu()
{
    auto* menu = new CKeyTipMenu(QStringLiteral("Datei"), this);
    menu->setObjectName(QStringLiteral("applicationMenu"));
    menu->setToolTipsVisible(true);
    menu->addAction(A("cmd_57600"));
    menu->addAction(A("cmd_57601"));
    menu->addAction(A("cmd_57603"));
    menu->addAction(A("cmd_57604"));
    menu->addSeparator();

    auto* print = new QMenu(QStringLiteral("Drucken"), menu);
    print->setObjectName(QStringLiteral("printMenu"));
    print->setToolTipsVisible(true);
    AddHeading(print, QStringLiteral("Dokument in der Vorschau anzeigen und drucken"));
    print->addAction(A("cmd_57607"));
    print->addAction(A("cmd_57608"));
    print->addAction(A("cmd_57609"));
    print->addAction(A("cmd_57606"));
    QAction* printEntry = menu->addMenu(print);
    printEntry->setObjectName(QStringLiteral("printMenuEntry"));
    printEntry->setIcon(A("cmd_57607")->icon());
    printEntry->setProperty("keyTip", QStringLiteral("P"));
    menu->SetKeyTip(Qt::Key_P, printEntry);

    auto* exportMenu = new QMenu(QStringLiteral("Exportieren"), menu);
    exportMenu->setObjectName(QStringLiteral("exportMenu"));
    exportMenu->setToolTipsVisible(true);
    AddHeading(exportMenu, QStringLiteral("Daten als *.csv Datei exportieren"));
    exportMenu->addAction(A("cmd_32850_export"));
    exportMenu->addAction(A("cmd_32862"));
    exportMenu->addAction(A("cmd_32880"));
    QAction* exportEntry = menu->addMenu(exportMenu);
    exportEntry->setObjectName(QStringLiteral("exportMenuEntry"));
    exportEntry->setIcon(A("cmd_32850_export")->icon());
    menu->addAction(A("cmd_32881"));
    menu->addSeparator();
    menu->addAction(A("cmd_57602"));

    m_pRecentHeading = menu->addSection(QString::fromUtf8(appmsg::kRecentHeading));
    m_pRecentHeading->setObjectName(QStringLiteral("recentHeading"));
    m_pRecentEnd = menu->addSeparator();
    menu->addAction(A("cmd_32787"));
    menu->addAction(A("cmd_57665"));
    return menu;
}

void CCommandBar::SetRecentFiles(const QStringList& paths)
{
    for (QAction* a : m_recentActions) {
        m_pAppMenu->removeAction(a);
        a->deleteLater();
    }
    m_recentActions.clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        // Access keys 1 to 9, then none, as the framework numbers them.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        auto* a = new QAction(QStringLiteral("%1 %2").arg(number, QFileInfo(path).fileName()), m_pAppMenu);
        a->setObjectName(QStringLiteral("recent_%1").arg(i + 1));
        a->setToolTip(path);
        a->setStatusTip(path);
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] { emit RecentFileChosen(path); });
        m_pAppMenu->insertAction(m_pRecentEnd, a);
        m_recentActions.append(a);
    }
}

QGroupBox* CCommandBar::NewPanel(const QString& title, const QString& keyTip)
{
    auto* panel = new QGroupBox(title);
    panel->setObjectName(QStringLiteral("panel_") + title);
    panel->setAccessibleName(title);
    panel->setFlat(true);
    if (!keyTip.isEmpty())
        panel->setProperty("keyTip", keyTip);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(3, 1, 3, 1);
    layout->setSpacing(1);
    return panel;
}

QToolButton* CCommandBar::LargeButton(QWidget* parent, QAction* action, const QString& text)
{
    auto* b = new CCommandButton<QToolButton>(action, parent);
    b->setDefaultAction(action);
    b->setObjectName(QStringLiteral("button_") + action->objectName());
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(32, 32));
    b->setAutoRaise(true);
    // A two-line label goes into the action's icon text, which the button
    // shows and keeps when the action changes; the action's text stays exact.
    if (!text.isEmpty())
        action->setIconText(text);
    b->setAccessibleName(PlainLabel(action->text()));
    // Never narrower than its text: the panels do not elide labels.
    b->setMinimumWidth(qMax(52, b->sizeHint().width()));
    return b;
}

QToolButton* CCommandBar::SmallButton(QWidget* parent, QAction* action)
{
    auto* b = new CCommandButton<QToolButton>(action, parent);
    b->setDefaultAction(action);
    b->setObjectName(QStringLiteral("button_") + action->objectName());
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    return b;
}

QToolButton* CCommandBar::MenuButton(QWidget* parent, const QString& text, const QString& name, QMenu* menu,
                                     const QIcon& icon, QAction* defaultAction, const QString& description)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setMenu(menu);
    menu->setToolTipsVisible(true);
    if (defaultAction) {
        // A split button: the face runs the command, the arrow opens the menu.
        connect(b, &QToolButton::clicked, defaultAction, &QAction::trigger);
        const auto sync = [b, defaultAction] {
            b->setEnabled(defaultAction->isEnabled());
            b->setToolTip(defaultAction->toolTip());
        };
        sync();
        connect(defaultAction, &QAction::changed, b, sync);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    } else {
        b->setPopupMode(QToolButton::InstantPopup);
        // The one-line title, as the commands show theirs, then what the menu offers.
        b->setToolTip(description.isEmpty() ? menu->title() : menu->title() + QLatin1Char('\n') + description);
        b->setStatusTip(description);
        b->setAccessibleDescription(description);
    }
    b->setText(text);
    b->setAccessibleName(menu->title()); // the one-line name of a two-line label
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumWidth(qMax(52, b->sizeHint().width()));
    return b;
}

QWidget* CCommandBar::BuildHomeTab()
{
    auto* page = new CCommandPanelRow;
    page->setObjectName(QStringLiteral("tab_Startseite"));
    page->setAccessibleName(QStringLiteral("Startseite"));
    m_pHomePanels = page;

    // Zwischenablage: paste large, the others as columns of small buttons.
    QGroupBox* clip = NewPanel(QStringLiteral("Zwischenablage"), QStringLiteral("D"));
    clip->layout()->addWidget(LargeButton(clip, A("cmd_57637")));
    auto* clipColumn = new QVBoxLayout;
    clipColumn->setSpacing(0);
    for (const char* name : {"cmd_57635", "cmd_57634", "cmd_57642"})
        clipColumn->addWidget(SmallButton(clip, A(name)), 0, Qt::AlignLeft);
    static_cast<QHBoxLayout*>(clip->layout())->addLayout(clipColumn);
    // Undo and redo as a narrow column of icons: the tab has no width to
    // spare, and their tooltips name the step.
    auto* undoColumn = new QVBoxLayout;
    undoColumn->setSpacing(0);
    for (const char* name : {"cmd_57643", "cmd_57644"}) {
        QToolButton* b = SmallButton(clip, A(name));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setAccessibleName(PlainLabel(A(name)->text()));
        undoColumn->addWidget(b, 0, Qt::AlignLeft);
    }
    undoColumn->addStretch();
    static_cast<QHBoxLayout*>(clip->layout())->addLayout(undoColumn);
    QMenu* clipCommands = CommandsMenu(
        clip, {"cmd_57637", "cmd_57635", "cmd_57634", "cmd_57642", nullptr, "cmd_57643", "cmd_57644"});
    page->AddPanel(clip, clipCommands, A("cmd_57637")->icon());

    QGroupBox* view = NewPanel(QStringLiteral("Ansicht"), QStringLiteral("N"));
    auto* paneMenu = new QMenu(QStringLiteral("Eigenschaftsfenster"), view);
    paneMenu->setObjectName(QStringLiteral("paneMenu"));
    for (const char* name : {"cmd_32782", "cmd_32783", "cmd_32784"})
        paneMenu->addAction(A(name));
    view->layout()->addWidget(
        MenuButton(view, QStringLiteral("Eigenschafts-\nfenster"), QStringLiteral("paneMenuButton"), paneMenu,
                   A("cmd_32784")->icon(), nullptr,
                   QStringLiteral("Zeigt das Fenster mit den Eigenschaften des Satelliten, des Transponders oder "
                                  "des Kanals.")));
    auto* styleMenu = new QMenu(QStringLiteral("Darstellung"), view);
    styleMenu->setObjectName(QStringLiteral("viewStyleMenu"));
    for (const char* name : {"cmd_59411", "cmd_59410", "cmd_59408", "cmd_59409"})
        styleMenu->addAction(A(name));
    styleMenu->addSeparator();
    styleMenu->addAction(A("cmd_59412"));
    QAction* viewStyle = A("cmd_32778");
    view->layout()->addWidget(MenuButton(view, viewStyle->text(), QStringLiteral("button_cmd_32778"), styleMenu,
                                         viewStyle->icon(), viewStyle));
    QMenu* viewCommands = CommandsMenu(view, {});
    viewCommands->addMenu(paneMenu)->setIcon(A("cmd_32784")->icon());
    viewCommands->addMenu(styleMenu)->setIcon(viewStyle->icon());
    page->AddPanel(view, viewCommands, A("cmd_32784")->icon());

    QGroupBox* windows = NewPanel(QStringLiteral("Fenster"), QStringLiteral("W"));
    m_pWindowButton = MenuButton(windows, QStringLiteral("Fenster"), QStringLiteral("button_cmd_131"),
                                 m_pWindowMenu, A("cmd_131")->icon(), A("cmd_131"));
    windows->layout()->addWidget(m_pWindowButton);
    // The window list itself, as the button's arrow opens it.
    page->AddPanel(windows, m_pWindowMenu, A("cmd_131")->icon());

    QGroupBox* selection = NewPanel(QStringLiteral("Auswahl"), QStringLiteral("U"));
    auto* kinds = new QVBoxLayout;
    kinds->setSpacing(0);
    kinds->addWidget(SmallButton(selection, A("cmd_32771")), 0, Qt::AlignLeft);
    kinds->addWidget(SmallButton(selection, A("cmd_32772")), 0, Qt::AlignLeft);
    kinds->addStretch();
    static_cast<QHBoxLayout*>(selection->layout())->addLayout(kinds);
    page->AddPanel(selection, CommandsMenu(selection, {"cmd_32771", "cmd_32772"}), A("cmd_32771")->icon());

    QGroupBox* options = NewPanel(QStringLiteral("Optionen"), QStringLiteral("O"));
    auto* checks = new QVBoxLayout;
    checks->setSpacing(2);
    checks->addStretch();
    checks->addWidget(ActionCheckBox(options, A("cmd_32773"), QStringLiteral("Automatische\nNummerierung")));
    checks->addWidget(ActionCheckBox(options, A("cmd_32774"), QStringLiteral("Nur aktive Satelliten\nauflisten")));
    checks->addStretch();
    static_cast<QHBoxLayout*>(options->layout())->addLayout(checks);
    options->layout()->addWidget(LargeButton(options, A("cmd_32775")));
    options->layout()->addWidget(LargeButton(options, A("cmd_32776")));
    page->AddPanel(options, CommandsMenu(options, {"cmd_32773", "cmd_32774", nullptr, "cmd_32775", "cmd_32776"}),
                   A("cmd_32776")->icon());

    QGroupBox* tools = NewPanel(QStringLiteral("Tools"), QStringLiteral("T"));
    tools->layout()->addWidget(LargeButton(tools, A("cmd_32850"), QStringLiteral("Kanalposition\naktualisieren")));
    tools->layout()->addWidget(LargeButton(tools, A("cmd_32844"), QStringLiteral("Neuer\nKanal")));
    auto* sortMenu = new QMenu(QStringLiteral("Sortieren nach..."), tools);
    sortMenu->setObjectName(QStringLiteral("sortMenu"));
    sortMenu->addAction(A("cmd_32859"));
    sortMenu->addAction(A("cmd_32857"));
    sortMenu->addSeparator();
    sortMenu->addAction(A("cmd_32881"));
    sortMenu->addAction(A("cmd_32884"));
    sortMenu->addAction(A("cmd_32880"));
    tools->layout()->addWidget(MenuButton(
        tools, QStringLiteral("Sortieren\nnach..."), QStringLiteral("sortMenuButton"), sortMenu,
        A("cmd_32859")->icon(), nullptr,
        QStringLiteral("Speichert die Kanalreihenfolge in einer Datei oder ordnet die Kanäle nach ihr.")));
    tools->layout()->addWidget(LargeButton(tools, A("cmd_32882"), QStringLiteral("Vergleichen\nmit...")));
    QMenu* toolCommands = CommandsMenu(tools, {"cmd_32850", "cmd_32844"});
    toolCommands->addMenu(sortMenu)->setIcon(A("cmd_32859")->icon());
    toolCommands->addAction(A("cmd_32882"));
    page->AddPanel(tools, toolCommands, A("cmd_32850")->icon());

    QGroupBox* settingsPanel = NewPanel(QStringLiteral("Settings"), QStringLiteral("E"));
    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->setSpacing(0);
    for (const char* name : {"cmd_32777", "cmd_32860", "cmd_32849"})
        settingsColumn->addWidget(SmallButton(settingsPanel, A(name)), 0, Qt::AlignLeft);
    static_cast<QHBoxLayout*>(settingsPanel->layout())->addLayout(settingsColumn);
    // The statistics' picture: the options already show a gear.
    page->AddPanel(settingsPanel, CommandsMenu(settingsPanel, {"cmd_32777", "cmd_32860", "cmd_32849"}),
                   A("cmd_32777")->icon());

    // A panel's key tip opens the menu of the collapsed panel, else puts the
    // focus on its first control that can run now ("Einfügen" waits for the
    // clipboard); Tab goes on from there.
    const auto panelTip = [page](QGroupBox* panel) {
        return [page, panel] {
            if (QToolButton* collapsed = page->CollapsedButton(panel)) {
                collapsed->showMenu();
                return;
            }
            for (QWidget* w : panel->findChildren<QWidget*>())
                if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) {
                    w->setFocus(Qt::ShortcutFocusReason);
                    break;
                }
        };
    };
    m_homeKeyTips[Qt::Key_D] = panelTip(clip);
    m_homeKeyTips[Qt::Key_N] = panelTip(view);
    m_homeKeyTips[Qt::Key_U] = panelTip(selection);
    m_homeKeyTips[Qt::Key_O] = panelTip(options);
    m_homeKeyTips[Qt::Key_T] = panelTip(tools);
    m_homeKeyTips[Qt::Key_E] = panelTip(settingsPanel);
    m_homeKeyTips[Qt::Key_W] = [page, windows, this] {
        QToolButton* collapsed = page->CollapsedButton(windows);
        (collapsed ? collapsed : m_pWindowButton)->showMenu();
    };
    m_homeKeyTips[Qt::Key_V] = [this] { A("cmd_57637")->trigger(); };
    m_homeKeyTips[Qt::Key_X] = [this] { A("cmd_57635")->trigger(); };
    m_homeKeyTips[Qt::Key_C] = [this] { A("cmd_57634")->trigger(); };
    m_homeKeyTips[Qt::Key_A] = [this] { A("cmd_57642")->trigger(); };
    m_homeKeyTips[Qt::Key_Z] = [this] { A("cmd_57643")->trigger(); };
    m_homeKeyTips[Qt::Key_Y] = [this] { A("cmd_57644")->trigger(); };
    return page;
}

void CCommandBar::SetWindows7Look(bool windows7)
{
    m_bWindows7Look = windows7;
    // The application button is the coloured first tab; the Windows 7 look
    // draws it flat and plain, the other looks raised and bold.
    QPalette pal = QApplication::palette();
    const QColor face = windows7 ? QColor(25, 121, 202) : pal.color(QPalette::Highlight);
    pal.setColor(QPalette::Button, face);
    pal.setColor(QPalette::Window, face);
    pal.setColor(QPalette::ButtonText, Qt::white);
    m_pAppButton->setPalette(pal);
    m_pAppButton->setAutoRaise(false);
    QFont f = font();
    f.setBold(!windows7);
    m_pAppButton->setFont(f);
}

void CCommandBar::StartKeyTips()
{
    m_pTabs->setCurrentIndex(0);
    m_pKeyboard->Show(CCommandBarKeyboard::Level::Home);
}

bool CCommandBar::InKeyTipMode() const
{
    return m_pKeyboard->CurrentLevel() != CCommandBarKeyboard::Level::None;
}
