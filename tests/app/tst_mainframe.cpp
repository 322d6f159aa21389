// The main window as a user meets it: start, command table, styles, panes,
// status bar, notification popup, drops and the settings written at exit.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include "ChildFrame.h"
#include "CommandBar.h"
#include "CommandPanelRow.h"
#include "CommandTable.h"
#include "DesktopAlert.h"
#include "DockPane.h"
#include "DocumentWindows.h"
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"
#include "dialogs/ChannelSucheDlg.h"
#include "uibase/Document.h"
#include "views/LeftView.h"
#include "views/VandrelEdit2028View.h"

namespace {
// The search pane has a column of its own on the left only where the screen
// is wide enough; below that it is a tab beside the property panes.
Qt::DockWidgetArea SearchArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry().width() >= 1600 ? Qt::LeftDockWidgetArea
                                                                                 : Qt::RightDockWidgetArea;
}
} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void plainStartOpensNothing();
    void commandLineFileOpens();
    void commandLineFileThatFailsEndsTheStart();
    void everyCommandExists();
    void commandTexts_data();
    void commandTexts();
    void enabledStates();
    void commandBarLayout();
    void narrowWindowCollapsesPanels();
    void applicationMenuHasRecentFiles();
    void germanStandardTexts();
    void styleSwitchAppliesAndStoresAtOnce();
    void storedOlderStyleStartsInIt();
    void panes();
    void firstStartLayout();
    void autoHidePane();
    void paneLayoutPersists();
    void sliderAbsentWithoutListMode();
    void sliderRules();
    void checkedCommandsShowTheActiveWindow();
    void channelCountSurvivesDisplayModes();
    void searchCommandPutsTheCursorIntoTheField();
    void desktopAlert();
    void droppedFilesOpen();
    void windowManagerDialog();
    void settingsWrittenAtExit();

private:
    std::unique_ptr<CGuiFixture> m_f;
};

void TestMainFrame::init()
{
    m_f = std::make_unique<CGuiFixture>();
}
void TestMainFrame::cleanup()
{
    m_f.reset();
}

void TestMainFrame::plainStartOpensNothing()
{
    QVERIFY(m_f->Start());
    QVERIFY(m_f->Frame().isVisible());
    QVERIFY(m_f->Frame().Windows().ChildFrames().isEmpty());
    QVERIFY(m_f->App().Documents().empty());
    QVERIFY(m_f->Prompts().records.isEmpty());
    QCOMPARE(m_f->Frame().windowTitle(), QStringLiteral("VandrelEdit2028"));
    QCOMPARE(m_f->Frame().MainPane()->text(), QStringLiteral("VandrelEdit Rudevoz 2028"));
    QCOMPARE(m_f->Frame().ChannelCountPane()->text(), QStringLiteral("        0     Kanäle"));
    QVERIFY(!m_f->Frame().WidthSlider());
    QVERIFY(!m_f->Frame().WidthLabel());
    QVERIFY(m_f->Frame().acceptDrops());
}

void TestMainFrame::commandLineFileOpens()
{
    const QString path = m_f->WriteFile(QStringLiteral("start.ndb"), GoodDatabase());
    QVERIFY(m_f->Start({path}));
    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);
    QCOMPARE(m_f->Frame().windowTitle(), QStringLiteral("start.ndb[*] - VandrelEdit2028"));
}

void TestMainFrame::commandLineFileThatFailsEndsTheStart()
{
    const QString path = m_f->WriteFile(QStringLiteral("bad.ndb"), DamagedDatabase());
    QVERIFY(!m_f->Start({path}));
    QCOMPARE(m_f->Prompts().OfKind(QStringLiteral("warning")).value(0).text,
             QStringLiteral("Unerwartetes Dateiformat."));
}

void TestMainFrame::everyCommandExists()
{
    QVERIFY(m_f->Start());
    int checked = 0;
    for (const CommandInfo& info : CommandTable()) {
        const QString name = QLatin1String(info.identifier) == QLatin1String("ID_FILE_EXPORT")
                                 ? QStringLiteral("cmd_%1_export").arg(info.id)
                                 : QStringLiteral("cmd_%1").arg(info.id);
        QAction* a = m_f->Action(name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->property("commandId").toInt(), info.id);
        QCOMPARE(a->text(), QString::fromUtf8(info.text));
        QCOMPARE(a->property("identifier").toString(), QLatin1String(info.identifier));
        QVERIFY2(a->toolTip().contains(QString::fromUtf8(info.description)), qPrintable(name));
        ++checked;
    }
    QCOMPARE(checked, 54); // the table's rows, 32850 twice
}

