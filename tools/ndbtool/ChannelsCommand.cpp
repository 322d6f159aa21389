#include <ostream>

#include "Command.h"
#include "document/ChannelRows.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

namespace ndbtool {
namespace {

class ChannelsCommand : public Command {
public:
    const char* Name() const override { return "channels"; }
    const char* Usage() const override { return "channels FILE [--radio]"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        DatabaseArgs parsed;
        CVandrelEdit2028Doc doc;
        if (const int rc = OpenDatabase(args, {"--radio"}, 1, parsed, doc, err); rc != kOk) {
            return rc;
        }
        const std::vector<int> order = DefaultColumnOrder();
        for (size_t i = 0; i < order.size(); ++i) {
            out << (i ? "\t" : "") << ChannelColumnHeader(order[i]);
        }
        out << '\n';
        for (const ChannelRow& row : SelectAllChannels(doc, !parsed.flags.empty())) {
            for (size_t i = 0; i < order.size(); ++i) {
                out << (i ? "\t" : "") << ve::EscapeControls(ChannelColumnText(doc, row, order[i]));
            }
            out << '\n';
        }
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeChannelsCommand()
{
    return std::make_unique<ChannelsCommand>();
}

} // namespace ndbtool
