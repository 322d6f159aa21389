#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "CommandLine.h"
#include "SingleInstance.h"
#include "VandrelEdit2028App.h"

namespace {

int Answer(const QString& text, FILE* stream, int exitCode)
{
    std::fputs(text.toUtf8().constData(), stream);
    return std::fflush(stream) == 0 ? exitCode : 1;
}

constexpr char kNoDisplay[] =
    "vandreledit2028: Kein Bildschirm gefunden. Der Editor braucht eine grafische Sitzung "
    "(DISPLAY oder WAYLAND_DISPLAY).\n"
    "Ohne Bildschirm startet er so: xvfb-run -a vandreledit2028 [Datei ...]\n";

// While the application connects to the window system, Qt's messages are held
// back: when no platform can start, Qt ends with an English message and an
// abort, and the user gets the German reason and status 1 instead.
QList<QPair<QtMsgType, QString>> g_heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    g_heldMessages.append({type, text});
}

bool NeedsDisplay(int argc, char* argv[])
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            platform = argv[i + 1];
    return platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
}

} // namespace

int main(int argc, char* argv[])
{
    // Help and version are answered before QApplication connects to a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const commandline::Parsed early = commandline::Parse(arguments, commandline::Stage::BeforeApplication);
    if (early.request == commandline::Request::Help)
        return Answer(commandline::HelpText(), stdout, 0);
    if (early.request == commandline::Request::Version)
        return Answer(commandline::VersionText(), stdout, 0);

    if (NeedsDisplay(argc, argv) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return Answer(QString::fromUtf8(kNoDisplay), stderr, 1);

    const QtMessageHandler previousHandler = qInstallMessageHandler(HoldMessage);
    QApplication qtApp(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const auto& [type, text] : std::as_const(g_heldMessages))
        previousHandler(type, QMessageLogContext(), text);
    g_heldMessages.clear();
    CVandrelEdit2028App::InstallGermanTranslations();

    // QApplication has taken its own options off the command line.
    const commandline::Parsed parsed =
        commandline::Parse(QCoreApplication::arguments(), commandline::Stage::AfterApplication);
    if (parsed.request == commandline::Request::Error)
        return Answer(parsed.error + QLatin1Char('\n') + commandline::HelpText(), stderr, 1);

    // One editor per session: a running one takes the files and raises its window.
    if (CSingleInstance::HandOver(parsed.files))
        return 0;

    CVandrelEdit2028App app;
    if (!app.InitInstance(parsed.files))
        return 1;
    CSingleInstance singleInstance;
    singleInstance.Listen(app);
    return qtApp.exec();
}