void TestMainFrame::commandTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const char* text) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text);
    };
    row("cmd_57600", "&Neu");
    row("cmd_57601", "Öff&nen...");
    row("cmd_57603", "&Speichern");
    row("cmd_57604", "Speichern &unter...");
    row("cmd_57607", "Drucken");
    row("cmd_57608", "Schnelldruc&k");
    row("cmd_57609", "&Seitenansicht");
    row("cmd_57606", "Dr&uckeinrichtung");
    row("cmd_32850_export", "Exportieren");
    row("cmd_32862", "Alles exportieren");
    row("cmd_57602", "&Schließen");
    row("cmd_32787", "Informationen");
    row("cmd_57665", "&Beenden");
    row("cmd_215", "Office 2007 (Stil '&Blau')");
    row("cmd_216", "Office 2007 (Stil 'S&chwarz')");
    row("cmd_217", "Office 2007 (Stil '&Silber')");
    row("cmd_218", "Office 2007 (Stil '&Aqua')");
    row("cmd_219", "Win&dows 7");
    row("cmd_57667", "Hilfe&themen");
    row("cmd_57664", "&Info über VandrelEdit...");
    row("cmd_57637", "Einfügen");
    row("cmd_57635", "Ausschneiden");
    row("cmd_57634", "Kopieren");
    row("cmd_57642", "Alle auswählen");
    row("cmd_57643", "Rückgängig");
    row("cmd_57644", "Wiederholen");
    row("cmd_32782", "Satellit / LNB");
    row("cmd_32783", "Transponder");
    row("cmd_32784", "Kanäle");
    row("cmd_32778", "Darstellung");
    row("cmd_59411", "Details");
    row("cmd_59410", "Liste");
    row("cmd_59408", "Kleine Symbole");
    row("cmd_59409", "Große Symbole");
    row("cmd_59412", "Symbole ausrichten");
    row("cmd_131", "&Fenster...");
    row("cmd_57648", "&Neues Fenster");
    row("cmd_32771", "Fernsehen");
    row("cmd_32772", "Radio");
    row("cmd_32773", "Automatische Nummerierung");
    row("cmd_32774", "Nur aktive Satelliten auflisten");
    row("cmd_32775", "Suchen");
    row("cmd_32776", "Optionen");
    row("cmd_32850", "Kanalposition aktualisieren");
    row("cmd_32859", "Automatische Sortierung anwenden");
    row("cmd_32857", "Sortierung in Datei speichern");
    row("cmd_32844", "Neuer Kanal");
    row("cmd_32777", "Statistik");
    row("cmd_32860", "Timer");
    row("cmd_32849", "Systemeinstellungen");
}

void TestMainFrame::commandTexts()
{
    if (!m_f->Start())
        QFAIL("start failed");
    QFETCH(QString, name);
    QFETCH(QString, text);
    QAction* a = m_f->Action(name);
    QVERIFY(a);
    QCOMPARE(a->text(), text);
    QCOMPARE(a->objectName(), name);
}

void TestMainFrame::enabledStates()
{
    QVERIFY(m_f->Start());
    const QStringList alwaysOn = {
        QStringLiteral("cmd_57600"), QStringLiteral("cmd_57601"), QStringLiteral("cmd_57665"),
        QStringLiteral("cmd_215"),   QStringLiteral("cmd_219"),   QStringLiteral("cmd_32782"),
        QStringLiteral("cmd_32783"), QStringLiteral("cmd_32784"), QStringLiteral("cmd_32775"),
        QStringLiteral("cmd_131"),   QStringLiteral("cmd_57606"), QStringLiteral("cmd_32776"),
        QStringLiteral("cmd_32787"), QStringLiteral("cmd_32849"), QStringLiteral("cmd_57664"),
        QStringLiteral("cmd_57667")};
    const QStringList withDocument = {QStringLiteral("cmd_57603"), QStringLiteral("cmd_57604"),
                                      QStringLiteral("cmd_57602"), QStringLiteral("cmd_57648"),
                                      QStringLiteral("cmd_32777"), QStringLiteral("cmd_32860")};
    // The commands of the document window.
    const QStringList withWindow = {
        QStringLiteral("cmd_57642"),        QStringLiteral("cmd_32771"), QStringLiteral("cmd_32772"),
        QStringLiteral("cmd_32773"),        QStringLiteral("cmd_32774"), QStringLiteral("cmd_32850"),
        QStringLiteral("cmd_32850_export"), QStringLiteral("cmd_32778"), QStringLiteral("cmd_59408"),
        QStringLiteral("cmd_59409"),        QStringLiteral("cmd_59410"), QStringLiteral("cmd_59411"),
        QStringLiteral("cmd_59412"),        QStringLiteral("cmd_57607"), QStringLiteral("cmd_57608"),
        QStringLiteral("cmd_57609"),        QStringLiteral("cmd_32862"), QStringLiteral("cmd_32859"),
        QStringLiteral("cmd_32857"),        QStringLiteral("cmd_32844")};
    // Copy and cut need selected rows, paste channels on the clipboard.
    QGuiApplication::clipboard()->clear();
    const QStringList later = {QStringLiteral("cmd_57637"), QStringLiteral("cmd_57635"),
                               QStringLiteral("cmd_57634")};
    for (const QString& n : alwaysOn)
        QVERIFY2(m_f->Action(n)->isEnabled(), qPrintable(n));
    for (const QString& n : withDocument + withWindow + later)
        QVERIFY2(!m_f->Action(n)->isEnabled(), qPrintable(n));

    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase()));
    for (const QString& n : alwaysOn + withDocument + withWindow)
        QVERIFY2(m_f->Action(n)->isEnabled(), qPrintable(n));
    for (const QString& n : later)
        QVERIFY2(!m_f->Action(n)->isEnabled(), qPrintable(n));
    // A disabled command does nothing when triggered by its shortcut route either.
    QVERIFY(!m_f->Trigger(QStringLiteral("cmd_57637")));
}

