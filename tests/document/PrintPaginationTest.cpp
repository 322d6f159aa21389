// Which channels a printed list holds, how they fall into pages, and the
// texts of heading and rows.
#include <gtest/gtest.h>

#include "document/PrintPagination.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

class PrintPaginationTest : public ::testing::Test {
protected:
    void Load(const TestDatabase& db)
    {
        const Bytes file = db.Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
    }
    std::vector<std::string> Names(const std::vector<int>& indexes) const
    {
        std::vector<std::string> out;
        for (int i : indexes) {
            out.push_back(doc.m_services.GetAt(i)->GetNameText());
        }
        return out;
    }
    std::vector<std::string> PrintedNames(const PrintSelection& selection, bool radio) const
    {
        std::vector<std::string> out;
        for (int i = 0; i < doc.m_services.GetSize(); ++i) {
            if (IsPrinted(doc, selection, radio, *doc.m_services.GetAt(i))) {
                out.push_back(doc.m_services.GetAt(i)->GetNameText());
            }
        }
        return out;
    }
    CVandrelEdit2028Doc doc;
};

using NameList = std::vector<std::string>;

// 180 television channels: every third on transponder 2, the others on
// transponder 1, so 120 of them belong to transponder 1.
TestDatabase ManyChannels()
{
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> tv(180);
    for (int i = 0; i < 180; ++i) {
        tv[static_cast<size_t>(i)].Transponder(i % 3 == 2 ? 2 : 1).ServiceId(static_cast<uint16_t>(i)).Name(
            "K" + std::to_string(i));
    }
    std::vector<ServiceRecord> radio(2);
    radio[0].Transponder(1).Flags(0x08).Name("R0");
    radio[1].Transponder(1).Flags(0x08).Name("R1");
    db.services = ServiceBody();
    db.services.PlaceInArrayOrder(tv, radio);
    return db;
}

// The array index of the n-th (1-based) channel on transponder 1 in ManyChannels.
int IndexOfMatch(int n)
{
    int seen = 0;
    for (int i = 0; i < 180; ++i) {
        if (i % 3 != 2 && ++seen == n) {
            return i;
        }
    }
    return -1;
}

} // namespace

TEST_F(PrintPaginationTest, PagesStartAtEveryFiftiethMatchingChannel)
{
    Load(ManyChannels());
    PrintSelection sel;
    sel.transponder = doc.m_transponders.GetAt(0);
    ASSERT_EQ(PrintedNames(sel, false).size(), 120u);

    CPrintPagination pages;
    pages.Paginate(doc, sel, false, 50);
    EXPECT_EQ(pages.LinesPerPage(), 50);
    EXPECT_EQ(pages.PageStarts(), (std::vector<int>{IndexOfMatch(1), IndexOfMatch(51), IndexOfMatch(101)}));
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_FALSE(pages.IsEmpty());

    const std::vector<int> first = pages.RowsOfPage(doc, sel, false, 1);
    const std::vector<int> last = pages.RowsOfPage(doc, sel, false, 3);
    ASSERT_EQ(first.size(), 50u);
    ASSERT_EQ(last.size(), 20u);
    EXPECT_EQ(first.front(), IndexOfMatch(1));
    EXPECT_EQ(first.back(), IndexOfMatch(50));
    EXPECT_EQ(pages.RowsOfPage(doc, sel, false, 2).front(), IndexOfMatch(51));
    EXPECT_EQ(last.front(), IndexOfMatch(101));
    EXPECT_EQ(last.back(), IndexOfMatch(120));
    EXPECT_TRUE(pages.RowsOfPage(doc, sel, false, 4).empty());
    EXPECT_TRUE(pages.RowsOfPage(doc, sel, false, 0).empty());
    EXPECT_EQ(pages.FirstRowOfPage(1), 0);
    EXPECT_EQ(pages.FirstRowOfPage(3), 100);
}

TEST_F(PrintPaginationTest, TheLastPageIsLimitedByTheRequest)
{
    Load(ManyChannels());
    CPrintPagination pages;
    pages.Paginate(doc, PrintSelection{}, false, 50); // all 180: four pages
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.LastPage(0), 4);
    EXPECT_EQ(pages.LastPage(2), 2);
    EXPECT_EQ(pages.LastPage(9), 4);
    pages.Paginate(doc, PrintSelection{}, true, 50);
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(Names(pages.RowsOfPage(doc, PrintSelection{}, true, 1)), (NameList{"R0", "R1"}));
}

