// ndbtool: reads, checks and rewrites Rudevoz SF 2028 channel databases.
#include <algorithm>
#include <iostream>
#include <streambuf>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "BuildInfo.h"
#include "Command.h"

namespace ndbtool {
std::unique_ptr<Command> MakeInfoCommand();
std::unique_ptr<Command> MakeChannelsCommand();
std::unique_ptr<Command> MakeTimersCommand();
std::unique_ptr<Command> MakeResaveCommand();
std::unique_ptr<Command> MakeDemoCommand();
std::unique_ptr<Command> MakeExportCsvCommand();
std::unique_ptr<Command> MakeStoreOrderCommand();
std::unique_ptr<Command> MakeApplyOrderCommand();
std::unique_ptr<Command> MakeExportReflistCommand();
std::unique_ptr<Command> MakeApplyReflistCommand();
std::unique_ptr<Command> MakeDiffCommand();

std::vector<std::unique_ptr<Command>> AllCommands()
{
    std::vector<std::unique_ptr<Command>> all;
    all.push_back(MakeInfoCommand());
    all.push_back(MakeChannelsCommand());
    all.push_back(MakeTimersCommand());
    all.push_back(MakeResaveCommand());
    all.push_back(MakeDemoCommand());
    all.push_back(MakeExportCsvCommand());
    all.push_back(MakeStoreOrderCommand());
    all.push_back(MakeApplyOrderCommand());
    all.push_back(MakeExportReflistCommand());
    all.push_back(MakeApplyReflistCommand());
    all.push_back(MakeDiffCommand());
    return all;
}
} // namespace ndbtool

namespace {

// The German usage line and one-line description of each command, in the
// order of the help. Kept here rather than in the commands so that the help
// reads as one text.
struct CommandHelp {
    const char* name;
    const char* usage;
    const char* description;
};

constexpr CommandHelp kHelp[] = {
    {"info", "info DATEI", "zeigt Kopftexte, Kanalzahlen, Favoritengruppen und Timer der Datenbank"},
    {"channels", "channels DATEI [--radio]",
     "listet die Fernsehkanäle (mit --radio die Radiokanäle), je Kanal eine Zeile"},
    {"timers", "timers DATEI", "listet die belegten Timer"},
    {"resave", "resave DATEI AUSGABE [--force]",
     "liest die Datenbank und speichert sie wieder (die Kanäle in Empfängerreihenfolge neu nummeriert)"},
    {"demo", "demo AUSGABE [--tv ANZAHL] [--radio ANZAHL]",
     "schreibt eine Beispieldatenbank (höchstens 19999 Kanäle)"},
    {"export-csv", "export-csv DATEI AUSGABE", "schreibt alle Kanäle als CSV-Datei (Windows-1252, CR LF, „;“)"},
    {"store-order", "store-order DATEI SORTIERDATEI", "speichert die Kanalreihenfolge als Sortierdatei"},
    {"apply-order", "apply-order DATEI SORTIERDATEI AUSGABE [--force]",
     "wendet eine Sortierdatei auf die Datenbank an und speichert das Ergebnis"},
    {"export-reflist", "export-reflist DATEI AUSGABE", "schreibt die Kanalreihenfolge als Referenzliste (CSV)"},
    {"apply-reflist", "apply-reflist DATEI LISTE AUSGABE [--force]",
     "wendet eine Referenzliste auf die Datenbank an und speichert das Ergebnis"},
    {"diff", "diff ALT NEU [--exit-code] [--ignore-nr] [--force]",
     "vergleicht zwei Datenbanken: je Kanal, der sich unterscheidet, eine Zeile"},
};

const CommandHelp* HelpOf(const std::string& name)
{
    for (const CommandHelp& h : kHelp) {
        if (name == h.name) {
            return &h;
        }
    }
    return nullptr;
}

void PrintUsage(std::ostream& out, const std::vector<std::unique_ptr<ndbtool::Command>>& commands)
{
    out << "Aufruf: ndbtool BEFEHL ...\n"
           "Liest, prüft und schreibt Kanaldatenbanken (.ndb) des Receivers Rudevoz SF 2028.\n\n";
    for (const auto& c : commands) {
        const CommandHelp* h = HelpOf(c->Name());
        out << "  ndbtool " << (h ? h->usage : c->Usage()) << '\n';
        if (h) {
            out << "      " << h->description << '\n';
        }
    }
    out << "  ndbtool --help\n"
           "      zeigt diese Hilfe\n"
           "  ndbtool --version\n"
           "      zeigt die Version\n"
           "\nMehr dazu: man ndbtool\n";
}

// Why the arguments do not fit the command's usage line: an option the
// command does not know, an option without its value, too few or too many
// files. Empty when they fit and the command refused them for another reason.
std::string UsageProblem(const std::string& usage, const std::vector<std::string>& args)
{
    std::vector<std::string> words;
    std::string word;
    for (char ch : usage + ' ') {
        if (ch == ' ' || ch == '[' || ch == ']') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += ch;
        }
    }
    size_t required = 0;
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i].rfind("--", 0) != 0 && words[i - 1].rfind("--", 0) != 0) {
            ++required;
        }
    }
    size_t positional = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].size() < 2 || args[i].compare(0, 2, "--") != 0) {
            ++positional;
            continue;
        }
        const auto known = std::find(words.begin(), words.end(), args[i]);
        if (known == words.end()) {
            return "Unbekannte Option „" + args[i] + "“.";
        }
        const bool takesValue = known + 1 != words.end() && (known + 1)->rfind("--", 0) != 0;
        if (takesValue && ++i >= args.size()) {
            return "Der Option „" + *known + "“ fehlt der Wert.";
        }
    }
    if (positional < required) {
        return "Zu wenige Argumente.";
    }
    if (positional > required) {
        return "Zu viele Argumente.";
    }
    return {};
}

