#include <ostream>

#include "Command.h"
#include "document/DatabaseDiff.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class DiffCommand : public Command {
public:
    const char* Name() const override { return "diff"; }
    const char* Usage() const override { return "diff OLD NEW [--exit-code]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        DatabaseArgs parsed;
        CVandrelEdit2028Doc oldDoc;
        if (const int rc = OpenDatabase(args, {"--exit-code"}, 2, parsed, oldDoc, err); rc != kOk) {
            return rc;
        }
        CVandrelEdit2028Doc newDoc;
        if (const int rc = LoadDatabase(parsed.files[1], newDoc, err); rc != kOk) {
            return rc;
        }
        const std::vector<ChannelDifference> differences = CompareDatabases(oldDoc, newDoc);
        out << FormatDifferences(differences);
        // As "git diff --exit-code": 1 tells that something differs.
        return !differences.empty() && !parsed.flags.empty() ? kDifferencesFound : kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeDiffCommand()
{
    return std::make_unique<DiffCommand>();
}

} // namespace ndbtool
