// End-to-end tests of export-reflist, apply-reflist and diff: the real
// binary on files written by the independent test builder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "NdbtoolFixture.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;
namespace fs = std::filesystem;

namespace {

// The small database after a rescan: renumbered transponders, Hotbird at
// 13.1 degrees, the television channels in reverse order, no favourites.
TestDatabase MakeRescanned()
{
    TestDatabase db = MakeSmallDatabase();
    for (int i = 0; i < 6; ++i) {
        db.transponders.records[static_cast<size_t>(i)].Number(static_cast<uint16_t>(201 + i));
    }
    db.satellites.records[1].Position(131, false);
    std::vector<ServiceRecord> tv(db.services.records.begin(), db.services.records.begin() + kSmallTv);
    std::vector<ServiceRecord> radio(db.services.records.begin() + kSmallTv,
                                     db.services.records.begin() + kSmallTv + kSmallRadio);
    for (auto* list : {&tv, &radio}) {
        for (auto& s : *list) {
            s.Transponder(static_cast<uint16_t>(GetU16(s.b, 6) + 200)).FavGroup(0);
        }
    }
    std::reverse(tv.begin(), tv.end());
    db.services.PlaceInArrayOrder(tv, radio);
    return db;
}

class ReferenceCommandsTest : public NdbtoolFixture {
protected:
    // The output of `ndbtool channels`, television and radio.
    std::string Channels(const fs::path& db)
    {
        return Run("channels " + db.string()).out + Run("channels " + db.string() + " --radio").out;
    }
    fs::path WriteText(const std::string& name, const std::string& text)
    {
        return Write(name, Bytes(text.begin(), text.end()));
    }
};

} // namespace