namespace {
// A window of the given width, laid out.
void ResizeFrame(CMainFrame& frame, int width)
{
    frame.setWindowState(Qt::WindowNoState);
    frame.resize(width, 700);
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
}

// The object names of the actions a menu offers, its sub-menus' included.
void CollectMenuCommands(const QMenu* menu, QSet<QString>& names)
{
    for (QAction* a : menu->actions()) {
        if (a->menu())
            CollectMenuCommands(a->menu(), names);
        else if (!a->isSeparator())
            names.insert(a->objectName());
    }
}
} // namespace

void TestMainFrame::commandBarLayout()
{
    QVERIFY(m_f->Start());
    // As wide as a desktop screen (the offscreen one is narrower).
    ResizeFrame(m_f->Frame(), 1600);
    CCommandBar* bar = m_f->Frame().CommandBar();
    QVERIFY(bar);
    QCOMPARE(bar->ApplicationButton()->text(), QStringLiteral("Datei"));
    QCOMPARE(bar->ApplicationButton()->property("keyTip").toString(), QStringLiteral("F"));
    QCOMPARE(bar->Tabs()->count(), 1);
    QCOMPARE(bar->Tabs()->tabText(0), QStringLiteral("Startseite"));

    // Panels in their order, left to right.
    QList<QGroupBox*> panels = bar->findChildren<QGroupBox*>();
    std::sort(panels.begin(), panels.end(), [](QGroupBox* a, QGroupBox* b) { return a->x() < b->x(); });
    QStringList titles;
    for (QGroupBox* p : panels)
        titles << p->title();
    QCOMPARE(titles, (QStringList{QStringLiteral("Zwischenablage"), QStringLiteral("Ansicht"),
                                  QStringLiteral("Fenster"), QStringLiteral("Auswahl"), QStringLiteral("Optionen"),
                                  QStringLiteral("Tools"), QStringLiteral("Settings")}));
    for (QGroupBox* p : panels)
        QVERIFY2(p->isVisible() && p->width() >= p->minimumSizeHint().width(),
                 qPrintable(QStringLiteral("%1: %2 < %3, frame %4")
                                .arg(p->title())
                                .arg(p->width())
                                .arg(p->minimumSizeHint().width())
                                .arg(m_f->Frame().width())));

    // The quick-access bar: New, Open, Save, undo, redo, quick print.
    QStringList quick;
    for (QAction* a : bar->QuickAccessBar()->actions())
        quick << a->objectName();
    QCOMPARE(quick,
             (QStringList{QStringLiteral("cmd_57600"), QStringLiteral("cmd_57601"), QStringLiteral("cmd_57603"),
                          QStringLiteral("cmd_57643"), QStringLiteral("cmd_57644"), QStringLiteral("cmd_57608")}));

    // "Stil" and help sit at the right of the tab row.
    auto* style = bar->findChild<QToolButton*>(QStringLiteral("styleMenuButton"));
    auto* help = bar->findChild<QToolButton*>(QStringLiteral("helpMenuButton"));
    QVERIFY(style && help);
    QVERIFY(style->mapTo(bar, QPoint()).x() > bar->Tabs()->mapTo(bar, QPoint(bar->Tabs()->width(), 0)).x());
    QVERIFY(help->mapTo(bar, QPoint()).x() > style->mapTo(bar, QPoint()).x());
    QStringList styleEntries;
    for (QAction* a : style->menu()->actions())
        styleEntries << a->objectName();
    QCOMPARE(styleEntries,
             (QStringList{QStringLiteral("cmd_215"), QStringLiteral("cmd_216"), QStringLiteral("cmd_217"),
                          QStringLiteral("cmd_218"), QStringLiteral("cmd_219")}));
    QCOMPARE(help->menu()->actions().size(), 2);
    // Every menu of the bar names itself in its tooltip and says what it
    // offers (Qt's own overflow button aside).
    for (QToolButton* b : bar->findChildren<QToolButton*>())
        if (b->menu() && !b->objectName().startsWith(QLatin1String("qt_")))
            QVERIFY2(b->toolTip().section(QLatin1Char('\n'), 1).size() > 10,
                     qPrintable(b->objectName() + QLatin1Char(':') + b->toolTip()));
    auto* panes = bar->findChild<QToolButton*>(QStringLiteral("paneMenuButton"));
    QVERIFY(panes);
    QCOMPARE(panes->toolTip().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Eigenschaftsfenster"));

    // Accessible roles of the bar's parts.
    QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(bar->Tabs());
    QVERIFY(tabs);
    QCOMPARE(tabs->role(), QAccessible::PageTabList);
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(panels.front());
    QCOMPARE(panel->role(), QAccessible::Grouping);
    QCOMPARE(QAccessible::queryAccessibleInterface(bar->QuickAccessBar())->role(), QAccessible::ToolBar);
    auto* paste = bar->findChild<QToolButton*>(QStringLiteral("button_cmd_57637"));
    QVERIFY(paste);
    QCOMPARE(QAccessible::queryAccessibleInterface(paste)->role(), QAccessible::Button);
    QCOMPARE(QAccessible::queryAccessibleInterface(paste)->text(QAccessible::Name), QStringLiteral("Einfügen"));
}

void TestMainFrame::narrowWindowCollapsesPanels()
{
    QVERIFY(m_f->Start());
    CMainFrame& frame = m_f->Frame();
    CCommandBar* bar = frame.CommandBar();
    CCommandPanelRow* row = bar->HomePanels();
    QVERIFY(row);
    const QStringList titles{QStringLiteral("Zwischenablage"), QStringLiteral("Ansicht"),
                             QStringLiteral("Fenster"),        QStringLiteral("Auswahl"),
                             QStringLiteral("Optionen"),       QStringLiteral("Tools"),
                             QStringLiteral("Settings")};
    QList<QGroupBox*> panels;
    for (const QString& title : titles)
        panels << bar->findChild<QGroupBox*>(QStringLiteral("panel_") + title);
    QVERIFY(!panels.contains(nullptr));

    // The bar does not hold the window wider than a small screen.
    QVERIFY2(frame.minimumSizeHint().width() <= 800, qPrintable(QString::number(frame.minimumSizeHint().width())));

    for (int width : {1000, 800}) {
        ResizeFrame(frame, width);
        // Panels give way from the right; what stays fits into the window.
        int expanded = 0;
        while (expanded < panels.size() && !row->CollapsedButton(panels[expanded]))
            ++expanded;
        QVERIFY2(expanded > 0 && expanded < panels.size(), qPrintable(QString::number(expanded)));
        for (int i = 0; i < panels.size(); ++i) {
            QToolButton* collapsed = row->CollapsedButton(panels[i]);
            QCOMPARE(collapsed != nullptr, i >= expanded);
            QWidget* shown = collapsed ? static_cast<QWidget*>(collapsed) : panels[i];
            QVERIFY2(shown->isVisible() && !(collapsed && panels[i]->isVisible()), qPrintable(titles[i]));
            QVERIFY2(shown->mapTo(&frame, QPoint(shown->width(), 0)).x() <= frame.width(), qPrintable(titles[i]));
        }
        // Every command of a collapsed panel is in its button's menu.
        for (int i = expanded; i < panels.size(); ++i) {
            QSet<QString> offered;
            CollectMenuCommands(row->CollapsedButton(panels[i])->menu(), offered);
            QSet<QString> commands;
            for (QToolButton* b : panels[i]->findChildren<QToolButton*>()) {
                if (b->menu())
                    CollectMenuCommands(b->menu(), commands);
                else if (b->defaultAction())
                    commands.insert(b->defaultAction()->objectName());
            }
            for (QCheckBox* box : panels[i]->findChildren<QCheckBox*>())
                commands.insert(box->objectName().mid(int(strlen("check_"))));
            QVERIFY2(!commands.isEmpty() && offered.contains(commands),
                     qPrintable(titles[i] + QLatin1String(": ") + QStringList(commands.values()).join(u' ')));
        }
    }
    // A screen reader names the button after its panel.
    QToolButton* settings = row->CollapsedButton(panels.last());
    QVERIFY(settings);
    QCOMPARE(QAccessible::queryAccessibleInterface(settings)->text(QAccessible::Name), QStringLiteral("Settings"));

    // Wide again: every panel is back.
    ResizeFrame(frame, 1600);
    for (QGroupBox* panel : panels)
        QVERIFY2(panel->isVisible() && !row->CollapsedButton(panel), qPrintable(panel->title()));
}

void TestMainFrame::applicationMenuHasRecentFiles()
{
    QVERIFY(m_f->Start());
    const QString a = m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase());
    const QString b = m_f->WriteFile(QStringLiteral("b.ndb"), GoodDatabase());
    m_f->App().OpenDocumentFile(a);
    m_f->App().OpenDocumentFile(b);
    QMenu* menu = m_f->Frame().CommandBar()->ApplicationMenu();
    QStringList texts;
    for (QAction* act : menu->actions())
        texts << (act->menu() ? act->menu()->title() : act->text());
    const int heading = int(texts.indexOf(QStringLiteral("Zuletzt verwendete Dokumente")));
    QVERIFY(heading > 0);
    QCOMPARE(texts.value(heading + 1), QStringLiteral("&1 b.ndb"));
    QCOMPARE(texts.value(heading + 2), QStringLiteral("&2 a.ndb"));
    QVERIFY(texts.indexOf(QStringLiteral("&Neu")) < texts.indexOf(QStringLiteral("Drucken")));
    QCOMPARE(texts.last(), QStringLiteral("&Beenden"));

    // Choosing a recent entry of a closed document opens it again.
    m_f->Frame().Windows().CloseFramesOf(m_f->App().FindDocument(a));
    QTRY_COMPARE(m_f->App().Documents().size(), size_t(1));
    auto* recentA = menu->findChild<QAction*>(QStringLiteral("recent_2"));
    QVERIFY(recentA);
    recentA->trigger();
    QCOMPARE(m_f->App().Documents().size(), size_t(2));
    QCOMPARE(m_f->Frame().ActiveDocument()->PathName(), QFileInfo(a).absoluteFilePath());
}

