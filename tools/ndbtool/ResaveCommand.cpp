#include <ostream>

#include "Command.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class ResaveCommand : public Command {
public:
    const char* Name() const override { return "resave"; }
    const char* Usage() const override { return "resave FILE OUT [--force]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        (void)out;
        DatabaseArgs parsed;
        CVandrelEdit2028Doc doc;
        if (const int rc = OpenDatabaseToRewrite(args, 2, parsed, doc, err); rc != kOk) {
            return rc;
        }
        const std::vector<std::string>& files = parsed.files;
        // Onto itself is allowed: the save replaces the file atomically.
        if (const int rc = CheckOutput(files[1], {}, err); rc != kOk) {
            return rc;
        }
        if (const int rc = SaveDatabase(doc, files[1], err); rc != kOk) {
            return rc;
        }
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeResaveCommand()
{
    return std::make_unique<ResaveCommand>();
}

} // namespace ndbtool
