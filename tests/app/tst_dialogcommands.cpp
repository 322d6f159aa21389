// Every dialog opens from its command on an open database and shows what
// the command is for.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "VandrelEdit2028App.h"

class TestDialogCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dialogOpensFromCommand_data();
    void dialogOpensFromCommand();
    void documentDialogsNeedADatabase();

private:
    std::unique_ptr<CGuiFixture> m_f;
};

void TestDialogCommands::init()
{
    m_f = std::make_unique<CGuiFixture>();
    QVERIFY(m_f->Start());
}

void TestDialogCommands::cleanup()
{
    m_f.reset();
}

void TestDialogCommands::dialogOpensFromCommand_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::newRow("Optionen") << QStringLiteral("cmd_32776") << QStringLiteral("Weitere interessante Informationen");
    QTest::newRow("Informationen") << QStringLiteral("cmd_32787")
                                   << QStringLiteral("Weitere interessante Informationen");
    QTest::newRow("Systemeinstellungen") << QStringLiteral("cmd_32849") << QStringLiteral("Receiver - System Setup");
    QTest::newRow("Statistik") << QStringLiteral("cmd_32777") << QStringLiteral("Statistik - Informationen");
    QTest::newRow("Timer") << QStringLiteral("cmd_32860") << QStringLiteral("Timer");
    QTest::newRow("Info") << QStringLiteral("cmd_57664") << QStringLiteral("Info über VandrelEdit2028");
}

void TestDialogCommands::dialogOpensFromCommand()
{
    QFETCH(QString, action);
    QFETCH(QString, title);
    m_f->App().OpenDocumentFile(m_f->WriteFile(QStringLiteral("a.ndb"), GoodDatabase()));
    QString seen;
    QTimer::singleShot(0, this, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = dialog->windowTitle();
            dialog->reject();
        }
    });
    QVERIFY(m_f->Trigger(action));
    QCOMPARE(seen, title);
}

void TestDialogCommands::documentDialogsNeedADatabase()
{
    QVERIFY(!m_f->Action(QStringLiteral("cmd_32777"))->isEnabled());
    QVERIFY(!m_f->Action(QStringLiteral("cmd_32860"))->isEnabled());
    // A new document holds no receiver data to count.
    QVERIFY(m_f->Trigger(QStringLiteral("cmd_57600")));
    QVERIFY(!m_f->Action(QStringLiteral("cmd_32777"))->isEnabled());
}

QTEST_MAIN(TestDialogCommands)
#include "tst_dialogcommands.moc"