void TestMainFrame::germanStandardTexts()
{
    QVERIFY(m_f->Start());
    QCOMPARE(QLocale().language(), QLocale::German);
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("x"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
}

void TestMainFrame::styleSwitchAppliesAndStoresAtOnce()
{
    QVERIFY(m_f->Start());
    QCOMPARE(m_f->App().Settings().m_nApplicationLook, 219);
    QVERIFY(m_f->Action(QStringLiteral("cmd_219"))->isChecked());
    QVERIFY(m_f->Frame().CommandBar()->HasWindows7Look());
    const QColor windows7Window = QApplication::palette().color(QPalette::Window);

    QVERIFY(m_f->Trigger(QStringLiteral("cmd_216")));
    QCOMPARE(QSettings(m_f->SettingsPath(), QSettings::IniFormat)
                 .value(QStringLiteral("Workspace/ApplicationLook"))
                 .toInt(),
             216);
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(83, 83, 83));
    QVERIFY(m_f->Action(QStringLiteral("cmd_216"))->isChecked());
    QVERIFY(!m_f->Action(QStringLiteral("cmd_219"))->isChecked());
    QVERIFY(!m_f->Frame().CommandBar()->HasWindows7Look());

    QVERIFY(m_f->Trigger(QStringLiteral("cmd_218")));
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(194, 214, 226));

    QVERIFY(m_f->Trigger(QStringLiteral("cmd_219")));
    QCOMPARE(QSettings(m_f->SettingsPath(), QSettings::IniFormat)
                 .value(QStringLiteral("Workspace/ApplicationLook"))
                 .toInt(),
             219);
    QCOMPARE(QApplication::palette().color(QPalette::Window), windows7Window);
    QVERIFY(m_f->Frame().CommandBar()->HasWindows7Look());

    // The next start takes the stored look.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_217")));
    QVERIFY(m_f->Quit());
    QVERIFY(m_f->Start());
    QCOMPARE(m_f->App().Settings().m_nApplicationLook, 217);
    QVERIFY(m_f->Action(QStringLiteral("cmd_217"))->isChecked());
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(208, 212, 221));
}

