#include "CommandBar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppMessages.h"
#include "CommandIds.h"

namespace {
QString Name(int id) { return QStringLiteral("cmd_%1").arg(id); }

// A check box that mirrors a checkable action.
QCheckBox* ActionCheckBox(QWidget* parent, QAction* action)
{
    auto* box = new QCheckBox(action->text(), parent);
    box->setObjectName(QStringLiteral("check_") + action->objectName());
    box->setAccessibleName(action->text());
    const auto sync = [box, action] {
        box->setEnabled(action->isEnabled());
        box->setChecked(action->isChecked());
        box->setToolTip(action->toolTip());
    };
    sync();
    QObject::connect(action, &QAction::changed, box, sync);
    QObject::connect(box, &QCheckBox::clicked, action, [action, box] {
        action->trigger();
        box->setChecked(action->isChecked());
    });
    return box;
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
    for (int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFilePrintDirect})
        m_pQuickAccess->addAction(A(Name(id).toLatin1().constData()));
    layout->addWidget(m_pQuickAccess);

    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName(QStringLiteral("commandTabs"));
    m_pTabs->setAccessibleName(QStringLiteral("Registerkarten des Menübands"));
    m_pTabs->setDocumentMode(true);
    m_pTabs->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_pAppMenu = static_cast<CKeyTipMenu*>(BuildApplicationMenu());
    m_pAppButton = new QToolButton(this);
    m_pAppButton->setObjectName(QStringLiteral("appButton"));
    m_pAppButton->setText(QStringLiteral("Datei"));
    m_pAppButton->setAccessibleName(QStringLiteral("Datei"));
    m_pAppButton->setToolTip(QStringLiteral("Datei\nÖffnen, Speichern, Drucken und zuletzt verwendete Dokumente"));
    m_pAppButton->setProperty("keyTip", QStringLiteral("F"));
    m_pAppButton->setMenu(m_pAppMenu);
    m_pAppButton->setPopupMode(QToolButton::InstantPopup);
    m_pAppButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pAppButton->setAutoFillBackground(true);
    m_pTabs->setCornerWidget(m_pAppButton, Qt::TopLeftCorner);

    auto* right = new QWidget(this);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 4, 0);
    rightLayout->setSpacing(2);
    auto* styleMenu = new QMenu(QStringLiteral("Stil"), this);
    styleMenu->setObjectName(QStringLiteral("styleMenu"));
    for (int id = cmd::kLookOffice2007Blue; id <= cmd::kLookWindows7; ++id)
        styleMenu->addAction(A(Name(id).toLatin1().constData()));
    m_pStyleButton = MenuButton(right, QStringLiteral("Stil"), QStringLiteral("styleMenuButton"), styleMenu, QIcon());
    m_pStyleButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pStyleButton->setAutoRaise(true);
    m_pStyleButton->setProperty("keyTip", QStringLiteral("S"));
    rightLayout->addWidget(m_pStyleButton);
    auto* helpMenu = new QMenu(QStringLiteral("Hilfe"), this);
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    helpMenu->addAction(A("cmd_57667"));
    helpMenu->addAction(A("cmd_57664"));
    m_pHelpButton = MenuButton(right, QString(), QStringLiteral("helpMenuButton"), helpMenu,
                               style()->standardIcon(QStyle::SP_TitleBarContextHelpButton));
    m_pHelpButton->setAccessibleName(QStringLiteral("Hilfe"));
    m_pHelpButton->setToolTip(QStringLiteral("Hilfe"));
    m_pHelpButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pHelpButton->setAutoRaise(true);
    m_pHelpButton->setProperty("keyTip", QStringLiteral("A"));
    rightLayout->addWidget(m_pHelpButton);
    m_pTabs->setCornerWidget(right, Qt::TopRightCorner);

    const int home = m_pTabs->addTab(BuildHomeTab(), QStringLiteral("Startseite"));
    m_pTabs->tabBar()->setAccessibleTabName(home, QStringLiteral("Startseite"));
    m_pTabs->widget(home)->setProperty("keyTip", QStringLiteral("H"));
    layout->addWidget(m_pTabs);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    SetWindows7Look(true);
}

