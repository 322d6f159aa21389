#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "BuildInfo.h"
#include "NdbtoolFixture.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;
namespace fs = std::filesystem;

namespace {

class NdbtoolTest : public NdbtoolFixture {};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

} // namespace

TEST_F(NdbtoolTest, InfoPrintsHeaderTextsCountsGroupsAndTimers)
{
    TestDatabase db = MakeSmallDatabase();
    db.header.V(2, 28).P(1, 4, 12).Date(2026, 11, 3).Quad(10, 3, 0, 7).Pairs(3, 1, 2, 9).KM(7, 3, 1, 5);
    const auto r = Run("info " + Write("db.ndb", db.Build()).string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(lines[0], "V2.28 (P1.4.12) 03.11.2026");
    EXPECT_EQ(lines[1], "10.3.0.7");
    EXPECT_EQ(lines[2], "3.1 / 2.9");
    EXPECT_EQ(lines[3], "K7-3 / M1.5");
    EXPECT_EQ(lines[4], "Fernsehkanäle: " + std::to_string(kSmallTv));
    EXPECT_EQ(lines[5], "Radiokanäle: " + std::to_string(kSmallRadio));
    EXPECT_EQ(lines[6], "Gesamt: " + std::to_string(kSmallTv + kSmallRadio));
    EXPECT_EQ(lines[7], "Transponder: " + std::to_string(kTpSlots));
    EXPECT_EQ(lines[8], "Satelliten: " + std::to_string(kSatSlots));
    EXPECT_EQ(lines[9].rfind("Verschlüsselt TV: ", 0), 0u);
    EXPECT_EQ(lines[10].rfind("Verschlüsselt Radio: ", 0), 0u);
    EXPECT_EQ(lines[11].rfind("Favorit 1: ", 0), 0u);
    EXPECT_EQ(lines[18].rfind("Favorit 8: ", 0), 0u);
    EXPECT_EQ(lines[19], "Timer: 2");
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(NdbtoolTest, ChannelsListsTheTelevisionOrRadioChainWithDetailTexts)
{
    TestDatabase db = MakeSmallDatabase();
    const fs::path file = Write("db.ndb", db.Build());
    const auto tv = Run("channels " + file.string());
    ASSERT_EQ(tv.exitCode, 0) << tv.err;
    const auto lines = Lines(tv.out);
    ASSERT_EQ(lines.size(), 1u + kSmallTv);
    const auto header = Cells(lines[0]);
    ASSERT_EQ(header.size(), 19u);
    EXPECT_EQ(header[0], "Nr");
    EXPECT_EQ(header[1], "Kanalname");
    EXPECT_EQ(header[2], "Typ");
    EXPECT_EQ(header[18], "Provider");
    for (int i = 1; i <= kSmallTv; ++i) {
        const auto cells = Cells(lines[static_cast<size_t>(i)]);
        ASSERT_EQ(cells.size(), 19u);
        EXPECT_EQ(cells[0], std::to_string(i));
        EXPECT_EQ(cells[2], "TV");
        EXPECT_EQ(cells[7].size(), 5u) << "service id is padded to five places";
    }

    const auto radio = Run("channels " + file.string() + " --radio");
    ASSERT_EQ(radio.exitCode, 0);
    const auto radioLines = Lines(radio.out);
    ASSERT_EQ(radioLines.size(), 1u + kSmallRadio);
    EXPECT_EQ(Cells(radioLines[1])[2], "Radio");
    EXPECT_EQ(Cells(radioLines[1])[0], "1");
}

TEST_F(NdbtoolTest, TimersListsOnlyTimersInUseNumberedWithoutGaps)
{
    TestDatabase db = MakeSmallDatabase();
    for (auto& t : db.timers.records) {
        t.InUseWords(0, 0, 0);
    }
    db.timers.records[4]
        .InUseWords(0, 0, 3)
        .Mode(2)
        .StartBcd(0x21, 0x05)
        .Date(2014, 2, 1)
        .Duration(150)
        .Name("Tagesschau");
    db.timers.records[9]
        .InUseWords(1, 0, 0)
        .Mode(7)
        .StartBcd(0x09, 0x30)
        .Date(2013, 3, 1)
        .Duration(1439)
        .Name("ABCDEFGHIJKLMNOPQRST");
    const auto r = Run("timers " + Write("db.ndb", db.Build()).string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "#\tModus\tZeit\tDatum\tLaufzeit\tProgramm");
    EXPECT_EQ(lines[1], "    1\tTäglich\t21:05\t01.02.2014\t02:30\tTagesschau");
    EXPECT_EQ(lines[2], "    2\tUnbekannt\t09:30\t01.03.2013\t23:59\tABCDEFGHIJKLMNOPQRST");
}

TEST_F(NdbtoolTest, ResaveOfAnUnchangedDatabaseIsByteIdentical)
{
    const Bytes original = MakeSmallDatabase().Build();
    const fs::path in = Write("in.ndb", original);
    const fs::path out = m_dir / "out.ndb";
    const auto r = Run("resave " + in.string() + " " + out.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBytes(out), original);
}

TEST_F(NdbtoolTest, DamagedContainersAreRefusedWithExitTwo)
{
    const Bytes good = MakeSmallDatabase().Build();
    Bytes flipped = good;
    flipped[kHeader + 300] ^= 0x01;
    Bytes shortFile(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    ContainerOptions wrongTag;
    wrongTag.tagId = 0xDB21;
    ContainerOptions lyingLength;
    lyingLength.declaredLength = 0x7FFFFFF0u;
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"flipped", flipped},
        {"short", shortFile},
        {"tag", SealContainer(MakeSmallDatabase().Payload(), wrongTag)},
        {"length", SealContainer(MakeSmallDatabase().Payload(), lyingLength)},
        {"tiny", Bytes{1, 2, 3}},
        {"empty", Bytes{}},
    };
    for (const auto& [name, bytes] : cases) {
        const fs::path in = Write(name + ".ndb", bytes);
        for (const std::string cmd : {"info", "channels", "timers"}) {
            const auto r = Run(cmd + " " + in.string());
            EXPECT_EQ(r.exitCode, 2) << name << " " << cmd;
            EXPECT_EQ(r.err, "Unerwartetes Dateiformat.\n") << name << " " << cmd;
            EXPECT_TRUE(r.out.empty()) << name;
        }
        const auto resave = Run("resave " + in.string() + " " + (m_dir / "x.ndb").string());
        EXPECT_EQ(resave.exitCode, 2) << name;
        EXPECT_FALSE(fs::exists(m_dir / "x.ndb")) << name;
    }
}

TEST_F(NdbtoolTest, UnknownBlockIsReportedOnceAndResaveNeedsForce)
{
    TestDatabase db = MakeSmallDatabase();
    Bytes payload = db.header.b;
    Append(payload, db.ConfigBlock());
    Append(payload, db.SatelliteBlock());
    Append(payload, FrameBlock(kTagTimers, 2, Bytes(64, 0x11)));
    Append(payload, db.TransponderBlock());
    const fs::path in = Write("partial.ndb", SealContainer(payload));

    const auto info = Run("info " + in.string());
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.err, "unknown Data found: Nicht alle gefundenen Datenblöcke konnten ausgewertet werden.\n\n"
                        "Data: 5 DB 0 0 2 0 0 0\n\n");
    EXPECT_NE(info.out.find("Satelliten: 250"), std::string::npos);
    EXPECT_NE(info.out.find("Transponder: 0"), std::string::npos);

    const fs::path out = m_dir / "out.ndb";
    const auto refused = Run("resave " + in.string() + " " + out.string());
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_NE(refused.err.find("--force"), std::string::npos);

    const auto forced = Run("resave " + in.string() + " " + out.string() + " --force");
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    const auto reread = Run("info " + out.string());
    EXPECT_EQ(reread.exitCode, 0);
    EXPECT_TRUE(reread.err.empty()) << "the forced save holds only what was read, all of it readable";
}

