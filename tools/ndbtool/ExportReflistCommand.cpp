#include <ostream>

#include "Command.h"
#include "document/ExchangeMessages.h"
#include "document/ReferenceListFile.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class ExportReflistCommand : public Command {
public:
    const char* Name() const override { return "export-reflist"; }
    const char* Usage() const override { return "export-reflist FILE OUT"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        DatabaseArgs parsed;
        CVandrelEdit2028Doc doc;
        if (const int rc = OpenDatabase(args, {}, 2, parsed, doc, err); rc != kOk) {
            return rc;
        }
        if (const int rc = CheckOutput(parsed.files[1], {parsed.files[0]}, err); rc != kOk) {
            return rc;
        }
        std::string error;
        if (!ExportReferenceListFile(doc, parsed.files[1], error)) {
            err << error << '\n';
            return kIoError;
        }
        out << exmsg::kCsvCreated << '\n';
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeExportReflistCommand()
{
    return std::make_unique<ExportReflistCommand>();
}

} // namespace ndbtool
