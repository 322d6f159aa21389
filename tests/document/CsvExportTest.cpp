// The CSV export: exact bytes of the header and the data lines, numbering
// across both kinds, Windows-1252 text and CR LF line ends.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "document/CsvExport.h"
#include "document/DemoDatabase.h"
#include "document/ExchangeMessages.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/DocTestHelpers.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
        lines.push_back(text.substr(start, at - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line ends in CR LF as well";
    return lines;
}

const char* kHeaderLine = "Nr;Kanalname;ServiceID;Video Pid;Audio Pid;PCR Pid;PMT Pid;HD;T1;T2;Vers.;Gesperrt;"
                          "\xDC"
                          "berspringen";

} // namespace

TEST(CsvExport, EveryChannelOfBothKindsIsOneLineInTheReceiversOrder)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeSmallDatabase());
    const std::string text = BuildCsvExport(doc);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "no bare LF";
    const std::vector<std::string> lines = CrLfLines(text);
    const std::vector<std::string> expected = {
        kHeaderLine,
        "   1;Das Erste HD;10301;5101;5102;5101;5100;X;X;;;;",
        "   2;ZDF HD;11110;6110;6120;6130;6100;X;;X;;;",
        "   3;Sky Cinema;129;255;256;255;97;;X;;1;1;",
        "   4;Rai 1;3401;512;650;8190;257;;<;X;;;1",
        "   5;T\xE9l\xE9 5;7;33;34;33;32;;X;>;;;",
        "   6;Bayern 3;28400;0;3001;0;0;;X;;;;",
        "   7;Antenne Bayern;92;0;440;0;0;;X;;1;;",
        "   8;Radio Svizzera;3901;0;700;0;0;;X;;;1;",
    };
    EXPECT_EQ(lines, expected);
}

TEST(CsvExport, ThreeTelevisionAndTwoRadioChannelsGiveSixLines)
{
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> tv(db.services.records.begin(), db.services.records.begin() + 3);
    std::vector<ServiceRecord> radio(db.services.records.begin() + 5, db.services.records.begin() + 7);
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder(tv, radio);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const std::vector<std::string> lines = CrLfLines(BuildCsvExport(doc));
    ASSERT_EQ(lines.size(), 6u);
    for (size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(lines[i].substr(0, 5), "   " + std::to_string(i) + ";");
    }
    EXPECT_EQ(lines[4].substr(5, 8), "Bayern 3");
}

TEST(CsvExport, NamesAreWrittenInWindows1252AndASemicolonShiftsTheFields)
{
    TestDatabase db = MakeSmallDatabase();
    db.services.records[0].Name("\xD6sterreich;1"); // "Österreich;1" in ISO-8859-1
    db.services.records[1].Name("\x80" "uro");       // a C1 control Windows-1252 cannot show
    db.services.records[2].VideoPid(0);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const std::vector<std::string> lines = CrLfLines(BuildCsvExport(doc));
    EXPECT_EQ(lines[1], "   1;\xD6sterreich;1;10301;5101;5102;5101;5100;X;X;;;;");
    EXPECT_EQ(lines[2].substr(0, 9), "   2;?uro");
    EXPECT_EQ(lines[3].substr(0, 22), "   3;Sky Cinema;129;0;");
}

TEST(CsvExport, NumbersPastFourDigitsAreWrittenInFull)
{
    const std::vector<uint8_t> file = BuildDemoDatabase({15000, 4999});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    const std::vector<std::string> lines = CrLfLines(BuildCsvExport(doc));
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines[999].substr(0, 5), " 999;");
    EXPECT_EQ(lines[1000].substr(0, 5), "1000;");
    EXPECT_EQ(lines[19999].substr(0, 6), "19999;");
}

TEST(CsvExport, ANameWithoutExtensionGetsCsv)
{
    EXPECT_EQ(WithCsvExtension("/home/u/kanäle"), "/home/u/kanäle.csv");
    EXPECT_EQ(WithCsvExtension("liste"), "liste.csv");
    EXPECT_EQ(WithCsvExtension("liste.txt"), "liste.txt");
    EXPECT_EQ(WithCsvExtension("liste.CSV"), "liste.CSV");
    EXPECT_EQ(WithCsvExtension("/home/u.v/liste"), "/home/u.v/liste.csv") << "a dot in a folder is no extension";
}

TEST(CsvExport, TheFileIsReplacedAndAFailureGivesTheMessage)
{
    const fs::path dir = fs::temp_directory_path() / ("csv_test_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeSmallDatabase());
    const fs::path out = dir / "export.csv";
    {
        std::ofstream old(out, std::ios::binary);
        old << "old content that is longer than nothing";
    }
    std::string error;
    ASSERT_TRUE(ExportCsvFile(doc, out.string(), error)) << error;
    std::ifstream in(out, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, BuildCsvExport(doc));
    EXPECT_FALSE(ExportCsvFile(doc, (dir / "no/such/dir/x.csv").string(), error));
    EXPECT_EQ(error, "konnte die Datei nicht anlegen.");
    fs::remove_all(dir);
}