TEST_F(PrintPaginationTest, LinesPerPageAndScale)
{
    EXPECT_EQ(PrintLinesPerPage(6950, 40), 6550 / 40 - 5);
    EXPECT_EQ(PrintLinesPerPage(6950, 40), 158);
    EXPECT_EQ(PrintLinesPerPage(3508, 59), 47); // 3108 / 59 = 52, less 5
    EXPECT_EQ(PrintLinesPerPage(500, 100), 1) << "never fewer than one line";
    EXPECT_EQ(PrintLinesPerPage(6950, 0), 1);

    const PageScale same = PageScale::ForDevice(4892, 6950);
    EXPECT_EQ(same.X(printpage::kX0 + printpage::kColScrambledRight), 4640);
    EXPECT_EQ(same.Y(printpage::kY0), 400);
    const PageScale half = PageScale::ForDevice(2446, 3475);
    EXPECT_EQ(half.X(4391), 2195) << "truncated";
    EXPECT_EQ(half.Y(181), 90);
    const PageScale a4 = PageScale::ForDevice(4960, 7016); // A4 at 600 dpi
    EXPECT_EQ(a4.X(250), 253);                            // 253.47
    EXPECT_EQ(a4.Y(180), 181);                            // 181.7
}

TEST_F(PrintPaginationTest, LinesPerPageCountedInPageUnits)
{
    // Where page units are pixels the count is the device formula's.
    const PageScale same = PageScale::ForDevice(4892, 6950);
    EXPECT_EQ(PrintLinesPerPage(same, 40), PrintLinesPerPage(6950, 40));
    EXPECT_EQ(PrintLinesPerPage(same, 97), 6550 / 97 - 5);

    // Twice the resolution with a twice as high line: the same page.
    const PageScale twice = PageScale::ForDevice(9784, 13900);
    EXPECT_EQ(PrintLinesPerPage(twice, 80), PrintLinesPerPage(same, 40));

    // A screen-sized page: 17 pixels at 1123 / 6950 are 105.2 page units,
    // rounded up to 106 so the rows never run past the page.
    const PageScale screen = PageScale::ForDevice(794, 1123);
    EXPECT_EQ(PrintLinesPerPage(screen, 17), 6550 / 106 - 5);
    EXPECT_EQ(PrintLinesPerPage(screen, 0), 1);
    EXPECT_EQ(PrintLinesPerPage(PageScale{1, 0}, 17), 1);
}

TEST_F(PrintPaginationTest, SelectionRulesFirstMatchWins)
{
    Load(MakeSmallDatabase());
    PrintSelection tp;
    tp.transponder = doc.m_transponders.GetAt(0); // number 1
    EXPECT_EQ(PrintedNames(tp, false), (NameList{"Das Erste HD", "ZDF HD"}));
    EXPECT_EQ(PrintedNames(tp, true), (NameList{"Bayern 3"}));

    PrintSelection group;
    group.favouriteGroup = 0; // channels carrying 1
    EXPECT_EQ(PrintedNames(group, false), (NameList{"Das Erste HD", "Sky Cinema"}));
    EXPECT_EQ(KindOf(group), PrintSelectionKind::FavouriteGroup);

    PrintSelection sat;
    sat.satelliteIndex = 0; // Astra: transponders 1 and 2
    EXPECT_EQ(PrintedNames(sat, false), (NameList{"Das Erste HD", "ZDF HD", "Sky Cinema"}));
    EXPECT_EQ(PrintedNames(sat, true), (NameList{"Bayern 3", "Antenne Bayern"}));

    // A transponder wins over everything; a group counts only without a satellite.
    PrintSelection both = tp;
    both.favouriteGroup = 0;
    both.satelliteIndex = 1;
    EXPECT_EQ(KindOf(both), PrintSelectionKind::Transponder);
    EXPECT_EQ(PrintedNames(both, false), (NameList{"Das Erste HD", "ZDF HD"}));
    PrintSelection groupAndSat = group;
    groupAndSat.satelliteIndex = 1; // Hotbird: transponder 3
    EXPECT_EQ(KindOf(groupAndSat), PrintSelectionKind::Satellite);
    EXPECT_EQ(PrintedNames(groupAndSat, false), (NameList{"Rai 1"}));

    EXPECT_EQ(KindOf(PrintSelection{}), PrintSelectionKind::All);
    EXPECT_EQ(PrintedNames(PrintSelection{}, false).size(), static_cast<size_t>(kSmallTv));
}

