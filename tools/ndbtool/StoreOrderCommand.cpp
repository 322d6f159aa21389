#include <ostream>

#include "Command.h"
#include "document/SortOrderFile.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {
namespace {

class StoreOrderCommand : public Command {
public:
    const char* Name() const override { return "store-order"; }
    const char* Usage() const override { return "store-order FILE ORDERFILE"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        (void)out;
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
        if (!StoreSortOrderFile(doc, files[1], error)) {
            err << error << '\n';
            return kIoError;
        }
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeStoreOrderCommand()
{
    return std::make_unique<StoreOrderCommand>();
}

} // namespace ndbtool