QAction* CCommandBar::A(const char* objectName) const
{
    QAction* a = m_actions(QString::fromLatin1(objectName));
    Q_ASSERT_X(a, "CCommandBar", objectName);
    return a;
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
    print->addSection(QStringLiteral("Dokument in der Vorschau anzeigen und drucken"));
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
    exportMenu->addSection(QStringLiteral("Daten als *.csv Datei exportieren"));
    exportMenu->addAction(A("cmd_32850_export"));
    exportMenu->addAction(A("cmd_32862"));
    QAction* exportEntry = menu->addMenu(exportMenu);
    exportEntry->setObjectName(QStringLiteral("exportMenuEntry"));
    exportEntry->setIcon(A("cmd_32850_export")->icon());
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
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    return panel;
}

QToolButton* CCommandBar::LargeButton(QWidget* parent, QAction* action, const QString& text)
{
    auto* b = new QToolButton(parent);
    b->setDefaultAction(action);
    b->setObjectName(QStringLiteral("button_") + action->objectName());
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(32, 32));
    b->setAutoRaise(true);
    b->setMinimumWidth(58);
    if (!text.isEmpty())
        b->setText(text);
    return b;
}

QToolButton* CCommandBar::SmallButton(QWidget* parent, QAction* action)
{
    auto* b = new QToolButton(parent);
    b->setDefaultAction(action);
    b->setObjectName(QStringLiteral("button_") + action->objectName());
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

QToolButton* CCommandBar::MenuButton(QWidget* parent, const QString& text, const QString& name, QMenu* menu,
                                     const QIcon& icon, QAction* defaultAction)
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
        b->setToolTip(text);
    }
    b->setText(text);
    b->setAccessibleName(text);
    b->setIcon(icon);
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumWidth(58);
    return b;
}