TEST_F(NdbtoolTest, UsageErrorsAndIoErrorsHaveTheirOwnExitCodes)
{
    EXPECT_EQ(Run("").exitCode, 1);
    EXPECT_EQ(Run("frobnicate x").exitCode, 1);
    EXPECT_EQ(Run("info").exitCode, 1);
    EXPECT_EQ(Run("channels a b").exitCode, 1);
    EXPECT_EQ(Run("channels a --television").exitCode, 1);
    EXPECT_EQ(Run("demo x --tv").exitCode, 1);
    EXPECT_EQ(Run("demo x --tv 15000 --radio 5000").exitCode, 1);
    const auto missing = Run("info " + (m_dir / "missing.ndb").string());
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_FALSE(missing.err.empty());
    const fs::path in = Write("in.ndb", MakeSmallDatabase().Build());
    EXPECT_EQ(Run("resave " + in.string() + " " + (m_dir / "no/such/dir/out.ndb").string()).exitCode, 3);
}

TEST_F(NdbtoolTest, HelpAndVersionAnswerOnStandardOutputWrongUsageOnStandardError)
{
    const auto help = Run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Aufruf: ndbtool BEFEHL ...\n", 0), 0u) << help.out;
    EXPECT_TRUE(help.err.empty()) << help.err;
    EXPECT_EQ(Run("-h").out, help.out);
    const auto version = Run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "ndbtool " VE_VERSION "\n");
    const auto wrong = Run("frobnicate");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.out.empty()) << wrong.out;
    EXPECT_EQ(wrong.err, "Unbekannter Befehl „frobnicate“.\n" + help.out);
    EXPECT_EQ(Run("").err, "Kein Befehl angegeben.\n" + help.out);

    // A command called wrongly names the reason, then its own usage line.
    EXPECT_EQ(Run("channels a --television").err,
              "Unbekannte Option „--television“.\nAufruf: ndbtool channels DATEI [--radio]\n");
    EXPECT_EQ(Run("demo x --tv").err,
              "Der Option „--tv“ fehlt der Wert.\nAufruf: ndbtool demo AUSGABE [--tv ANZAHL] [--radio ANZAHL]\n");
    EXPECT_EQ(Run("resave a").err, "Zu wenige Argumente.\nAufruf: ndbtool resave DATEI AUSGABE [--force]\n");
    EXPECT_EQ(Run("info a b").err, "Zu viele Argumente.\nAufruf: ndbtool info DATEI\n");
}

