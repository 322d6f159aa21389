#include <ostream>

#include "Command.h"
#include "document/DemoDatabase.h"
#include "document/FileLayer.h"
#include "model/NdbFormat.h"

namespace ndbtool {
namespace {

bool ParseCount(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    value = std::stoi(text);
    return true;
}

class DemoCommand : public Command {
public:
    const char* Name() const override { return "demo"; }
    const char* Usage() const override { return "demo OUT [--tv N] [--radio N]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        (void)out;
        std::vector<std::string> files;
        std::vector<std::pair<std::string, std::string>> flags;
        if (!ParseArgs(args, {"--tv=", "--radio="}, files, flags) || files.size() != 1) {
            return kUsage;
        }
        DemoOptions options;
        for (const auto& [name, value] : flags) {
            if (!ParseCount(value, name == "--tv" ? options.tv : options.radio)) {
                return kUsage;
            }
        }
        if (static_cast<long long>(options.tv) + options.radio > ndb::kSvcSlots) {
            err << "Höchstens " << ndb::kSvcSlots << " Kanäle haben in der Tabelle Platz.\n";
            return kUsage;
        }
        if (const int rc = CheckOutput(files[0], {}, err); rc != kOk) {
            return rc;
        }
        const std::vector<uint8_t> bytes = BuildDemoDatabase(options);
        std::string error;
        if (!CFileLayer::Default().WriteFileAtomic(files[0], bytes.data(), bytes.size(), error)) {
            err << error << '\n';
            return kIoError;
        }
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeDemoCommand()
{
    return std::make_unique<DemoCommand>();
}

} // namespace ndbtool
