// End-to-end tests of export-csv, store-order and apply-order: the real
// binary on files written by the independent test builder.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "NdbtoolFixture.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;
namespace fs = std::filesystem;

namespace {

// The small database after a rescan: renumbered transponders and the
// television channels in reverse order.
TestDatabase MakeRescanned()
{
    TestDatabase db = MakeSmallDatabase();
    for (int i = 0; i < 6; ++i) {
        db.transponders.records[static_cast<size_t>(i)].Number(static_cast<uint16_t>(201 + i));
    }
    std::vector<ServiceRecord> tv(db.services.records.begin(), db.services.records.begin() + kSmallTv);
    std::vector<ServiceRecord> radio(db.services.records.begin() + kSmallTv,
                                     db.services.records.begin() + kSmallTv + kSmallRadio);
    for (auto* list : {&tv, &radio}) {
        for (auto& s : *list) {
            s.Transponder(static_cast<uint16_t>(GetU16(s.b, 6) + 200));
        }
    }
    std::reverse(tv.begin(), tv.end());
    db.services.PlaceInArrayOrder(tv, radio);
    return db;
}

class ExchangeCommandsTest : public NdbtoolFixture {
protected:
    // The names column of `ndbtool channels`.
    std::vector<std::string> ChannelNames(const fs::path& db, bool radio = false)
    {
        std::vector<std::string> names;
        std::stringstream s(Run("channels " + db.string() + (radio ? " --radio" : "")).out);
        std::string line;
        std::getline(s, line);
        while (std::getline(s, line)) {
            const size_t a = line.find('\t');
            names.push_back(line.substr(a + 1, line.find('\t', a + 1) - a - 1));
        }
        return names;
    }
};

} // namespace

TEST_F(ExchangeCommandsTest, ExportCsvWritesTheFileAndSaysSo)
{
    const fs::path in = Write("db.ndb", MakeSmallDatabase().Build());
    const fs::path out = m_dir / "liste.csv";
    const auto r = Run("export-csv " + in.string() + " " + out.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Datei wurde erstellt.\n");
    const std::string csv = ReadText(out);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "Nr;Kanalname;ServiceID;Video Pid;Audio Pid;PCR Pid;PMT Pid;HD;T1;T2;Vers.;Gesperrt;\xDC"
              "berspringen");
    EXPECT_NE(csv.find("\r\n   8;Radio Svizzera;3901;0;700;0;0;;X;;;1;\r\n"), std::string::npos);
    size_t lines = 0;
    for (size_t at = 0; (at = csv.find("\r\n", at)) != std::string::npos; at += 2) {
        ++lines;
    }
    EXPECT_EQ(lines, 1u + kSmallTv + kSmallRadio);

    const auto failed = Run("export-csv " + in.string() + " " + (m_dir / "no/dir/x.csv").string());
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_EQ(failed.err, "konnte die Datei nicht anlegen.\n");
}

TEST_F(ExchangeCommandsTest, StoreOrderWritesTheOrderFile)
{
    const fs::path in = Write("db.ndb", MakeSmallDatabase().Build());
    const fs::path order = m_dir / "AutomaticSortData.asd";
    const auto r = Run("store-order " + in.string() + " " + order.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = ReadText(order);
    ASSERT_EQ(bytes.size(), 20u + 24u * (kSmallTv + kSmallRadio));
    const Bytes b(bytes.begin(), bytes.end());
    EXPECT_EQ(GetU32(b, 0), 1u);
    EXPECT_EQ(GetU32(b, 4), 8u);
    EXPECT_EQ(GetU32(b, 8), 8u);
    EXPECT_EQ(GetU32(b, 12), 5u);
    EXPECT_EQ(GetU32(b, 16), 3u);
    EXPECT_EQ(GetU16(b, 20 + 2), 10301) << "service id of the first channel";

    const auto failed = Run("store-order " + in.string() + " " + (in / "x.asd").string());
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_EQ(failed.err.rfind("Die Datei mit der Sortierung konnte nicht angelegt werden.", 0), 0u) << failed.err;
}

TEST_F(ExchangeCommandsTest, ApplyOrderSortsARescannedDatabaseAndSavesIt)
{
    const fs::path original = Write("db.ndb", MakeSmallDatabase().Build());
    const fs::path rescanned = Write("rescan.ndb", MakeRescanned().Build());
    const fs::path order = m_dir / "order.asd";
    ASSERT_EQ(Run("store-order " + original.string() + " " + order.string()).exitCode, 0);
    const std::vector<std::string> wanted = ChannelNames(original);
    ASSERT_NE(ChannelNames(rescanned), wanted);

    const fs::path out = m_dir / "sorted.ndb";
    const auto r = Run("apply-order " + rescanned.string() + " " + order.string() + " " + out.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Es konnten 8 von 8 Services sortiert werden.\n");
    EXPECT_EQ(ChannelNames(out), wanted);
    EXPECT_EQ(ChannelNames(out, true), ChannelNames(original, true));

    // Applied to the database it came from, the saved file is the same.
    const fs::path same = m_dir / "same.ndb";
    ASSERT_EQ(Run("apply-order " + original.string() + " " + order.string() + " " + same.string()).exitCode, 0);
    EXPECT_EQ(ReadText(same), ReadText(original));
}

TEST_F(ExchangeCommandsTest, ApplyOrderRefusesMissingOutdatedAndShortFilesWithoutWriting)
{
    const fs::path db = Write("db.ndb", MakeSmallDatabase().Build());
    const fs::path out = m_dir / "out.ndb";
    auto r = Run("apply-order " + db.string() + " " + (m_dir / "AutomaticSortData.asd").string() + " " + out.string());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Bitte erst die Datei mit der Sortierung erstellen.\nFehlercode: 2\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(fs::exists(out));

    const fs::path order = m_dir / "order.asd";
    ASSERT_EQ(Run("store-order " + db.string() + " " + order.string()).exitCode, 0);
    const std::string good = ReadText(order);
    Bytes v2(good.begin(), good.end());
    PutU32(v2, 0, 2);
    r = Run("apply-order " + db.string() + " " + Write("v2.asd", v2).string() + " " + out.string());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Die Datei mit den Sortierinformationen ist veraltet.\nEs muss eine neue Datei erstellt werden.\n");
    EXPECT_FALSE(fs::exists(out));

    const Bytes cut(good.begin(), good.begin() + 20 + 24 * 3);
    r = Run("apply-order " + db.string() + " " + Write("short.asd", cut).string() + " " + out.string());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Invalid file.\n");
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ExchangeCommandsTest, WrongUsageAndRefusedDatabases)
{
    EXPECT_EQ(Run("export-csv").exitCode, 1);
    EXPECT_EQ(Run("export-csv a").exitCode, 1);
    EXPECT_EQ(Run("store-order a").exitCode, 1);
    EXPECT_EQ(Run("apply-order a b").exitCode, 1);
    EXPECT_EQ(Run("apply-order a b c d").exitCode, 1);
    const fs::path bad = Write("bad.ndb", Bytes{1, 2, 3});
    const auto r = Run("export-csv " + bad.string() + " " + (m_dir / "x.csv").string());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Unerwartetes Dateiformat.\n");
    EXPECT_FALSE(fs::exists(m_dir / "x.csv"));
    EXPECT_EQ(Run("store-order " + (m_dir / "missing.ndb").string() + " " + (m_dir / "o.asd").string()).exitCode, 3);
}