// Each manual page (English and German) has one subsection per command,
// headed by the command's usage line: a command added or changed without its
// documentation fails. The German page uses the placeholders of the help, the
// English page English ones.
TEST_F(NdbtoolTest, ManualPagesDocumentExactlyTheCommandsOfTheHelp)
{
    const auto sectionsOf = [](std::string man) {
        for (const std::string markup : {"\\fB", "\\fI", "\\fP", "\\fR", "\""}) {
            for (size_t at = man.find(markup); at != std::string::npos; at = man.find(markup, at)) {
                man.erase(at, markup.size());
            }
        }
        for (size_t at = man.find("\\-"); at != std::string::npos; at = man.find("\\-", at)) {
            man.erase(at, 1);
        }
        std::vector<std::string> sections;
        for (const std::string& line : Lines(man)) {
            if (line.rfind(".SS ", 0) == 0) {
                sections.push_back(line.substr(4));
            }
        }
        return sections;
    };
    // Every placeholder (a word in capitals) as X.
    const auto withoutPlaceholders = [](std::vector<std::string> lines) {
        for (std::string& line : lines) {
            std::string out;
            for (size_t i = 0; i < line.size();) {
                if (std::isupper(static_cast<unsigned char>(line[i]))) {
                    while (i < line.size() && std::isupper(static_cast<unsigned char>(line[i]))) {
                        ++i;
                    }
                    out += 'X';
                } else {
                    out += line[i++];
                }
            }
            line = out;
        }
        return lines;
    };
    std::vector<std::string> commands;
    for (const std::string& line : Lines(Run("--help").out)) {
        const std::string prefix = "  ndbtool ";
        if (line.rfind(prefix, 0) == 0 && line.compare(prefix.size(), 1, "-") != 0) {
            commands.push_back(line.substr(prefix.size()));
        }
    }
    ASSERT_EQ(commands.size(), 11u);
    const std::string german = ReadText(NDBTOOL_MANPAGE_DE);
    ASSERT_FALSE(german.empty());
    EXPECT_EQ(sectionsOf(german), commands) << "the subsections of BEFEHLE in doc/man/de/ndbtool.1.in";
    const std::string english = ReadText(NDBTOOL_MANPAGE);
    ASSERT_FALSE(english.empty());
    const auto englishSections = sectionsOf(english);
    EXPECT_EQ(withoutPlaceholders(englishSections), withoutPlaceholders(commands))
        << "the subsections of COMMANDS in doc/man/ndbtool.1.in, in the order of --help";
    for (const std::string& section : englishSections) {
        for (const std::string germanWord : {"DATEI", "AUSGABE", "LISTE", "ALT", "NEU", "ANZAHL"}) {
            EXPECT_EQ(section.find(germanWord), std::string::npos) << section;
        }
    }
}

