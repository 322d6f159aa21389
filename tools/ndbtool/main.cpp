// ndbtool: reads, checks and rewrites Rudevoz SF 2028 channel databases.
#include <iostream>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "BuildInfo.h"
#include "Command.h"

namespace ndbtool {
std::unique_ptr<Command> MakeInfoCommand();
std::unique_ptr<Command> MakeChannelsCommand();
std::unique_ptr<Command> MakeTimersCommand();
std::unique_ptr<Command> MakeResaveCommand();
std::unique_ptr<Command> MakeDemoCommand();
std::unique_ptr<Command> MakeExportCsvCommand();
std::unique_ptr<Command> MakeStoreOrderCommand();
std::unique_ptr<Command> MakeApplyOrderCommand();
std::unique_ptr<Command> MakeExportReflistCommand();
std::unique_ptr<Command> MakeApplyReflistCommand();
std::unique_ptr<Command> MakeDiffCommand();

std::vector<std::unique_ptr<Command>> AllCommands()
{
    std::vector<std::unique_ptr<Command>> all;
    all.push_back(MakeInfoCommand());
    all.push_back(MakeChannelsCommand());
    all.push_back(MakeTimersCommand());
    all.push_back(MakeResaveCommand());
    all.push_back(MakeDemoCommand());
    all.push_back(MakeExportCsvCommand());
    all.push_back(MakeStoreOrderCommand());
    all.push_back(MakeApplyOrderCommand());
    all.push_back(MakeExportReflistCommand());
    all.push_back(MakeApplyReflistCommand());
    all.push_back(MakeDiffCommand());
    return all;
}
} // namespace ndbtool

namespace {

void PrintUsage(std::ostream& out, const std::vector<std::unique_ptr<ndbtool::Command>>& commands)
{
    out << "Aufruf: ndbtool BEFEHL ...\n";
    for (const auto& c : commands) {
        out << "  ndbtool " << c->Usage() << '\n';
    }
    out << "  ndbtool --help\n"
           "  ndbtool --version\n"
           "Mehr dazu: man ndbtool\n";
}

int RunCommandLine(int argc, char** argv, const std::vector<std::unique_ptr<ndbtool::Command>>& commands)
{
    if (argc < 2) {
        PrintUsage(std::cerr, commands);
        return ndbtool::kUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        PrintUsage(std::cout, commands);
        return ndbtool::kOk;
    }
    if (name == "--version") {
        std::cout << "ndbtool " VE_VERSION "\n";
        return ndbtool::kOk;
    }
    for (const auto& c : commands) {
        if (name == c->Name()) {
            const std::vector<std::string> args(argv + 2, argv + argc);
            const int rc = c->Run(args, std::cout, std::cerr);
            if (rc == ndbtool::kUsage) {
                std::cerr << "Aufruf: ndbtool " << c->Usage() << '\n';
            }
            return rc == ndbtool::kDifferencesFound ? 1 : rc;
        }
    }
    PrintUsage(std::cerr, commands);
    return ndbtool::kUsage;
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // Messages are written in blocks, not one system call per line.
    std::cerr << std::nounitbuf;
#if defined(__GLIBC__)
    // Large buffers come from the heap and are reused there: a load frees its
    // file buffer just before the save needs as much again, and fresh pages
    // from the system cost more than the work on them.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
    const auto commands = ndbtool::AllCommands();
    const int rc = RunCommandLine(argc, argv, commands);
    std::cout.flush();
    std::cerr.flush();
    if (!std::cout) {
        std::cerr << "Die Ausgabe kann nicht geschrieben werden.\n";
        return ndbtool::kIoError;
    }
    return rc;
}
