#include <ostream>

#include "Command.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

namespace ndbtool {
namespace {

class InfoCommand : public Command {
public:
    const char* Name() const override { return "info"; }
    const char* Usage() const override { return "info FILE"; }
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override
    {
        if (args.size() != 1) {
            return kUsage;
        }
        CVandrelEdit2028Doc doc;
        if (const int rc = LoadDatabase(args[0], doc, err); rc != kOk) {
            return rc;
        }
        for (const std::string& t : doc.m_ndb.GetInfoTexts()) {
            out << ve::EscapeControls(t) << '\n';
        }
        const ScrambledCounts c = doc.m_services.CountScrambled();
        out << "Fernsehkanäle: " << c.tv << '\n'
            << "Radiokanäle: " << c.radio << '\n'
            << "Gesamt: " << static_cast<long long>(c.tv) + c.radio << '\n'
            << "Transponder: " << doc.m_transponders.GetSize() << '\n'
            << "Satelliten: " << doc.m_satellites.GetSize() << '\n'
            << "Verschlüsselt TV: " << c.scrambledTv << '\n'
            << "Verschlüsselt Radio: " << c.scrambledRadio << '\n';
        for (int i = 0; i < doc.m_configuration.GetSize(); ++i) {
            out << "Favorit " << i + 1 << ": " << ve::EscapeControls(doc.m_configuration.GetAt(i)->GetName())
                << '\n';
        }
        out << "Timer: " << doc.m_timers.CountInUse() << '\n';
        return kOk;
    }
};

} // namespace

std::unique_ptr<Command> MakeInfoCommand()
{
    return std::make_unique<InfoCommand>();
}

} // namespace ndbtool
