#include <QApplication>

#include <cstdio>

#include "CommandLine.h"
#include "VandrelEdit2028App.h"

namespace {

int Answer(const QString& text, FILE* stream, int exitCode)
{
    std::fputs(text.toUtf8().constData(), stream);
    return std::fflush(stream) == 0 ? exitCode : 1;
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

    QApplication qtApp(argc, argv);
    CVandrelEdit2028App::InstallGermanTranslations();

    // QApplication has taken its own options off the command line.
    const commandline::Parsed parsed =
        commandline::Parse(QCoreApplication::arguments(), commandline::Stage::AfterApplication);
    if (parsed.request == commandline::Request::Error)
        return Answer(parsed.error + QLatin1Char('\n') + commandline::HelpText(), stderr, 1);

    CVandrelEdit2028App app;
    if (!app.InitInstance(parsed.files))
        return 1;
    return qtApp.exec();
}