// Passes everything on to another stream buffer and notes whether anything came.
class NotingBuffer : public std::streambuf {
public:
    explicit NotingBuffer(std::streambuf* target) : m_target(target) {}
    bool Used() const { return m_used; }

protected:
    int overflow(int ch) override
    {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        m_used = true;
        return m_target->sputc(traits_type::to_char_type(ch));
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        m_used = m_used || count > 0;
        return m_target->sputn(text, count);
    }
    int sync() override { return m_target->pubsync(); }

private:
    std::streambuf* m_target;
    bool m_used = false;
};

int RunCommandLine(int argc, char** argv, const std::vector<std::unique_ptr<ndbtool::Command>>& commands)
{
    if (argc < 2) {
        std::cerr << "Kein Befehl angegeben.\n";
        PrintUsage(std::cerr, commands);
        return ndbtool::kUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        PrintUsage(std::cout, commands);
        return ndbtool::kOk;
    }
    if (name == "--version") {
        std::cout << "ndbtool " VE_VERSION "\n";
        return ndbtool::kOk;
    }
    for (const auto& c : commands) {
        if (name == c->Name()) {
            const std::vector<std::string> args(argv + 2, argv + argc);
            NotingBuffer noted(std::cerr.rdbuf());
            std::ostream err(&noted);
            const int rc = c->Run(args, std::cout, err);
            err.flush();
            if (rc == ndbtool::kUsage) {
                const CommandHelp* h = HelpOf(name);
                const std::string usage = h ? h->usage : c->Usage();
                const std::string problem = UsageProblem(usage, args);
                // A command that said why (a value out of range) is not contradicted.
                if (!problem.empty()) {
                    std::cerr << problem << '\n';
                } else if (!noted.Used()) {
                    std::cerr << "Ungültige Argumente.\n";
                }
                std::cerr << "Aufruf: ndbtool " << usage << '\n';
            }
            return rc == ndbtool::kDifferencesFound ? 1 : rc;
        }
    }
    std::cerr << "Unbekannter Befehl „" << name << "“.\n";
    PrintUsage(std::cerr, commands);
    return ndbtool::kUsage;
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // Messages are written in blocks, not one system call per line.
    std::cerr << std::nounitbuf;
#if defined(__GLIBC__)
    // Large buffers come from the heap and are reused there: a load frees its
    // file buffer just before the save needs as much again, and fresh pages
    // from the system cost more than the work on them.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
    const auto commands = ndbtool::AllCommands();
    const int rc = RunCommandLine(argc, argv, commands);
    std::cout.flush();
    std::cerr.flush();
    if (!std::cout) {
        std::cerr << "Die Ausgabe kann nicht geschrieben werden.\n";
        return ndbtool::kIoError;
    }
    return rc;
}
