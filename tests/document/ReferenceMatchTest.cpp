// Applying a reference list: the four rules and their order, the new
// order, favourite groups and flags, the report, and taking it back.
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
                                              "Zugeordnet über ONID und SID: 0",
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
    EXPECT_EQ(ReportSummaryLines(result)[4], "Nicht gefunden: 2");
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

TEST(ReferenceMatch, EachRuleGoesOverAllLinesBeforeTheNextOne)
{
    // A rescan: transponder 2 re-tuned to TSID 8 (Sky Cinema and Antenne
    // Bayern keep ONID and SID), Sky Cinema now "0815", and on Hotbird two
    // pairs of channels sharing ONID and SID on two transponders.
    TestDatabase db = MakeSmallDatabase();
    db.transponders.records[1].TpId(8);
    std::vector<ServiceRecord> s(db.services.records.begin(), db.services.records.begin() + 8);
    s[2].Name("0815");
    ServiceRecord raiDue, rai2, sportA, sportB;
    raiDue.Transponder(3).ServiceId(3402).Name("Rai Due").Kept(60);
    rai2.Transponder(4).ServiceId(3402).Name("RAI 2").Kept(61);
    sportA.Transponder(3).ServiceId(3403).Name("Sport A").Kept(62);
    sportB.Transponder(4).ServiceId(3403).Name("Sport B").Kept(63);
    db.services.PlaceInArrayOrder({s[0], s[1], s[2], s[3], s[4], raiDue, rai2, sportA, sportB},
                                  {s[5], s[6], s[7]});
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);

    // The first line names a channel gone since: by name it would take the
    // ZDF HD that line 6 finds exactly. "815" is how a spreadsheet keeps
    // "0815".
    const ReferenceList list = ParsedList("Nr;Typ;Kanalname;Satellit;ONID;TSID;SID\n"
                                          "1;TV;ZDF HD;19.2E;1;1019;11111\n"
                                          "2;TV;815;19.2E;133;6;129\n"
                                          "3;TV;Rai 2;13.0E;318;301;3402\n"
                                          "4;TV;Rai Sport;13.0E;318;301;3403\n"
                                          "5;TV;zdf hd;19.2E;1;1019;11110\n"
                                          "6;TV;Das Erste HD;;1;1019;10301\n"
                                          "1;Radio;Antenne Bayern;19.2E;133;6;92\n");
    const ReferenceApplyResult result = ApplyReferenceList(doc, list);

    // ONID and SID: the only channel that has them, or of two the one with
    // the line's name; of two without it, none.
    EXPECT_EQ(Names(doc, false),
              (std::vector<std::string>{"0815", "RAI 2", "ZDF HD", "Das Erste HD", "Rai 1", "T\xC3\xA9l\xC3\xA9 5",
                                        "Rai Due", "Sport A", "Sport B"}));
    EXPECT_EQ(Names(doc, true), (std::vector<std::string>{"Antenne Bayern", "Bayern 3", "Radio Svizzera"}));
    EXPECT_EQ(ReportSummaryLines(result), (std::vector<std::string>{
                                              "Zugeordnet über Satellit, ONID, TSID und SID: 1",
                                              "Zugeordnet über ONID, TSID und SID: 1",
                                              "Zugeordnet über ONID und SID: 3",
                                              "Zugeordnet über den Namen: 0",
                                              "Nicht gefunden: 2",
                                              "Neu (nicht in der Liste): 7",
                                          }));
    EXPECT_EQ(ReportIssueLines(result), (std::vector<std::string>{
                                            "Zeile 2: nicht gefunden: TV 1 ZDF HD",
                                            "Zeile 5: nicht gefunden: TV 4 Rai Sport",
                                        }));
    // Every match but by position is listed for review, by line.
    EXPECT_EQ(ReportReviewLines(result),
              (std::vector<std::string>{
                  "Zeile 3, Nr 2: 815 → 0815 (über ONID und SID)",
                  "Zeile 4, Nr 3: Rai 2 → RAI 2 (über ONID und SID)",
                  "Zeile 7, Nr 6: Das Erste HD → Das Erste HD (über ONID, TSID und SID)",
                  "Zeile 8, Nr 1: Antenne Bayern → Antenne Bayern (über ONID und SID)",
              }));
    // The report as text: counts, the lines to review, the unused lines.
    const std::string report = FormatReferenceReport(result);
    EXPECT_EQ(report.substr(report.find("Neu (nicht")),
              "Neu (nicht in der Liste): 7\n"
              "\n"
              "Zu prüfen (nicht über den Satelliten zugeordnet):\n"
              "Zeile 3, Nr 2: 815 → 0815 (über ONID und SID)\n"
              "Zeile 4, Nr 3: Rai 2 → RAI 2 (über ONID und SID)\n"
              "Zeile 7, Nr 6: Das Erste HD → Das Erste HD (über ONID, TSID und SID)\n"
              "Zeile 8, Nr 1: Antenne Bayern → Antenne Bayern (über ONID und SID)\n"
              "\n"
              "Nicht verwendete Zeilen:\n"
              "Zeile 2: nicht gefunden: TV 1 ZDF HD\n"
              "Zeile 5: nicht gefunden: TV 4 Rai Sport\n");
    ASSERT_EQ(result.reviewed.size(), 4u);
    EXPECT_EQ(result.reviewed[0].channel, Named(doc, "0815"));
    EXPECT_EQ(result.reviewed[0].rule, ReferenceRule::OnidSid);
    EXPECT_EQ(result.reviewed[2].rule, ReferenceRule::Identifiers);
    EXPECT_TRUE(result.hint.empty());
}

