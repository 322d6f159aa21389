#include "Command.h"

#include <ostream>

#include "document/FileLayer.h"
#include "document/Messages.h"
#include "document/VandrelEdit2028Doc.h"

namespace ndbtool {

int LoadDatabase(const std::string& path, CVandrelEdit2028Doc& doc, std::ostream& err, bool namePath)
{
    std::string error;
    const std::string prefix = namePath ? path + ": " : std::string();
    switch (doc.LoadFile(path, error)) {
    case LoadStatus::ReadError:
        // The reason names the file already.
        err << error << '\n';
        return kIoError;
    case LoadStatus::Refused:
        err << prefix << msg::kUnexpectedFormat << '\n';
        return kRefused;
    case LoadStatus::LoadedPartly:
        err << prefix << msg::kUnknownBlockTitle << ": " << doc.GetUnknownBlockMessage() << '\n';
        return kOk;
    case LoadStatus::Loaded:
        return kOk;
    }
    return kIoError;
}

int CheckOutput(const std::string& out, const std::vector<std::string>& inputs, std::ostream& err)
{
    for (const std::string& in : inputs) {
        if (IsSameFile(out, in)) {
            err << "Die Ausgabedatei \"" << out
                << "\" ist zugleich eine Eingabe dieses Befehls und wird nicht "
                   "überschrieben.\n";
            return kRefused;
        }
    }
    if (const std::string refusal = CheckOutputFile(out); !refusal.empty()) {
        err << refusal << '\n';
        return kIoError;
    }
    return kOk;
}

int OpenDatabase(const std::vector<std::string>& args, const std::vector<std::string>& flags, size_t fileCount,
                 DatabaseArgs& parsed, CVandrelEdit2028Doc& doc, std::ostream& err)
{
    if (!ParseArgs(args, flags, parsed.files, parsed.flags) || parsed.files.size() != fileCount) {
        return kUsage;
    }
    return LoadDatabase(parsed.files[0], doc, err);
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
               std::vector<std::string>& positional, std::vector<std::pair<std::string, std::string>>& given)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
            positional.push_back(a);
            continue;
        }
        bool known = false;
        for (const std::string& f : flags) {
            const bool takesValue = !f.empty() && f.back() == '=';
            const std::string name = takesValue ? f.substr(0, f.size() - 1) : f;
            if (a != name) {
                continue;
            }
            known = true;
            if (takesValue) {
                if (i + 1 >= args.size()) {
                    return false;
                }
                given.emplace_back(name, args[++i]);
            } else {
                given.emplace_back(name, std::string());
            }
        }
        if (!known) {
            return false;
        }
    }
    return true;
}

int RefusePartlyRead(const CVandrelEdit2028Doc& doc, bool force, std::ostream& err)
{
    if (doc.LoadStoppedEarly() && !force) {
        err << "Die Datenbank wurde nur teilweise gelesen. Beim Speichern gingen alle nicht gelesenen "
               "Datenblöcke verloren; mit --force wird trotzdem gespeichert.\n";
        return kRefused;
    }
    return kOk;
}

int OpenDatabaseToRewrite(const std::vector<std::string>& args, size_t fileCount, DatabaseArgs& parsed,
                          CVandrelEdit2028Doc& doc, std::ostream& err)
{
    if (const int rc = OpenDatabase(args, {"--force"}, fileCount, parsed, doc, err); rc != kOk) {
        return rc;
    }
    return RefusePartlyRead(doc, !parsed.flags.empty(), err);
}

int SaveDatabase(CVandrelEdit2028Doc& doc, const std::string& path, std::ostream& err)
{
    std::string error;
    if (!doc.SaveFile(path, error)) {
        err << error << '\n';
        return kIoError;
    }
    return kOk;
}

} // namespace ndbtool
