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
        std::vector<std::string> files;
        std::vector<std::pair<std::string, std::string>> flags;
        if (!ParseArgs(args, {"--force"}, files, flags) || files.size() != 2) {
            return kUsage;
        }
        CVandrelEdit2028Doc doc;
        if (const int rc = LoadDatabase(files[0], doc, err); rc != kOk) {
            return rc;
        }
        if (const int rc = RefusePartlyRead(doc, !flags.empty(), err); rc != kOk) {
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
