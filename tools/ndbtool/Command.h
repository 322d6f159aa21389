#pragma once
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class CVandrelEdit2028Doc;

namespace ndbtool {

enum ExitCode : int {
    kOk = 0,
    kUsage = 1,
    kRefused = 2,
    kIoError = 3,
    // "diff --exit-code" found differences: the process ends with 1, as
    // "git diff --exit-code" does, but that is no bad call to explain.
    kDifferencesFound = 101,
};

// One subcommand of the tool. Run gets the arguments after the command name.
class Command {
public:
    virtual ~Command() = default;
    virtual const char* Name() const = 0;
    virtual const char* Usage() const = 0;
    virtual int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) = 0;
};

std::vector<std::unique_ptr<Command>> AllCommands();

// Loads path into doc and reports a refusal or an unread block on err,
// after "path: " when namePath is set (a command on two databases).
// Returns kOk when the command may go on, else the exit code to end with.
int LoadDatabase(const std::string& path, CVandrelEdit2028Doc& doc, std::ostream& err, bool namePath = false);

// Checks the output path before the command works: kRefused when out is the
// same file as one of inputs (the command would put another kind of file in
// its place), kIoError when it is no regular file (CheckOutputFile), each
// with the message on err; kOk else.
int CheckOutput(const std::string& out, const std::vector<std::string>& inputs, std::ostream& err);

// A database read only in part would lose its unread blocks when saved:
// refused (kRefused, with the reason on err) unless force is set.
int RefusePartlyRead(const CVandrelEdit2028Doc& doc, bool force, std::ostream& err);

// Splits args into positional arguments and the flags named in flags
// (each flag taking a value when its name ends with '='). Returns false on an
// unknown flag or a missing value.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
               std::vector<std::string>& positional, std::vector<std::pair<std::string, std::string>>& given);

// The arguments of a command on a database: the database first, then the
// other positional arguments, and the flags that were given.
struct DatabaseArgs {
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> flags;
};

// Parses args (exactly fileCount positional arguments and the flags named
// in flags) and loads files[0] into doc. Returns kOk when the command may go
// on, else the exit code to end with.
int OpenDatabase(const std::vector<std::string>& args, const std::vector<std::string>& flags, size_t fileCount,
                 DatabaseArgs& parsed, CVandrelEdit2028Doc& doc, std::ostream& err);

// OpenDatabase for a command that writes the database again: the only flag
// is --force, and a database read only in part is refused without it.
int OpenDatabaseToRewrite(const std::vector<std::string>& args, size_t fileCount, DatabaseArgs& parsed,
                          CVandrelEdit2028Doc& doc, std::ostream& err);

// Saves doc to path; kOk, or kIoError with the reason on err.
int SaveDatabase(CVandrelEdit2028Doc& doc, const std::string& path, std::ostream& err);

} // namespace ndbtool
