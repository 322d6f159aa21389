#include <ostream>

#include "Command.h"
#include "document/SortOrderFile.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class ApplyOrderCommand : public Command {
public:
    const char* Name() const override { return "apply-order"; }
    const char* Usage() const override { return "apply-order FILE ORDERFILE OUT [--force]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        DatabaseArgs parsed;
        CVandrelEdit2028Doc doc;
        if (const int rc = OpenDatabaseToRewrite(args, 3, parsed, doc, err); rc != kOk) {
            return rc;
        }
        const std::vector<std::string>& files = parsed.files;
        // Writing the database onto itself is atomic; over the order file it is not wanted.
        if (const int rc = CheckOutput(files[2], {files[1]}, err); rc != kOk) {
            return rc;
        }
        const ApplyOrderResult result = ApplySortOrderFile(doc, files[1]);
        if (result.status != SortOrderStatus::Ok) {
            // A file that could not be used leaves nothing worth saving.
            err << result.message << '\n';
            return kRefused;
        }
        if (const int rc = SaveDatabase(doc, files[2], err); rc != kOk) {
            return rc;
        }
        out << result.summary << '\n';
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeApplyOrderCommand()
{
    return std::make_unique<ApplyOrderCommand>();
}

} // namespace ndbtool