TEST_F(ReferenceCommandsTest, ExportedListPutsARescannedDatabaseBackInOrder)
{
    const fs::path original = Write("db.ndb", MakeSmallDatabase().Build());
    const fs::path rescanned = Write("rescan.ndb", MakeRescanned().Build());
    const fs::path list = m_dir / "liste.csv";
    auto r = Run("export-reflist " + original.string() + " " + list.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Datei wurde erstellt.\n");
    EXPECT_EQ(ReadText(list).substr(0, 20), "\xEF\xBB\xBFNr;Typ;Kanalname;");

    const fs::path out = m_dir / "sorted.ndb";
    r = Run("apply-reflist " + rescanned.string() + " " + list.string() + " " + out.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Zugeordnet über Satellit, ONID, TSID und SID: 6\n"
                     "Zugeordnet über ONID, TSID und SID: 2\n"
                     "Zugeordnet über ONID und SID: 0\n"
                     "Zugeordnet über den Namen: 0\n"
                     "Nicht gefunden: 0\n"
                     "Neu (nicht in der Liste): 0\n");
    EXPECT_TRUE(r.err.empty()) << r.err;
    // Order and favourite groups as in the original; only the satellite of
    // the two Hotbird channels still differs.
    EXPECT_EQ(Run("diff " + original.string() + " " + out.string()).out,
              "~ TV 4 Rai 1: Satellit 13.0E→13.1E\n"
              "~ Radio 3 Radio Svizzera: Satellit 13.0E→13.1E\n");
}

TEST_F(ReferenceCommandsTest, ApplyReportsUnreadableAndUnmatchedLinesOnStandardError)
{
    const fs::path db = Write("db.ndb", MakeSmallDatabase().Build());
    // A spreadsheet's version: commas, columns moved and dropped, a line
    // that cannot be read and one whose channel is not there.
    const fs::path list = WriteText("liste.csv", "SID,Typ,Nr,Kanalname\r\n"
                                                 "3401,TV,1,Rai 1\r\n"
                                                 "0,TV,2,Das Erste HD\r\n"
                                                 "4711,TV,3,Gibt es nicht\r\n"
                                                 "92,Radio,x,Antenne Bayern\r\n");
    const fs::path out = m_dir / "out.ndb";
    const auto r = Run("apply-reflist " + db.string() + " " + list.string() + " " + out.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Zugeordnet über Satellit, ONID, TSID und SID: 0\n"
                     "Zugeordnet über ONID, TSID und SID: 0\n"
                     "Zugeordnet über ONID und SID: 0\n"
                     "Zugeordnet über den Namen: 2\n"
                     "Nicht gefunden: 1\n"
                     "Neu (nicht in der Liste): 6\n");
    EXPECT_EQ(r.err, "Zeile 4: nicht gefunden: TV 3 Gibt es nicht\n"
                     "Zeile 5: nicht lesbar: Nr \"x\" ist keine positive Zahl\n");
    const std::string channels = Run("channels " + out.string()).out;
    EXPECT_LT(channels.find("\tRai 1\t"), channels.find("\tDas Erste HD\t"));
    EXPECT_LT(channels.find("\tDas Erste HD\t"), channels.find("\tZDF HD\t"));
}

TEST_F(ReferenceCommandsTest, LocksSurviveARescanAndAListOutOfNrOrderIsNoted)
{
    const fs::path original = Write("db.ndb", MakeSmallDatabase().Build());
    const fs::path list = m_dir / "liste.csv";
    ASSERT_EQ(Run("export-reflist " + original.string() + " " + list.string()).exitCode, 0);
    // The rescan has lost every lock and skip flag, and transponder 2 now
    // has TSID 8: Sky Cinema and Antenne Bayern are found by ONID and SID.
    TestDatabase db = MakeRescanned();
    db.transponders.records[1].TpId(8);
    for (int i = 0; i < kSmallTv + kSmallRadio; ++i) {
        ServiceRecord& s = db.services.records[static_cast<size_t>(i)];
        s.Flags(static_cast<uint8_t>(s.b[31] & 0x08));
    }
    const fs::path rescanned = Write("rescan.ndb", db.Build());
    const fs::path out = m_dir / "out.ndb";
    auto r = Run("apply-reflist " + rescanned.string() + " " + list.string() + " " + out.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Zugeordnet über Satellit, ONID, TSID und SID: 4\n"
                     "Zugeordnet über ONID, TSID und SID: 2\n"
                     "Zugeordnet über ONID und SID: 2\n"
                     "Zugeordnet über den Namen: 0\n"
                     "Nicht gefunden: 0\n"
                     "Neu (nicht in der Liste): 0\n");
    EXPECT_EQ(r.err, "");
    // Order, locks and skip flags as in the original.
    EXPECT_EQ(Channels(out), Channels(original));

    // Rows moved in a spreadsheet without renumbering: Nr decides, and
    // one line says so.
    const fs::path moved = WriteText("verschoben.csv", "Nr;Typ;Kanalname\r\n"
                                                       "2;TV;ZDF HD\r\n"
                                                       "1;TV;Das Erste HD\r\n"
                                                       "4711;TV;Gibt es nicht\r\n");
    r = Run("apply-reflist " + original.string() + " " + moved.string() + " " + out.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Hinweis: Die Zeilen stehen nicht nach Nr geordnet; es gilt die Spalte Nr.\n"
                     "Zeile 4: nicht gefunden: TV 4711 Gibt es nicht\n");
    EXPECT_EQ(Run("diff " + original.string() + " " + out.string()).out, "");
}

TEST_F(ReferenceCommandsTest, RefusedListsAndPartlyReadDatabasesWriteNothing)
{
    const fs::path db = Write("db.ndb", MakeSmallDatabase().Build());
    const fs::path out = m_dir / "out.ndb";
    const auto apply = [&](const fs::path& list, const std::string& flags = "") {
        return Run("apply-reflist " + db.string() + " " + list.string() + " " + out.string() + flags);
    };

    auto r = apply(WriteText("ohne.csv", "Nr;Kanalname;Satellit\r\n1;ZDF HD;19.2E\r\n"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "In der Referenzliste fehlen Spalten: Typ.\n"
                     "Nötig sind die Spalten Typ und SID oder Kanalname.\n");
    EXPECT_TRUE(r.out.empty());
    r = apply(db); // a database instead of a list
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Die Datei ist keine Referenzliste: sie enthält keinen Text.\n");
    const fs::path huge = m_dir / "riesig.csv";
    WriteText("riesig.csv", "Nr;Typ;SID\r\n");
    fs::resize_file(huge, (32u << 20) + 1); // sparse, so cheap
    r = apply(huge);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Die Datei ist zu groß für eine Referenzliste (höchstens 32 MB).\n");
    r = apply(m_dir / "fehlt.csv");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("fehlt.csv"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));

    // A partly read database, as for apply-order.
    TestDatabase small = MakeSmallDatabase();
    Bytes payload = small.header.b;
    Append(payload, small.ConfigBlock());
    Append(payload, FrameBlock(kTagTimers, 2, Bytes(64, 0x11)));
    const fs::path partial = Write("partial.ndb", SealContainer(payload));
    const fs::path list = WriteText("liste.csv", "Nr;Typ;SID\r\n1;TV;7\r\n");
    r = Run("apply-reflist " + partial.string() + " " + list.string() + " " + out.string());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--force"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
    r = Run("apply-reflist " + partial.string() + " " + list.string() + " " + out.string() + " --force");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::exists(out));

    EXPECT_EQ(Run("apply-reflist a b").exitCode, 1);
    EXPECT_EQ(Run("export-reflist a").exitCode, 1);
    EXPECT_EQ(Run("export-reflist " + db.string() + " " + (m_dir / "no/dir/x.csv").string()).exitCode, 3);
}