void TestMainFrame::storedOlderStyleStartsInIt()
{
    {
        QSettings ini(m_f->SettingsPath(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Workspace/ApplicationLook"), 208);
    }
    QVERIFY(m_f->Start());
    QCOMPARE(int(m_f->Frame().CurrentLook().family), int(LookFamily::Office2003));
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(195, 218, 249));
    for (int id = 215; id <= 219; ++id)
        QVERIFY(!m_f->Action(QStringLiteral("cmd_%1").arg(id))->isChecked());
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_219")));
    QCOMPARE(QSettings(m_f->SettingsPath(), QSettings::IniFormat)
                 .value(QStringLiteral("Workspace/ApplicationLook"))
                 .toInt(),
             219);
}

void TestMainFrame::panes()
{
    QVERIFY(m_f->Start());
    struct Expected {
        int id;
        const char* title;
        Qt::DockWidgetArea area;
        const char* command;
    };
    const Expected expected[] = {{150, "Eigenschaften", Qt::RightDockWidgetArea, "cmd_32784"},
                                 {32846, "Transponder", Qt::RightDockWidgetArea, "cmd_32783"},
                                 {32847, "Satellit", Qt::RightDockWidgetArea, "cmd_32782"},
                                 {32775, "Suchen", SearchArea(), "cmd_32775"}};
    for (const Expected& e : expected) {
        CDockPane* pane = m_f->Frame().Pane(e.id);
        QVERIFY2(pane, e.title);
        QCOMPARE(pane->windowTitle(), QString::fromUtf8(e.title));
        QCOMPARE(m_f->Frame().dockWidgetArea(pane), e.area);
        QCOMPARE(pane->allowedAreas(), Qt::AllDockWidgetAreas);
        QVERIFY(pane->features().testFlag(QDockWidget::DockWidgetFloatable));
        QVERIFY(pane->features().testFlag(QDockWidget::DockWidgetMovable));
        pane->hide();
        QVERIFY(m_f->Trigger(QString::fromLatin1(e.command)));
        QVERIFY2(pane->isVisible(), e.title);
        QCOMPARE(m_f->Frame().dockWidgetArea(pane), e.area); // shown where it was
    }
    // The property panes are tabs of one dock area in creation order:
    // properties, transponder, satellite (and the search on a small screen).
    QList<QDockWidget*> tabs{m_f->Frame().Pane(32846), m_f->Frame().Pane(32847)};
    if (SearchArea() == Qt::RightDockWidgetArea)
        tabs.append(m_f->Frame().Pane(32775));
    QCOMPARE(m_f->Frame().tabifiedDockWidgets(m_f->Frame().Pane(150)), tabs);
}

void TestMainFrame::firstStartLayout()
{
    QVERIFY(m_f->Start());
    CMainFrame& frame = m_f->Frame();
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    // Without a stored layout the window fills the screen it starts on.
    QVERIFY(frame.isMaximized());
    QCOMPARE(frame.frameGeometry(), frame.screen()->availableGeometry());
    // The channel pane is in front of its tabs, each with the dock's height.
    QVERIFY(!frame.Pane(150)->visibleRegion().isEmpty());
    QVERIFY(frame.Pane(32846)->visibleRegion().isEmpty());
    // The search pane asks for room for its five columns side by side (the
    // first start gives it that much of a screen wide enough).
    const QTreeWidget* results = frame.ChannelSearch()->ResultList();
    int columns = 0;
    for (int c = 0; c < results->columnCount(); ++c)
        columns += results->columnWidth(c);
    QVERIFY(frame.ChannelSearch()->sizeHint().width() >=
            columns + results->verticalScrollBar()->sizeHint().width());

    // On a laptop's 1366 pixels the channel list has at least half the width.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57600")));
    frame.setWindowState(Qt::WindowNoState);
    frame.resize(1366, 768);
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
    QTRY_VERIFY(frame.ActiveChildFrame());
    const QWidget* channels = frame.ActiveChildFrame()->ListView();
    QVERIFY2(channels->width() * 2 >= frame.width(), qPrintable(QString::number(channels->width())));

    // A stored layout wins over the first start's.
    frame.showNormal();
    frame.setGeometry(40, 50, 720, 520);
    QVERIFY(m_f->Quit());
    QVERIFY(m_f->Start());
    QVERIFY(!m_f->Frame().isMaximized());
    QCOMPARE(m_f->Frame().geometry().size(), QSize(720, 520));
}

void TestMainFrame::autoHidePane()
{
    QVERIFY(m_f->Start());
    CDockPane* pane = m_f->Frame().Pane(32847);
    auto* pin = pane->findChild<QToolButton*>(QStringLiteral("panePin"));
    QVERIFY(pin);
    pin->click();
    QVERIFY(pane->IsAutoHide());
    QVERIFY(!pane->isVisible());
    QToolButton* tab = pane->AutoHideTab();
    QTRY_VERIFY(tab->isVisible());
    auto* bar = qobject_cast<QToolBar*>(tab->parentWidget());
    QVERIFY(bar);
    QCOMPARE(m_f->Frame().toolBarArea(bar), Qt::RightToolBarArea);
    QCOMPARE(tab->text(), QStringLiteral("Satellit"));

    tab->click(); // shows the pane from its tab
    QVERIFY(pane->isVisible());
    QVERIFY(pane->IsPeeking());
    QCursor::setPos(m_f->Frame().mapToGlobal(QPoint(5, m_f->Frame().height() / 2)));
    m_f->Frame().setFocus();
    pane->HideIfLeft();
    QVERIFY(!pane->isVisible());

    // The command shows it too; pinning again docks it for good.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32782")));
    QVERIFY(pane->isVisible());
    pin->click();
    QVERIFY(!pane->IsAutoHide());
    QVERIFY(pane->isVisible());
    QVERIFY(!tab->isVisible());
    QVERIFY(!bar->isVisible());
}

void TestMainFrame::paneLayoutPersists()
{
    QVERIFY(m_f->Start());
    m_f->Frame().Pane(32846)->hide();
    m_f->Frame().Pane(32775)->setFloating(true);
    m_f->Frame().Pane(150)->SetAutoHide(true);
    QVERIFY(m_f->Quit());
    QVERIFY(m_f->Start());
    QVERIFY(!m_f->Frame().Pane(32846)->isVisible());
    QVERIFY(m_f->Frame().Pane(32847)->isVisible());
    QVERIFY(m_f->Frame().Pane(32775)->isFloating());
    QVERIFY(m_f->Frame().Pane(150)->IsAutoHide());
    QVERIFY(!m_f->Frame().Pane(150)->isVisible());
    QTRY_VERIFY(m_f->Frame().Pane(150)->AutoHideTab()->isVisible()); // once the edge bar is laid out
}

void TestMainFrame::sliderAbsentWithoutListMode()
{
    QVERIFY(m_f->Start());
    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase()));
    CChildFrame* frame = m_f->Frame().ActiveChildFrame();
    QVERIFY(frame);
    QVERIFY(!frame->IsListMode()); // the list starts in details mode
    QVERIFY(!m_f->Frame().WidthSlider());
    QVERIFY(!m_f->Frame().WidthLabel());
    // The five television channels of the database.
    QCOMPARE(m_f->Frame().ChannelCountPane()->text(), QStringLiteral(" 5 Kanäle"));
    frame->SetChannelCountText(QStringLiteral("        8     Kanäle"));
    QCOMPARE(m_f->Frame().ChannelCountPane()->text(), QStringLiteral("        8     Kanäle"));
}

