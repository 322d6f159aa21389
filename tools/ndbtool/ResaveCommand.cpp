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
        if (const int rc = OpenDatabase(args, {"--force"}, 2, parsed, doc, err); rc != kOk) {
            return rc;
        }
        const std::vector<std::string>& files = parsed.files;
        if (const int rc = RefusePartlyRead(doc, !parsed.flags.empty(), err); rc != kOk) {
            return rc;
        }
        std::string error;
        if (!doc.SaveFile(files[1], error)) {
            err << error << '\n';
            return kIoError;
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