TEST_F(NdbtoolTest, DemoDatabaseIsDeterministicReadableAndScattered)
{
    const fs::path a = m_dir / "a.ndb";
    const fs::path b = m_dir / "b.ndb";
    ASSERT_EQ(Run("demo " + a.string()).exitCode, 0);
    ASSERT_EQ(Run("demo " + b.string()).exitCode, 0);
    EXPECT_EQ(ReadBytes(a), ReadBytes(b));

    const auto info = Run("info " + a.string());
    ASSERT_EQ(info.exitCode, 0);
    EXPECT_TRUE(info.err.empty()) << info.err;
    const auto lines = Lines(info.out);
    EXPECT_EQ(lines[4], "Fernsehkanäle: 1200");
    EXPECT_EQ(lines[5], "Radiokanäle: 300");
    EXPECT_NE(info.out.find("Favorit 1: Film"), std::string::npos);
    EXPECT_NE(info.out.find("Favorit 8: Österreich"), std::string::npos);

    const auto channels = Lines(Run("channels " + a.string()).out);
    EXPECT_EQ(channels.size(), 1201u);

    // A resave writes the chains in array order, so it differs from the
    // scattered file but lists the same channels.
    const fs::path resaved = m_dir / "r.ndb";
    ASSERT_EQ(Run("resave " + a.string() + " " + resaved.string()).exitCode, 0);
    EXPECT_NE(ReadBytes(resaved), ReadBytes(a));
    EXPECT_EQ(Lines(Run("channels " + resaved.string()).out), channels);

    const fs::path full = m_dir / "full.ndb";
    ASSERT_EQ(Run("demo " + full.string() + " --tv 15000 --radio 4999").exitCode, 0);
    const auto fullInfo = Lines(Run("info " + full.string()).out);
    EXPECT_EQ(fullInfo[6], "Gesamt: 19999");
}

TEST_F(NdbtoolTest, CountsAndListsFollowTheChainsNotADamagedHead)
{
    // A head whose counts no table can hold, and a numbered record on
    // neither chain behind empty slots.
    TestDatabase damaged = MakeSmallDatabase();
    damaged.services.TvCount(0xFFFFFFFFu).RadioCount(70000);
    const auto info = Run("info " + Write("damaged.ndb", damaged.Build()).string());
    ASSERT_EQ(info.exitCode, 0) << info.err;
    const auto lines = Lines(info.out);
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[4], "Fernsehkanäle: " + std::to_string(kSmallTv));
    EXPECT_EQ(lines[5], "Radiokanäle: " + std::to_string(kSmallRadio));
    EXPECT_EQ(lines[6], "Gesamt: " + std::to_string(kSmallTv + kSmallRadio));

    const fs::path stray = Write("stray.ndb", MakeStrayServiceDatabase().Build());
    const auto radio = Run("channels " + stray.string() + " --radio");
    ASSERT_EQ(radio.exitCode, 0) << radio.err;
    const auto radioLines = Lines(radio.out);
    ASSERT_EQ(radioLines.size(), 1u + kSmallRadio);
    EXPECT_EQ(Cells(radioLines[3])[1], "Radio Svizzera");
    const auto tv = Run("channels " + stray.string());
    EXPECT_EQ(Lines(tv.out).size(), 1u + kSmallTv + 1) << "the stray record is no channel";
    EXPECT_EQ(tv.out.find("Verwaist"), std::string::npos);
}