QWidget* CCommandBar::BuildHomeTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tab_Startseite"));
    page->setAccessibleName(QStringLiteral("Startseite"));
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(4);

    // Zwischenablage: paste large, the others as a column of small buttons.
    QGroupBox* clip = NewPanel(QStringLiteral("Zwischenablage"), QStringLiteral("D"));
    clip->layout()->addWidget(LargeButton(clip, A("cmd_57637")));
    auto* clipColumn = new QVBoxLayout;
    clipColumn->setSpacing(0);
    for (const char* name : {"cmd_57635", "cmd_57634", "cmd_57642"})
        clipColumn->addWidget(SmallButton(clip, A(name)));
    static_cast<QHBoxLayout*>(clip->layout())->addLayout(clipColumn);
    row->addWidget(clip);

    QGroupBox* view = NewPanel(QStringLiteral("Ansicht"));
    auto* paneMenu = new QMenu(QStringLiteral("Eigenschaftsfenster"), view);
    paneMenu->setObjectName(QStringLiteral("paneMenu"));
    for (const char* name : {"cmd_32782", "cmd_32783", "cmd_32784"})
        paneMenu->addAction(A(name));
    view->layout()->addWidget(MenuButton(view, QStringLiteral("Eigenschaftsfenster"), QStringLiteral("paneMenuButton"),
                                         paneMenu, A("cmd_32784")->icon()));
    auto* styleMenu = new QMenu(QStringLiteral("Darstellung"), view);
    styleMenu->setObjectName(QStringLiteral("viewStyleMenu"));
    styleMenu->addAction(A("cmd_59411"));
    styleMenu->addAction(A("cmd_59410"));
    QAction* viewStyle = A("cmd_32778");
    view->layout()->addWidget(MenuButton(view, viewStyle->text(), QStringLiteral("button_cmd_32778"), styleMenu,
                                         viewStyle->icon(), viewStyle));
    row->addWidget(view);

    QGroupBox* windows = NewPanel(QStringLiteral("Fenster"), QStringLiteral("W"));
    m_pWindowButton = MenuButton(windows, QStringLiteral("Fenster"), QStringLiteral("button_cmd_131"), m_pWindowMenu,
                                 A("cmd_131")->icon(), A("cmd_131"));
    windows->layout()->addWidget(m_pWindowButton);
    row->addWidget(windows);

    QGroupBox* selection = NewPanel(QStringLiteral("Auswahl"));
    selection->layout()->addWidget(LargeButton(selection, A("cmd_32771")));
    selection->layout()->addWidget(LargeButton(selection, A("cmd_32772")));
    row->addWidget(selection);

    QGroupBox* options = NewPanel(QStringLiteral("Optionen"));
    auto* checks = new QVBoxLayout;
    checks->setSpacing(2);
    checks->addStretch();
    checks->addWidget(ActionCheckBox(options, A("cmd_32773")));
    checks->addWidget(ActionCheckBox(options, A("cmd_32774")));
    checks->addStretch();
    static_cast<QHBoxLayout*>(options->layout())->addLayout(checks);
    options->layout()->addWidget(LargeButton(options, A("cmd_32775")));
    options->layout()->addWidget(LargeButton(options, A("cmd_32776")));
    row->addWidget(options);

    QGroupBox* tools = NewPanel(QStringLiteral("Tools"));
    QToolButton* renumber = LargeButton(tools, A("cmd_32850"), QStringLiteral("Kanalposition\naktualisieren"));
    renumber->setAccessibleName(A("cmd_32850")->text());
    tools->layout()->addWidget(renumber);
    auto* sortMenu = new QMenu(QStringLiteral("Sortieren nach..."), tools);
    sortMenu->setObjectName(QStringLiteral("sortMenu"));
    sortMenu->addAction(A("cmd_32859"));
    sortMenu->addAction(A("cmd_32857"));
    tools->layout()->addWidget(MenuButton(tools, QStringLiteral("Sortieren nach..."), QStringLiteral("sortMenuButton"),
                                          sortMenu, A("cmd_32859")->icon()));
    row->addWidget(tools);

    QGroupBox* settingsPanel = NewPanel(QStringLiteral("Settings"));
    for (const char* name : {"cmd_32777", "cmd_32860", "cmd_32849"})
        settingsPanel->layout()->addWidget(LargeButton(settingsPanel, A(name)));
    row->addWidget(settingsPanel);
    row->addStretch(1);

    m_homeKeyTips[Qt::Key_D] = [clip] {
        if (auto* b = clip->findChild<QToolButton*>())
            b->setFocus(Qt::ShortcutFocusReason);
    };
    m_homeKeyTips[Qt::Key_W] = [this] { m_pWindowButton->showMenu(); };
    m_homeKeyTips[Qt::Key_V] = [this] { A("cmd_57637")->trigger(); };
    m_homeKeyTips[Qt::Key_X] = [this] { A("cmd_57635")->trigger(); };
    m_homeKeyTips[Qt::Key_C] = [this] { A("cmd_57634")->trigger(); };
    m_homeKeyTips[Qt::Key_A] = [this] { A("cmd_57642")->trigger(); };
    return page;
}

void CCommandBar::SetWindows7Look(bool windows7)
{
    m_bWindows7Look = windows7;
    // The application button: a plain framed button in the Windows 7 look,
    // a coloured one in the others.
    QPalette pal = palette();
    if (!windows7) {
        pal.setColor(QPalette::Button, pal.color(QPalette::Highlight));
        pal.setColor(QPalette::ButtonText, pal.color(QPalette::HighlightedText));
    }
    m_pAppButton->setPalette(pal);
    m_pAppButton->setAutoRaise(false);
    QFont f = m_pAppButton->font();
    f.setBold(!windows7);
    m_pAppButton->setFont(f);
    m_pAppButton->setMinimumWidth(64);
}

void CCommandBar::StartKeyTips()
{
    m_pTabs->setCurrentIndex(0);
    m_pTabs->tabBar()->setFocus(Qt::ShortcutFocusReason);
    m_bKeyTipMode = true;
    qApp->installEventFilter(this);
}

void CCommandBar::EndKeyTips()
{
    m_bKeyTipMode = false;
    qApp->removeEventFilter(this);
}

bool CCommandBar::eventFilter(QObject* watched, QEvent* event)
{
    if (m_bKeyTipMode && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt || key->key() == Qt::Key_Shift)
            return false;
        EndKeyTips();
        const auto it = m_homeKeyTips.find(key->key());
        if (it != m_homeKeyTips.end() && (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
            it->second();
            return true;
        }
        return key->key() == Qt::Key_Escape;
    }
    if (m_bKeyTipMode && event->type() == QEvent::MouseButtonPress)
        EndKeyTips();
    return QWidget::eventFilter(watched, event);
}