TEST_F(PrintPaginationTest, EmptySlotsAreNeverPrinted)
{
    TestDatabase db = MakeSmallDatabase();
    db.services.records[11].Transponder(1).FavGroup(1).Name("Leer"); // number 0
    Load(db);
    PrintSelection group;
    group.favouriteGroup = 0;
    EXPECT_EQ(PrintedNames(group, false), (NameList{"Das Erste HD", "Sky Cinema"}));
    EXPECT_EQ(PrintedNames(PrintSelection{}, false).size(), static_cast<size_t>(kSmallTv));
}

TEST_F(PrintPaginationTest, AnEmptySelectionGivesOnePageWithoutRows)
{
    Load(MakeSmallDatabase());
    PrintSelection turksat;
    turksat.satelliteIndex = 3;
    CPrintPagination pages;
    pages.Paginate(doc, turksat, false, 50);
    EXPECT_TRUE(pages.IsEmpty());
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.LastPage(0), 1);
    EXPECT_TRUE(pages.RowsOfPage(doc, turksat, false, 1).empty());
    EXPECT_STREQ(kPrintEmptyText, "Kein Eintrag vorhanden!");
}

TEST_F(PrintPaginationTest, HeadingTexts)
{
    Load(MakeSmallDatabase());
    PrintSelection tp;
    tp.transponder = doc.m_transponders.GetAt(0);
    EXPECT_EQ(PrintHeading(doc, tp, false), "Fernsehkanäle Transponder: 11494 H 22000 ");
    PrintSelection group;
    group.favouriteGroup = 3;
    EXPECT_EQ(PrintHeading(doc, group, true), "Radiokanäle im Favoritenordner: Dokus");
    PrintSelection sat;
    sat.satelliteIndex = 1;
    EXPECT_EQ(PrintHeading(doc, sat, false), "Fernsehkanäle vom Satelliten: Hotbird 13.0E");
    EXPECT_EQ(PrintHeading(doc, PrintSelection{}, false), "Fernsehkanäle ");
    EXPECT_EQ(PrintPageText(3), "Seite: 3");
}

TEST_F(PrintPaginationTest, RowTexts)
{
    Load(MakeSmallDatabase());
    const CServiceData& sky = *doc.m_services.GetAt(2);
    PrintRowTexts row = BuildPrintRow(doc, sky, 2);
    EXPECT_EQ(row.number, "   3");
    EXPECT_EQ(row.listPos, "   3");
    EXPECT_EQ(row.name, "Sky Cinema");
    EXPECT_EQ(row.satellite, "Astra 19.2E");
    EXPECT_EQ(row.transponder, "12188 H 27500 ");
    EXPECT_EQ(row.serviceId, "129");
    EXPECT_EQ(row.scrambled, "€");

    // CA 1 is free; the running number and the list position are independent.
    row = BuildPrintRow(doc, *doc.m_services.GetAt(4), 11);
    EXPECT_EQ(row.number, "  12");
    EXPECT_EQ(row.listPos, "   5");
    EXPECT_EQ(row.scrambled, "");
    EXPECT_EQ(row.satellite, "Thor 0.8W");
}

TEST_F(PrintPaginationTest, UnknownTransponderOrSatelliteLeavesColumnsEmpty)
{
    Load(MakeSmallDatabase());
    CServiceData& zdf = *doc.m_services.GetAt(1);
    zdf.SetTransponder(4711);
    PrintRowTexts row = BuildPrintRow(doc, zdf, 0);
    EXPECT_EQ(row.satellite, "");
    EXPECT_EQ(row.transponder, "");
    EXPECT_EQ(row.name, "ZDF HD");

    // Transponder 3 names a satellite number nobody has.
    doc.m_transponders.GetAt(2)->m_record[20] = 77;
    row = BuildPrintRow(doc, *doc.m_services.GetAt(3), 0);
    EXPECT_EQ(row.satellite, "");
    EXPECT_EQ(row.transponder, "10992 V 27500 ");
}
