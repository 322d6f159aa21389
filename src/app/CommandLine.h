#pragma once
#include <QString>
#include <QStringList>

// The editor's command line: the files to open, --help and --version.
namespace commandline {

enum class Request { Run, Help, Version, Error };

struct Parsed {
    Request request = Request::Run;
    QStringList files;
    QString error; // German, for Request::Error
};

// Before the application object exists Qt's own options (-platform, -style,
// ...) are still among args and only a request for help or the version is
// looked for, so both answer without a display. Afterwards every option must
// be known. args begins with the program name.
enum class Stage { BeforeApplication, AfterApplication };
Parsed Parse(const QStringList& args, Stage stage);

QString HelpText();
QString VersionText();

} // namespace commandline
