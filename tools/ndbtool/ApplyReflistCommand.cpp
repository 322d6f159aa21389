#include <ostream>

#include "Command.h"
#include "document/ReferenceListFile.h"
#include "document/ReferenceMatch.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class ApplyReflistCommand : public Command {
public:
    const char* Name() const override { return "apply-reflist"; }
    const char* Usage() const override { return "apply-reflist FILE LIST OUT [--force]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        DatabaseArgs parsed;
        CVandrelEdit2028Doc doc;
        if (const int rc = OpenDatabaseToRewrite(args, 3, parsed, doc, err); rc != kOk) {
            return rc;
        }
        const std::vector<std::string>& files = parsed.files;
        // Writing the database onto itself is atomic; over the list it is not wanted.
        if (const int rc = CheckOutput(files[2], {files[1]}, err); rc != kOk) {
            return rc;
        }
        ReferenceList list;
        std::string message;
        switch (ReadReferenceListFile(files[1], list, message)) {
        case ReferenceListStatus::Ok:
            break;
        case ReferenceListStatus::ReadError:
            err << message << '\n';
            return kIoError;
        default:
            // Nothing of a list that cannot be used is applied or saved.
            err << message << '\n';
            return kRefused;
        }
        const ReferenceApplyResult result = ApplyReferenceList(doc, list);
        if (const int rc = SaveDatabase(doc, files[2], err); rc != kOk) {
            return rc;
        }
        for (const std::string& line : ReportSummaryLines(result)) {
            out << line << '\n';
        }
        out.flush();
        if (!result.hint.empty()) {
            err << result.hint << '\n';
        }
        for (const std::string& line : ReportIssueLines(result)) {
            err << line << '\n';
        }
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeApplyReflistCommand()
{
    return std::make_unique<ApplyReflistCommand>();
}

} // namespace ndbtool
