#include <ostream>

#include "Command.h"
#include "document/CsvExport.h"
#include "document/ExchangeMessages.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class ExportCsvCommand : public Command {
public:
    const char* Name() const override { return "export-csv"; }
    const char* Usage() const override { return "export-csv FILE OUT"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        DatabaseArgs parsed;
        CVandrelEdit2028Doc doc;
        if (const int rc = OpenDatabase(args, {}, 2, parsed, doc, err); rc != kOk) {
            return rc;
        }
        const std::vector<std::string>& files = parsed.files;
        if (const int rc = CheckOutput(files[1], {files[0]}, err); rc != kOk) {
            return rc;
        }
        std::string error;
        if (!ExportCsvFile(doc, files[1], error)) {
            err << error << '\n';
            return kIoError;
        }
        out << exmsg::kCsvCreated << '\n';
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeExportCsvCommand()
{
    return std::make_unique<ExportCsvCommand>();
}

} // namespace ndbtool
