#include <QApplication>
#include <QCommandLineParser>

#include "VandrelEdit2028App.h"

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    CVandrelEdit2028App::InstallGermanTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor für die Kanalliste des Rudevoz SF 2028"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("datei"),
                                 QStringLiteral("Eine Kanalliste (*.ndb), die geöffnet wird."));
    parser.process(qtApp);

    CVandrelEdit2028App app;
    if (!app.InitInstance(parser.positionalArguments()))
        return 1;
    return qtApp.exec();
}