void TestMainFrame::sliderRules()
{
    QVERIFY(m_f->Start());
    QCOMPARE(m_f->App().Settings().m_nListWidth, 100);
    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase()));
    CChildFrame* frame = m_f->Frame().ActiveChildFrame();
    frame->SetListMode(true);
    QSlider* slider = m_f->Frame().WidthSlider();
    QLabel* label = m_f->Frame().WidthLabel();
    QVERIFY(slider && label);
    QVERIFY(slider->isVisible() && label->isVisible());
    QCOMPARE(slider->minimum(), 50);
    QCOMPARE(slider->maximum(), 250);
    QCOMPARE(slider->width(), 100);
    QCOMPARE(slider->value(), 100);
    QCOMPARE(label->text(), QStringLiteral("100%"));
    QCOMPARE(slider->objectName(), QStringLiteral("status_32786"));
    QCOMPARE(label->objectName(), QStringLiteral("status_32785"));

    slider->setValue(180);
    QCOMPARE(label->text(), QStringLiteral("180%"));
    QCOMPARE(frame->ListColumnWidth(), 180);
    QCOMPARE(m_f->App().Settings().m_nListWidth, 100); // taken over only when the list leaves list mode

    frame->SetListMode(false);
    QVERIFY(!m_f->Frame().WidthSlider());
    QVERIFY(!m_f->Frame().WidthLabel());
    QCOMPARE(m_f->App().Settings().m_nListWidth, 180);

    frame->SetListMode(true);
    QCOMPARE(m_f->Frame().WidthSlider()->value(), 180);
    QCOMPARE(m_f->Frame().WidthLabel()->text(), QStringLiteral("180%"));

    // A second window in details mode takes the slider away; back to the first brings it again.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57648")));
    QVERIFY(!m_f->Frame().WidthSlider());
    m_f->Frame().Windows().ActivateFrame(frame);
    QVERIFY(m_f->Frame().WidthSlider());

    // Closing the last window leaves no slider behind.
    m_f->Frame().Windows().CloseFramesOf(frame->GetDocument());
    QTRY_VERIFY(m_f->Frame().Windows().ChildFrames().isEmpty());
    QVERIFY(!m_f->Frame().WidthSlider());
    QVERIFY(!m_f->Frame().WidthLabel());
    QVERIFY(m_f->Quit());
    QCOMPARE(
        QSettings(m_f->SettingsPath(), QSettings::IniFormat).value(QStringLiteral("Workspace/ListWidth")).toInt(),
        180);
}

