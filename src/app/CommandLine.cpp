#include "CommandLine.h"

#include <QCommandLineParser>

#include "BuildInfo.h"

namespace commandline {

Parsed Parse(const QStringList& args, Stage stage)
{
    QCommandLineParser parser;
    // Single-dash words are read whole, as Qt's own options are: "-reverse"
    // must not count as "-v".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    const bool ok = parser.parse(args);

    Parsed parsed;
    if (parser.isSet(help))
        parsed.request = Request::Help;
    else if (parser.isSet(version))
        parsed.request = Request::Version;
    else if (!ok && stage == Stage::AfterApplication) {
        parsed.request = Request::Error;
        parsed.error = parser.errorText();
    } else
        parsed.files = parser.positionalArguments();
    return parsed;
}

QString HelpText()
{
    return QStringLiteral("Aufruf: vandreledit2028 [Optionen] [Datei ...]\n"
                          "Editor für die Kanalliste des Rudevoz SF 2028\n"
                          "\n"
                          "Optionen:\n"
                          "  -h, --help     Zeigt diese Hilfe an.\n"
                          "  -v, --version  Zeigt die Versionsnummer an.\n"
                          "\n"
                          "Argumente:\n"
                          "  Datei          Eine Kanalliste (*.ndb), die geöffnet wird.\n"
                          "\n"
                          "Mehr dazu: man vandreledit2028\n");
}

QString VersionText()
{
    return QStringLiteral("vandreledit2028 " VE_VERSION "\n");
}

} // namespace commandline
