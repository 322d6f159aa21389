#include <ostream>

#include "Command.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

namespace ndbtool {
namespace {

class TimersCommand : public Command {
public:
    const char* Name() const override { return "timers"; }
    const char* Usage() const override { return "timers FILE"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        if (args.size() != 1) {
            return kUsage;
        }
        CVandrelEdit2028Doc doc;
        if (const int rc = LoadDatabase(args[0], doc, err); rc != kOk) {
            return rc;
        }
        out << "#\tModus\tZeit\tDatum\tLaufzeit\tProgramm\n";
        for (const TimerRowTexts& r : BuildTimerRows(doc.m_timers)) {
            out << r.number << '\t' << r.mode << '\t' << r.time << '\t' << r.date << '\t' << r.duration << '\t'
                << ve::EscapeControls(r.programme) << '\n';
        }
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeTimersCommand()
{
    return std::make_unique<TimersCommand>();
}

} // namespace ndbtool
