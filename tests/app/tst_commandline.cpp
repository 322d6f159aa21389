// The editor's command line through the real program: --help and --version
// answer without a display; options Qt does not take are refused.
#include <QProcess>
#include <QTest>

#include "BuildInfo.h"

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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
