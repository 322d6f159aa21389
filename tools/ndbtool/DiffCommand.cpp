#include <algorithm>
#include <ostream>

#include "Command.h"
#include "document/DatabaseDiff.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class DiffCommand : public Command {
public:
    const char* Name() const override { return "diff"; }
    const char* Usage() const override { return "diff OLD NEW [--exit-code] [--ignore-nr] [--force]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        std::vector<std::string> files;
        std::vector<std::pair<std::string, std::string>> flags;
        if (!ParseArgs(args, {"--exit-code", "--ignore-nr", "--force"}, files, flags) || files.size() != 2) {
            return kUsage;
        }
        const auto given = [&flags](const char* name) {
            for (const auto& flag : flags) {
                if (flag.first == name) {
                    return true;
                }
            }
            return false;
        };
        // Two databases: each message says which one it is about.
        CVandrelEdit2028Doc oldDoc;
        if (const int rc = LoadDatabase(files[0], oldDoc, err, true); rc != kOk) {
            return rc;
        }
        CVandrelEdit2028Doc newDoc;
        if (const int rc = LoadDatabase(files[1], newDoc, err, true); rc != kOk) {
            return rc;
        }
        if (const std::string partly = PartlyReadComparison(oldDoc, files[0], newDoc, files[1]);
            !partly.empty() && !given("--force")) {
            err << partly << "\nMit --force wird trotzdem verglichen.\n";
            return kRefused;
        }
        const std::string text = FormatDifferences(CompareDatabases(oldDoc, newDoc), given("--ignore-nr"));
        out << text;
        // As "git diff --exit-code": 1 tells that something differs, as far
        // as the lines tell.
        return !text.empty() && given("--exit-code") ? kDifferencesFound : kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeDiffCommand()
{
    return std::make_unique<DiffCommand>();
}

} // namespace ndbtool
