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
    const char* Usage() const override { return "diff OLD NEW [--exit-code] [--ignore-nr]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        DatabaseArgs parsed;
        CVandrelEdit2028Doc oldDoc;
        if (const int rc = OpenDatabase(args, {"--exit-code", "--ignore-nr"}, 2, parsed, oldDoc, err); rc != kOk) {
            return rc;
        }
        CVandrelEdit2028Doc newDoc;
        if (const int rc = LoadDatabase(parsed.files[1], newDoc, err); rc != kOk) {
            return rc;
        }
        const auto given = [&](const char* flag) {
            return std::any_of(parsed.flags.begin(), parsed.flags.end(),
                               [flag](const auto& f) { return f.first == flag; });
        };
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