void TestMainFrame::checkedCommandsShowTheActiveWindow()
{
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase())}));
    CChildFrame* frame = m_f->Frame().ActiveChildFrame();
    auto* box = m_f->Frame().CommandBar()->findChild<QCheckBox*>(QStringLiteral("check_cmd_32774"));
    QVERIFY(box);
    const bool start = frame->IsOnlyActive();
    QCOMPARE(box->isChecked(), start);

    // The tree's menu switches the filter: the bar shows it at once.
    CLeftView* tree = frame->Tree();
    const QPoint pos = tree->visualItemRect(tree->SatellitesRoot()).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(tree->viewport(), &event);
    auto* menu = tree->findChild<QMenu*>(QStringLiteral("SatelliteHead"));
    QVERIFY(menu && menu->isVisible());
    menu->findChild<QAction*>(QStringLiteral("treeCmd_32774"))->trigger();
    menu->close();
    QCOMPARE(frame->IsOnlyActive(), !start);
    QCOMPARE(m_f->Action(QStringLiteral("cmd_32774"))->isChecked(), !start);
    QCOMPARE(box->isChecked(), !start);
    // The next click on the box switches from what it shows.
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(frame->IsOnlyActive(), start);
    QCOMPARE(box->isChecked(), start);

    // A second window keeps its own modes; each shows in the bar while active.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57648")));
    CChildFrame* second = m_f->Frame().ActiveChildFrame();
    QVERIFY(second != frame);
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32772")));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32773")));
    const auto checked = [this](const char* name) { return m_f->Action(QString::fromLatin1(name))->isChecked(); };
    QVERIFY(checked("cmd_32772") && !checked("cmd_32771"));
    QCOMPARE(checked("cmd_32773"), second->IsAutoNumbering());
    m_f->Frame().Windows().ActivateFrame(frame);
    QVERIFY(checked("cmd_32771") && !checked("cmd_32772"));
    QCOMPARE(checked("cmd_32773"), frame->IsAutoNumbering());
    QVERIFY(frame->IsAutoNumbering() != second->IsAutoNumbering());
}

void TestMainFrame::channelCountSurvivesDisplayModes()
{
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase())}));
    m_f->Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_f->Frame()));
    QLabel* count = m_f->Frame().ChannelCountPane();
    QCOMPARE(count->text(), QStringLiteral(" 5 Kanäle"));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32778"))); // to the list
    QVERIFY(m_f->Frame().ActiveChildFrame()->IsListMode());
    QCOMPARE(count->text(), QStringLiteral(" 5 Kanäle"));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32778"))); // back to details
    QVERIFY(!m_f->Frame().ActiveChildFrame()->IsListMode());
    QCOMPARE(count->text(), QStringLiteral(" 5 Kanäle"));
    QVERIFY(count->isVisible());
    QVERIFY(count->width() >= count->fontMetrics().horizontalAdvance(count->text()));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32772")));
    QCOMPARE(count->text(), QStringLiteral(" 3 Kanäle"));
    QVERIFY(count->isVisible());
}