TEST(ReferenceMatch, ChannelsSharingOneIdentityAreTakenByName)
{
    // Two feeds with the same satellite, ONID, TSID and SID; the copy has
    // them the other way round.
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> s(db.services.records.begin(), db.services.records.begin() + 8);
    ServiceRecord feedA, feedB;
    feedA.Transponder(1).ServiceId(5000).Name("Feed A").Kept(60);
    feedB.Transponder(1).ServiceId(5000).Name("Feed B").Kept(61);
    db.services.PlaceInArrayOrder({s[0], feedA, s[1], feedB, s[2], s[3], s[4]}, {s[5], s[6], s[7]});
    CVandrelEdit2028Doc original;
    LoadInto(original, db);
    db.services.PlaceInArrayOrder({feedB, s[1], s[0], feedA, s[2], s[3], s[4]}, {s[5], s[6], s[7]});
    CVandrelEdit2028Doc copy;
    LoadInto(copy, db);

    // The order of the other open document, without a file.
    const ReferenceApplyResult result = ApplyReferenceList(copy, ReferenceListOf(original));
    EXPECT_EQ(Names(copy, false), Names(original, false));
    EXPECT_EQ(result.byPosition, 10);
}

TEST(ReferenceMatch, NrDecidesTheOrderTheFileOrderWithoutItAndFlagsAreSetOrCleared)
{
    CVandrelEdit2028Doc doc;
    LoadInto(doc, MakeSmallDatabase());
    // Sky Cinema and Radio Svizzera are locked, Rai 1 is skipped.
    ReferenceApplyResult result = ApplyReferenceList(doc, ParsedList("Nr;Typ;Kanalname;SID;Gesperrt;\xC3\x9C"
                                                                     "berspringen\n"
                                                                     "2;TV;ZDF HD;11110;X;\n"
                                                                     "1;TV;Rai 1;3401;;nein\n"
                                                                     "3;TV;Sky Cinema;129;0;ja\n"
                                                                     "1;Radio;Radio Svizzera;3901;;\n"
                                                                     "2;Radio;Bayern 3;28400;x;1\n"));
    EXPECT_EQ(Names(doc, false),
              (std::vector<std::string>{"Rai 1", "ZDF HD", "Sky Cinema", "Das Erste HD", "T\xC3\xA9l\xC3\xA9 5"}));
    EXPECT_EQ(result.hint, "Hinweis: Die Zeilen stehen nicht nach Nr geordnet; es gilt die Spalte Nr.");
    const auto flags = [&doc](const char* name) {
        const CServiceData* s = Named(doc, name);
        return std::make_pair(s->IsLocked(), s->IsSkip());
    };
    EXPECT_EQ(flags("ZDF HD"), std::make_pair(true, false));
    EXPECT_EQ(flags("Rai 1"), std::make_pair(false, false));
    EXPECT_EQ(flags("Sky Cinema"), std::make_pair(false, true));
    EXPECT_EQ(flags("Radio Svizzera"), std::make_pair(true, false)) << "an empty field leaves the flag";
    EXPECT_EQ(flags("Bayern 3"), std::make_pair(true, true));
    EXPECT_TRUE(Named(doc, "Bayern 3")->IsRadio());
    // Without the columns the flags stay; without Nr the file order counts
    // and nothing is out of order.
    result = ApplyReferenceList(doc, ParsedList("Typ;Kanalname\n"
                                                "TV;Das Erste HD\n"
                                                "TV;Gibt es nicht\n"
                                                "TV;Sky Cinema\n"));
    EXPECT_EQ(Names(doc, false),
              (std::vector<std::string>{"Das Erste HD", "Sky Cinema", "Rai 1", "ZDF HD", "T\xC3\xA9l\xC3\xA9 5"}));
    EXPECT_TRUE(result.hint.empty());
    EXPECT_EQ(flags("ZDF HD"), std::make_pair(true, false));
    EXPECT_EQ(flags("Sky Cinema"), std::make_pair(false, true));
    EXPECT_EQ(ReportIssueLines(result), std::vector<std::string>{"Zeile 3: nicht gefunden: TV Gibt es nicht"});
}