TEST_F(ReferenceCommandsTest, DiffPrintsOneLinePerDifferenceAndExitsAsGitDoes)
{
    const fs::path a = Write("a.ndb", MakeSmallDatabase().Build());
    TestDatabase changed = MakeSmallDatabase();
    changed.services.records[1].FavGroup(0);
    changed.services.records[6].Flags(0x08 | 0x10);
    const fs::path b = Write("b.ndb", changed.Build());

    auto r = Run("diff " + a.string() + " " + a.string() + " --exit-code");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.empty() && r.err.empty());
    r = Run("diff " + a.string() + " " + b.string());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "~ TV 2 ZDF HD: Favorit 2→0\n"
                     "~ Radio 2 Antenne Bayern: Überspringen nein→ja\n");
    // 1 tells that something differs; that is no bad call, so no usage line.
    r = Run("diff " + a.string() + " " + b.string() + " --exit-code");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "");

    // --ignore-nr leaves out the lines that only say the number moved.
    TestDatabase swapped = MakeSmallDatabase();
    std::vector<ServiceRecord> tv(swapped.services.records.begin(), swapped.services.records.begin() + kSmallTv);
    const std::vector<ServiceRecord> radio(swapped.services.records.begin() + kSmallTv,
                                           swapped.services.records.begin() + kSmallTv + kSmallRadio);
    std::swap(tv[0], tv[1]);
    tv[0].FavGroup(0);
    swapped.services.PlaceInArrayOrder(tv, radio);
    const fs::path c = Write("c.ndb", swapped.Build());
    r = Run("diff " + a.string() + " " + c.string());
    EXPECT_EQ(r.out, "~ TV 2→1 ZDF HD: Nr, Favorit 2→0\n"
                     "~ TV 1→2 Das Erste HD: Nr\n");
    r = Run("diff " + a.string() + " " + c.string() + " --ignore-nr --exit-code");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "~ TV 2→1 ZDF HD: Nr, Favorit 2→0\n");
    tv[0].FavGroup(2);
    swapped.services.PlaceInArrayOrder(tv, radio);
    const fs::path d = Write("d.ndb", swapped.Build());
    r = Run("diff " + a.string() + " " + d.string() + " --exit-code --ignore-nr");
    EXPECT_EQ(r.exitCode, 0) << "nothing but numbers differ";
    EXPECT_EQ(r.out, "");

    const fs::path bad = Write("bad.ndb", Bytes{1, 2, 3});
    r = Run("diff " + a.string() + " " + bad.string());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, bad.string() + ": Unerwartetes Dateiformat.\n") << "which of the two";
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Run("diff " + a.string() + " " + (m_dir / "fehlt.ndb").string()).exitCode, 3);
}

TEST_F(ReferenceCommandsTest, DiffRefusesAPartlyReadDatabaseOnEitherSideUnlessForced)
{
    const fs::path whole = Write("whole.ndb", MakeSmallDatabase().Build());
    TestDatabase small = MakeSmallDatabase();
    Bytes payload = small.header.b;
    Append(payload, small.ConfigBlock());
    Append(payload, FrameBlock(kTagTimers, 2, Bytes(64, 0x11)));
    const fs::path partial = Write("partial.ndb", SealContainer(payload));

    for (const std::string& files :
         {whole.string() + " " + partial.string(), partial.string() + " " + whole.string()}) {
        auto r = Run("diff " + files);
        EXPECT_EQ(r.exitCode, 2) << files;
        EXPECT_TRUE(r.out.empty()) << "not every channel reported as gone or new";
        EXPECT_NE(r.err.find("Die Datenbank \"" + partial.string() + "\" wurde nur teilweise gelesen"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("--force"), std::string::npos);
        r = Run("diff " + files + " --force");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_FALSE(r.out.empty());
    }
}

// A name holding a line end or an escape sequence stays on its line and
// sends nothing to the terminal.
TEST_F(ReferenceCommandsTest, ControlCharactersInNamesAreEscapedInEveryTextOutput)
{
    const fs::path a = Write("a.ndb", MakeSmallDatabase().Build());
    TestDatabase odd = MakeSmallDatabase();
    odd.services.records[1].Name("ZDF\nHD\x1b[2J\x85");
    odd.timers.records[2].Name("Tat\rort");
    odd.config.FavName(0, "Fav\t1");
    const fs::path b = Write("b.ndb", odd.Build());

    const std::string channels = Run("channels " + b.string()).out;
    EXPECT_NE(channels.find("\tZDF\\nHD\\x1b[2J\\x85\t"), std::string::npos) << channels;
    EXPECT_EQ(std::count(channels.begin(), channels.end(), '\n'), 1 + kSmallTv);
    EXPECT_EQ(Run("diff " + a.string() + " " + b.string()).out,
              "~ TV 2 ZDF\\nHD\\x1b[2J\\x85: Name \"ZDF HD\"→\"ZDF\\nHD\\x1b[2J\\x85\"\n");
    EXPECT_NE(Run("timers " + b.string()).out.find("\tTat\\rort\n"), std::string::npos);
    EXPECT_NE(Run("info " + b.string()).out.find("Favorit 1: Fav\\t1\n"), std::string::npos);
}