// Nothing the tool writes may replace one of its inputs or a thing that is
// no file, and nothing it reads may block.
TEST_F(NdbtoolTest, OutputsThatAreInputsAndPathsThatAreNoRegularFilesAreRefusedAndLeftAsTheyAre)
{
    const Bytes original = MakeSmallDatabase().Build();
    const fs::path db = Write("db.ndb", original);
    const fs::path link = m_dir / "link.ndb";
    fs::create_symlink(db, link);
    const fs::path list = m_dir / "liste.csv";
    const fs::path order = m_dir / "sortierung.bin";
    ASSERT_EQ(Run("export-reflist " + db.string() + " " + list.string()).exitCode, 0);
    ASSERT_EQ(Run("store-order " + db.string() + " " + order.string()).exitCode, 0);
    const std::string listText = ReadText(list);
    const std::string orderBytes = ReadText(order);

    // Another kind of file onto an input, also through a link.
    for (const std::string& cmd :
         {"export-reflist " + db.string() + " " + link.string(), "export-csv " + link.string() + " " + db.string(),
          "store-order " + db.string() + " " + db.string(),
          "apply-reflist " + db.string() + " " + list.string() + " " + list.string(),
          "apply-order " + db.string() + " " + order.string() + " " + order.string()}) {
        const auto r = Run(cmd);
        EXPECT_EQ(r.exitCode, 2) << cmd;
        EXPECT_NE(r.err.find(" ist zugleich eine Eingabe dieses Befehls"), std::string::npos) << cmd << r.err;
    }
    EXPECT_EQ(ReadBytes(db), original);
    EXPECT_EQ(ReadText(list), listText);
    EXPECT_EQ(ReadText(order), orderBytes);
    // A database saved onto itself is replaced atomically; the link stays.
    EXPECT_EQ(Run("resave " + db.string() + " " + db.string()).exitCode, 0);
    EXPECT_EQ(Run("apply-reflist " + db.string() + " " + list.string() + " " + link.string()).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(db), original);

    // Inputs that are no regular file are refused at once.
    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path out = m_dir / "out.ndb";
    const std::string notRegular = "Die Datei \"" + fifo.string() + "\" ist keine gewöhnliche Datei.\n";
    for (const std::string& cmd : {"info " + fifo.string(), "diff " + db.string() + " " + fifo.string(),
                                   "apply-reflist " + db.string() + " " + fifo.string() + " " + out.string(),
                                   "apply-order " + db.string() + " " + fifo.string() + " " + out.string()}) {
        const auto r = Run(cmd);
        EXPECT_NE(r.exitCode, 0) << cmd;
        EXPECT_EQ(r.err, notRegular) << cmd;
    }
    EXPECT_FALSE(fs::exists(out));

    // Outputs that are no regular file stay what they are.
    const fs::path dir = m_dir / "ordner";
    fs::create_directory(dir);
    const fs::path dangling = m_dir / "weg.ndb";
    fs::create_symlink(m_dir / "fehlt.ndb", dangling);
    for (const fs::path& target : {fifo, dir, dangling}) {
        for (const std::string& cmd :
             {"resave " + db.string(), "export-csv " + db.string(), std::string("demo")}) {
            const auto r = Run(cmd + " " + target.string());
            EXPECT_EQ(r.exitCode, 3) << cmd << " " << target;
            EXPECT_NE(r.err.find("\"" + target.string() + "\""), std::string::npos) << r.err;
        }
    }
    EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_directory(dir) && fs::is_empty(dir));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_FALSE(fs::exists(m_dir / "fehlt.ndb"));
}
