// Applying a reference list: the three rules and their order, the new
// order and favourite groups, the report, and taking it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/DocumentChange.h"
#include "document/ReferenceListFile.h"
#include "document/ReferenceMatch.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/DocTestHelpers.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

ReferenceList ParsedList(const std::string& text)
{
    ReferenceList list;
    std::string message;
    EXPECT_EQ(ParseReferenceList(reinterpret_cast<const uint8_t*>(text.data()), text.size(), list, message),
              ReferenceListStatus::Ok)
        << message;
    return list;
}

// Television: a copy of "Das Erste HD" on Türksat with the same ONID, TSID
// and service id, the Astra original, ZDF HD, two "Sky Cinema" (service ids
// 129 and 130), "Münchner TV" and Rai 1. Radio: Bayern 3, Antenne Bayern.
TestDatabase MakeMatchDatabase()
{
    TestDatabase db = MakeSmallDatabase();
    db.transponders.records[5].TpId(1019); // transponder 6 on Türksat: ONID 1, TSID 1019 as transponder 1
    std::vector<ServiceRecord> old(db.services.records.begin(), db.services.records.begin() + 8);
    ServiceRecord copy;
    copy.Transponder(6).ServiceId(10301).Name("Erste Kopie").Kept(60);
    ServiceRecord sky130 = old[2];
    sky130.ServiceId(130);
    ServiceRecord muenchen;
    muenchen.Transponder(3).ServiceId(500).Name("M\xFCnchner TV").Kept(61);
    db.services.PlaceInArrayOrder({copy, old[0], old[1], old[2], sky130, muenchen, old[3]}, {old[5], old[6]});
    return db;
}

std::vector<int> Sids(const CVandrelEdit2028Doc& doc, bool radio)
{
    std::vector<int> sids;
    for (const ChannelRow& row : SelectAllChannels(doc, radio)) {
        sids.push_back(row.service->GetServiceId());
    }
    return sids;
}

} // namespace

TEST(ReferenceMatch, EachLineTakesTheChannelTheFirstFittingRuleFinds)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeMatchDatabase());
    const ReferenceList list = ParsedList("Nr;Typ;Kanalname;Satellit;ONID;TSID;SID;Favorit\n"
                                          "3;TV;Das Erste HD;19.2E;1;1019;10301;7\n"
                                          "1;TV;  zdf hd ;;;;;\n"
                                          "2;TV;sky cinema;;;;130;\n"
                                          "5;TV;Das Erste HD;13.0E;1;1019;10301;0\n"
                                          "4;TV;M\xC3\x9CNCHNER tv;;;;;\n"
                                          "4;TV;Rai 1;13.0E;318;12000;3401;\n"
                                          "9;TV;Gibt es nicht;19.2E;1;1;1;\n"
                                          "7;Radio;ZDF HD;;;;11110;\n"
                                          "6;TV;Das Erste HD;19.2E;1;1019;10301;\n"
                                          "x;TV;Kaputt;;;;;\n");
    const ReferenceApplyResult result = ApplyReferenceList(doc, list);

    // By number: ZDF by its name; the second Sky Cinema by name and service
    // id; the Astra original by its position although the copy comes first;
    // equal numbers in file order; the copy, whose line names a satellite
    // without it, by ONID, TSID and service id. The Sky Cinema no line took
    // follows.
    EXPECT_EQ(Names(doc, false),
              (std::vector<std::string>{"ZDF HD", "Sky Cinema", "Das Erste HD", "M\xC3\xBCnchner TV", "Rai 1",
                                        "Erste Kopie", "Sky Cinema"}));
    EXPECT_EQ(Sids(doc, false), (std::vector<int>{11110, 130, 10301, 500, 3401, 10301, 129}));
    EXPECT_EQ(Names(doc, true), (std::vector<std::string>{"Bayern 3", "Antenne Bayern"}));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(doc.m_services.GetAt(i)->m_nListPos, i + 1);
    }
    // The line's group where it gives one; an empty field keeps the group.
    EXPECT_EQ(Named(doc, "Das Erste HD")->GetFavouriteGroup(), 7);
    EXPECT_EQ(Named(doc, "Erste Kopie")->GetFavouriteGroup(), 0);
    EXPECT_EQ(Named(doc, "ZDF HD")->GetFavouriteGroup(), 2);
    EXPECT_EQ(doc.m_services.GetAt(1)->GetFavouriteGroup(), 1);

    EXPECT_EQ(result.byPosition, 2);
    EXPECT_EQ(result.byIdentifiers, 1);
    EXPECT_EQ(result.byName, 3);
    ASSERT_EQ(result.newChannels.size(), 3u);
    EXPECT_EQ(result.newChannels[0]->GetServiceId(), 129);
    EXPECT_EQ(ReportSummaryLines(result), (std::vector<std::string>{
                                              "Zugeordnet über Satellit, ONID, TSID und SID: 2",
                                              "Zugeordnet über ONID, TSID und SID: 1",
                                              "Zugeordnet über den Namen: 3",
                                              "Nicht gefunden: 3",
                                              "Neu (nicht in der Liste): 3",
                                          }));
    // A line whose channel an earlier line took finds nothing, nor does a
    // radio line that names a television channel.
    EXPECT_EQ(ReportIssueLines(result), (std::vector<std::string>{
                                            "Zeile 8: nicht gefunden: TV 9 Gibt es nicht",
                                            "Zeile 9: nicht gefunden: Radio 7 ZDF HD",
                                            "Zeile 10: nicht gefunden: TV 6 Das Erste HD",
                                            "Zeile 11: nicht lesbar: Nr \"x\" ist keine positive Zahl",
                                        }));
}

