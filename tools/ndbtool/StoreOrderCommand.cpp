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
        std::vector<std::string> files;
        std::vector<std::pair<std::string, std::string>> flags;
        if (!ParseArgs(args, {}, files, flags) || files.size() != 2) {
            return kUsage;
        }
        CVandrelEdit2028Doc doc;
        if (const int rc = LoadDatabase(files[0], doc, err); rc != kOk) {
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
