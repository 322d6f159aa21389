// Comparing two databases: which channels are the same, and the line that
// names what changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/DatabaseDiff.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/DocTestHelpers.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

TEST(DatabaseDiff, SameChannelsByIdentityAndWhatChangedNamed)
{
    CVandrelEdit2028Doc oldDoc;
    LoadInto(oldDoc, MakeSmallDatabase());
    EXPECT_TRUE(CompareDatabases(oldDoc, oldDoc).empty());

    // After a rescan: other transponder numbers; ZDF HD three places down,
    // out of group 2 and locked; Hotbird moved to 13.1 degrees (Rai 1 and
    // Radio Svizzera follow it); Télé 5's transponder on another frequency
    // and polarisation; Sky Cinema renamed and with another video PID;
    // Bayern 3 gone; a new radio channel; a channel without transponder in
    // both.
    TestDatabase db = MakeSmallDatabase();
    for (int i = 0; i < 6; ++i) {
        db.transponders.records[static_cast<size_t>(i)].Number(static_cast<uint16_t>(101 + i));
    }
    db.satellites.records[1].Position(131, false);
    db.transponders.records[4].Frequency(10873).Flags(1);
    std::vector<ServiceRecord> s(db.services.records.begin(), db.services.records.begin() + 8);
    for (ServiceRecord& r : s) {
        r.Transponder(static_cast<uint16_t>(GetU16(r.b, 6) + 100));
    }
    s[1].FavGroup(0).Flags(0x20);
    s[2].Name("Sky Cinema HD").VideoPid(256);
    ServiceRecord fresh;
    fresh.Transponder(101).ServiceId(28500).Flags(0x08).Name("Bayern 1").Kept(70);
    ServiceRecord lostOld, lostNew;
    lostOld.Transponder(999).ServiceId(44).Name("Ohne TP").Kept(71);
    lostNew.Transponder(888).ServiceId(44).Name("Ohne TP").Kept(72);
    db.services.PlaceInArrayOrder({s[0], s[2], s[3], s[4], s[1], lostNew}, {fresh, s[6], s[7]});
    CVandrelEdit2028Doc newDoc;
    LoadInto(newDoc, db);

    TestDatabase withLost = MakeSmallDatabase();
    std::vector<ServiceRecord> o(withLost.services.records.begin(), withLost.services.records.begin() + 8);
    withLost.services.PlaceInArrayOrder({o[0], o[1], o[2], o[3], o[4], lostOld}, {o[5], o[6], o[7]});
    CVandrelEdit2028Doc oldWithLost;
    LoadInto(oldWithLost, withLost);

    const std::vector<ChannelDifference> differences = CompareDatabases(oldWithLost, newDoc);
    EXPECT_EQ(FormatDifferences(differences),
              "~ TV 3→2 Sky Cinema HD: Nr, Name \"Sky Cinema\"→\"Sky Cinema HD\", Video Pid 255→256\n"
              "~ TV 4→3 Rai 1: Nr, Satellit 13.0E→13.1E\n"
              "~ TV 5→4 T\xC3\xA9l\xC3\xA9 5: Nr, Frequenz 10872→10873, Polarit\xC3\xA4t V→H\n"
              "~ TV 2→5 ZDF HD: Nr, Favorit 2→0, Gesperrt nein→ja\n"
              "- Radio 1 Bayern 3\n"
              "+ Radio 1 Bayern 1\n"
              "~ Radio 3 Radio Svizzera: Satellit 13.0E→13.1E\n");
    ASSERT_EQ(differences.size(), 7u);
    EXPECT_EQ(differences[4].oldService, Named(oldWithLost, "Bayern 3"));
    EXPECT_EQ(differences[5].newService, Named(newDoc, "Bayern 1"));
    EXPECT_EQ(ChangesText(differences[3]), "Nr, Favorit 2→0, Gesperrt nein→ja");
    // The summary: the moved satellite and the re-tuned transponder once,
    // with their channels.
    EXPECT_EQ(SummaryLines(SummarizeDifferences(differences)),
              (std::vector<std::string>{
                  "1 neu, 1 entfallen, 5 geändert",
                  "Satellit Hotbird 13.0E 13.0E→13.1E: 2 Kanäle",
                  "Transponder 0.8W 10872 V 25000→10873 H 25000: 1 Kanal",
              }));

    // The other way round every '+' is a '-' and the numbers swap places.
    const std::vector<ChannelDifference> back = CompareDatabases(newDoc, oldWithLost);
    EXPECT_EQ(FormatDifference(back[1]),
              "~ TV 2→3 Sky Cinema: Nr, Name \"Sky Cinema HD\"→\"Sky Cinema\", Video Pid 256→255");
    EXPECT_EQ(FormatDifference(back[4]), "- Radio 1 Bayern 1");
    EXPECT_EQ(FormatDifference(back[5]), "+ Radio 1 Bayern 3");
}

TEST(DatabaseDiff, ChannelsSharingOneIdentityArePairedByNameAndNumberOnlyLinesCanBeLeftOut)
{
    // Two feeds with the same satellite, ONID, TSID and SID, swapped; the
    // first the old side lists differs from its name only in case.
    TestDatabase db = MakeSmallDatabase();
    std::vector<ServiceRecord> s(db.services.records.begin(), db.services.records.begin() + 8);
    ServiceRecord feedA, feedB;
    feedA.Transponder(1).ServiceId(5000).Name("Feed A").Kept(60);
    feedB.Transponder(1).ServiceId(5000).Name("feed b").Kept(61);
    db.services.PlaceInArrayOrder({s[0], s[1], feedB, feedA, s[2], s[3], s[4]}, {s[5], s[6], s[7]});
    CVandrelEdit2028Doc oldDoc;
    LoadInto(oldDoc, db);
    feedB.Name("Feed B").FavGroup(3);
    db.services.PlaceInArrayOrder({s[0], s[1], feedA, feedB, s[2], s[3], s[4]}, {s[5], s[6], s[7]});
    CVandrelEdit2028Doc newDoc;
    LoadInto(newDoc, db);

    const std::vector<ChannelDifference> differences = CompareDatabases(oldDoc, newDoc);
    EXPECT_EQ(FormatDifferences(differences), "~ TV 4→3 Feed A: Nr\n"
                                              "~ TV 3→4 Feed B: Nr, Name \"feed b\"→\"Feed B\", Favorit 0→3\n");
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_TRUE(OnlyNumberChanged(differences[0]));
    EXPECT_FALSE(OnlyNumberChanged(differences[1]));
    // The saved text names both sides first.
    EXPECT_EQ(FormatComparison("alt.ndb", "neu.ndb", differences, true),
              "Alt: alt.ndb\n"
              "Neu: neu.ndb\n"
              "0 neu, 0 entfallen, 2 geändert\n"
              "\n"
              "~ TV 3→4 Feed B: Nr, Name \"feed b\"→\"Feed B\", Favorit 0→3\n");
}