void TestMainFrame::searchCommandPutsTheCursorIntoTheField()
{
    QVERIFY(m_f->Start({m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase())}));
    CMainFrame& frame = m_f->Frame();
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QLineEdit* field = frame.ChannelSearch()->SearchField();
    field->setText(QStringLiteral("ard"));
    frame.Pane(32775)->hide();
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_32775")));
    QVERIFY(frame.Pane(32775)->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field));
    // Typing goes straight into the search and replaces the last one.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("zdf"));
    QCOMPARE(field->text(), QStringLiteral("zdf"));
    QCOMPARE(frame.ChannelSearch()->HitCountText(), QStringLiteral("1 Kanäle"));
}

void TestMainFrame::desktopAlert()
{
    QVERIFY(m_f->Start());
    QPointer<QWidget> popup = m_f->Frame().ShowDesktopAlert(QStringLiteral("3 Kanäle verschoben"));
    auto* alert = qobject_cast<CDesktopAlert*>(popup.data());
    QVERIFY(alert);
    QCOMPARE(alert->windowTitle(), QStringLiteral("VandrelEdit Rudevoz SF 2028"));
    QCOMPARE(alert->BodyText(), QStringLiteral("VandrelEdit Rudevoz SF 2028\n\n3 Kanäle verschoben"));
    QVERIFY(alert->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(qAbs(alert->windowOpacity() - 200.0 / 255.0) < 0.01);
    QVERIFY(alert->isVisible());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QTRY_COMPARE(alert->pos(), alert->FinalPosition()); // slid in
    const QRect shown = alert->frameGeometry();
    QVERIFY(area.contains(shown));
    QVERIFY(area.right() - shown.right() < 20);
    QVERIFY(area.bottom() - shown.bottom() < 20);
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(4000);
    QVERIFY2(popup, qPrintable(QString::number(clock.elapsed()))); // still there before 5000 ms
    QTRY_VERIFY_WITH_TIMEOUT(!popup, 2000);
}

void TestMainFrame::droppedFilesOpen()
{
    QVERIFY(m_f->Start());
    const QString a = m_f->WriteFile(QStringLiteral("drop1.ndb"), GoodDatabase());
    const QString b = m_f->WriteFile(QStringLiteral("drop2.ndb"), GoodDatabase());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    const QPoint at = m_f->Frame().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m_f->Frame(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m_f->Frame(), &drop);
    QCOMPARE(m_f->App().Documents().size(), size_t(2));
    QCOMPARE(m_f->Frame().Windows().ChildFrames().size(), 2);
}

void TestMainFrame::windowManagerDialog()
{
    QVERIFY(m_f->Start());
    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase()));
    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("b.ndb"), GoodDatabase()));
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_131")));
    auto* dialog = m_f->Frame().findChild<QDialog*>(QStringLiteral("windowManagerDialog"));
    QVERIFY(dialog && dialog->isVisible());
    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("windowList"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("a.ndb"));
    list->clearSelection();
    list->item(0)->setSelected(true);
    dialog->findChild<QPushButton*>(QStringLiteral("activateButton"))->click();
    QCOMPARE(m_f->Frame().ActiveDocument()->Title(), QStringLiteral("a.ndb"));
    dialog->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    QTRY_COMPARE(m_f->Frame().Windows().ChildFrames().size(), 1);
    QCOMPARE(list->count(), 1);
    dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    QTRY_VERIFY(!m_f->Frame().findChild<QDialog*>(QStringLiteral("windowManagerDialog")));
}

void TestMainFrame::settingsWrittenAtExit()
{
    {
        QSettings ini(m_f->SettingsPath(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Workspace/ProviderOrder"), 5);
        ini.setValue(QStringLiteral("Einstellungen/ChannelBackColor"), 0x010203);
    }
    QVERIFY(m_f->Start());
    QCOMPARE(m_f->App().Settings().m_clrChannelBack, Rgb(1, 2, 3));
    m_f->App().Settings().m_nListWidth = 300;
    m_f->App().Settings().m_clrTreeText = Rgb(0x11, 0x22, 0x33);
    QVERIFY(m_f->Quit());
    QSettings ini(m_f->SettingsPath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Workspace/ProviderOrder")).toInt(), 5);
    QCOMPARE(ini.value(QStringLiteral("Workspace/ListWidth")).toInt(), 100);
    QCOMPARE(ini.value(QStringLiteral("Workspace/SatelliteOnlyAcitve")).toInt(), 1);
    QCOMPARE(ini.value(QStringLiteral("Workspace/SatelliteOrder")).toInt(), 1);
    QCOMPARE(ini.value(QStringLiteral("Workspace/FavSeqNum")).toInt(), 1);
    QCOMPARE(ini.value(QStringLiteral("Einstellungen/ChannelBackColor")).toInt(), 0x010203);
    QCOMPARE(ini.value(QStringLiteral("Einstellungen/TreeTextColor")).toInt(), 0x112233);
    QCOMPARE(ini.value(QStringLiteral("Einstellungen/TreeBackColor")).toInt(), 0xBCC7D8);
    QVERIFY(!ini.contains(QStringLiteral("Workspace/ApplicationLook"))); // written only by the style commands
    QVERIFY(!ini.contains(QStringLiteral("Einstellungen/FavoritenBackFarbe")));
    QVERIFY(!ini.contains(QStringLiteral("Einstellungen/AutoNummerierung")));
    QVERIFY(ini.contains(QStringLiteral("Workspace/MainFrameState")));
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
