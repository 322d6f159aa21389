// The editor's command line through the real program: --help and --version
// answer without a display; options Qt does not take are refused; without a
// display the editor says so; a second start hands its files to the running
// editor.
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <memory>

#include "BuildInfo.h"
#include "uibase/Document.h"
#include "GuiTestSupport.h"
#include "DocumentWindows.h"
#include "MainFrame.h"
#include "SingleInstance.h"
#include "VandrelEdit2028App.h"

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Without DISPLAY the xcb platform aborts as soon as a QApplication exists.
Run RunEditor(const QStringList& args, const QString& platform)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VANDRELEDIT2028_PATH), args);
    Run run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersionNeedNoDisplay();
    void optionsQtDoesNotTakeAreRefused();
    void withoutDisplayTheEditorSaysSoInGerman();
    void aSecondStartOpensItsFilesAsTabsOfTheRunningEditor();
};

void TestCommandLine::helpAndVersionNeedNoDisplay()
{
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Run help = RunEditor({option}, QStringLiteral("xcb"));
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.startsWith("Aufruf: vandreledit2028 [Optionen] [Datei ...]\n"), help.out.constData());
        QVERIFY(help.out.contains("--version"));
        QVERIFY2(help.err.isEmpty(), help.err.constData());
    }
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-v")}) {
        const Run version = RunEditor({option}, QStringLiteral("xcb"));
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("vandreledit2028 " VE_VERSION "\n"));
    }
}

void TestCommandLine::optionsQtDoesNotTakeAreRefused()
{
    // "-reverse" belongs to QApplication and must not be read as "-v".
    const Run run =
        RunEditor({QStringLiteral("-reverse"), QStringLiteral("--bogus")}, QStringLiteral("offscreen"));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("bogus"), run.err.constData());
    QVERIFY(run.err.contains("Aufruf: vandreledit2028"));
    QVERIFY(run.out.isEmpty());
}

void TestCommandLine::withoutDisplayTheEditorSaysSoInGerman()
{
    const Run run = RunEditor({}, QStringLiteral("xcb"));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("vandreledit2028: Kein Bildschirm gefunden."), run.err.constData());
    QVERIFY2(!run.err.contains("qt.qpa"), run.err.constData());
    QVERIFY(run.out.isEmpty());

    // A display that cannot be reached: Qt gives up, the editor explains.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":97"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VANDRELEDIT2028_PATH), QStringList());
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().startsWith("vandreledit2028: Kein Bildschirm gefunden."));
}

// The running editor is this test's application, listening as main() makes
// it listen; the second start is the real program on the same session.
void TestCommandLine::aSecondStartOpensItsFilesAsTabsOfTheRunningEditor()
{
    CGuiFixture fixture;
    qputenv("XDG_RUNTIME_DIR", fixture.Dir().toLocal8Bit());
    QVERIFY(fixture.Start());
    auto single = std::make_unique<CSingleInstance>();
    QVERIFY(single->Listen(fixture.App()));
    const QString first = fixture.WriteFile(QStringLiteral("erste.ndb"), GoodDatabase());
    fixture.WriteFile(QStringLiteral("zweite.ndb"), GoodDatabase());

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), fixture.Dir()); // no settings of the user, should it start alone
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(fixture.Dir()); // a relative name is made absolute by the second start
    second.start(QStringLiteral(VANDRELEDIT2028_PATH), {first, QStringLiteral("zweite.ndb")});
    // The event loop runs while waiting: the running editor has to answer.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 30000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    QTRY_COMPARE(fixture.App().Documents().size(), size_t(2));
    QStringList opened;
    for (CDocument* document : fixture.App().Documents()) {
        opened << QFileInfo(document->PathName()).fileName();
        QCOMPARE(fixture.Frame().Windows().FramesOf(document).size(), 1);
    }
    QCOMPARE(opened, QStringList({QStringLiteral("erste.ndb"), QStringLiteral("zweite.ndb")}));
    QVERIFY(fixture.Prompts().records.isEmpty());

    // Once the editor has gone, a start runs on its own again.
    single.reset();
    QVERIFY(!CSingleInstance::HandOver({first}, 1000));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