// The report keeps the first lines by line number, unreadable or not
// found, and counts the rest in one last line.
TEST(ReferenceMatch, TheReportStopsAfterItsLimitAndCountsTheRest)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeSmallDatabase());
    std::string text = "Nr;Typ;SID\n1;TV;4711\n";
    for (int i = 0; i < 1200; ++i) {
        text += "x\n";
    }
    text += "2;TV;4712\n";
    const ReferenceApplyResult result = ApplyReferenceList(doc, ParsedList(text));
    const std::vector<std::string> lines = ReportIssueLines(result);
    ASSERT_EQ(lines.size(), kMaxReportedLines + 1);
    EXPECT_EQ(lines[0], "Zeile 2: nicht gefunden: TV 1");
    EXPECT_EQ(lines[1], "Zeile 3: nicht lesbar: Typ \"\" ist weder TV noch Radio");
    EXPECT_EQ(lines[kMaxReportedLines - 1], "Zeile 1001: nicht lesbar: Typ \"\" ist weder TV noch Radio");
    // 201 unreadable lines and the second line not found are left out.
    EXPECT_EQ(lines.back(), "… und 202 weitere Zeilen");
    EXPECT_EQ(ReportSummaryLines(result)[3], "Nicht gefunden: 2");
}

TEST(ReferenceMatch, TheOwnListRestoresTheOrderAfterARescanAsOneStep)
{
    CVandrelEdit2028Doc original;
    LoadInto(original, MakeSmallDatabase());
    const ReferenceList list = ParsedList(BuildReferenceList(original));

    // The rescan: new transponder numbers, television reversed, favourite
    // groups gone, and Hotbird moved to 13.1 degrees.
    TestDatabase db = MakeSmallDatabase();
    for (int i = 0; i < 6; ++i) {
        db.transponders.records[static_cast<size_t>(i)].Number(static_cast<uint16_t>(101 + i));
    }
    db.satellites.records[1].Position(131, false);
    std::vector<ServiceRecord> tv(db.services.records.begin(), db.services.records.begin() + 5);
    std::vector<ServiceRecord> radio(db.services.records.begin() + 5, db.services.records.begin() + 8);
    for (auto* kind : {&tv, &radio}) {
        for (ServiceRecord& s : *kind) {
            s.Transponder(static_cast<uint16_t>(GetU16(s.b, 6) + 100)).FavGroup(0);
        }
    }
    std::reverse(tv.begin(), tv.end());
    db.services.PlaceInArrayOrder(tv, radio);
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const Bytes before = doc.Save();

    CDocumentChange change(doc);
    const ReferenceApplyResult result = ApplyReferenceList(doc, list);
    change.Finish();
    EXPECT_EQ(Names(doc, false), Names(original, false));
    EXPECT_EQ(Names(doc, true), Names(original, true));
    EXPECT_EQ(result.byPosition, 6);
    EXPECT_EQ(result.byIdentifiers, 2) << "Rai 1 and Radio Svizzera on the moved satellite";
    EXPECT_EQ(result.byName + static_cast<int>(result.notFound.size() + result.newChannels.size()), 0);
    EXPECT_EQ(Named(doc, "Bayern 3")->GetFavouriteGroup(), 4);
    EXPECT_EQ(Named(doc, "ZDF HD")->GetFavouriteGroup(), 2);
    change.Undo();
    EXPECT_EQ(doc.Save(), before);

    // Applied to the database it was written from, nothing changes.
    const Bytes same = original.Save();
    ApplyReferenceList(original, list);
    EXPECT_EQ(original.Save(), same);
}
