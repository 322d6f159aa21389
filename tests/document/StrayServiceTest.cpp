// A numbered service record on neither chain, behind empty slots: it is
// kept and written back where it is, but no list, count, search, export or
// edit treats it as a channel.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/ChannelClipboard.h"
#include "document/ChannelEdits.h"
#include "document/ChannelRows.h"
#include "document/ChannelSearch.h"
#include "document/CsvExport.h"
#include "document/DemoDatabase.h"
#include "document/NewChannel.h"
#include "document/PrintPagination.h"
#include "document/Statistics.h"
#include "support/DocTestHelpers.h"

using namespace ndbtest;

namespace {

const std::vector<std::string> kTv = {"Das Erste HD",         "ZDF HD", "Sky Cinema", "Rai 1",
                                      "T\xC3\xA9l\xC3\xA9 5", "3sat"};
const std::vector<std::string> kRadio = {"Bayern 3", "Antenne Bayern", "Radio Svizzera"};

std::vector<std::string> NamesOf(const std::vector<ChannelRow>& rows)
{
    std::vector<std::string> names;
    for (const ChannelRow& r : rows) {
        names.push_back(r.service->GetNameText());
    }
    return names;
}

bool Lists(const std::vector<ChannelRow>& rows, const std::string& name)
{
    const std::vector<std::string> names = NamesOf(rows);
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The record images of the saved service body that carry the name.
std::vector<Bytes> SavedRecordsNamed(const Bytes& file, const std::string& name)
{
    const Bytes body = BodyOf(ParseFile(file), kTagServices);
    std::vector<Bytes> found;
    for (size_t off = kSvcHead; off + kSvcRecord <= body.size(); off += kSvcRecord) {
        const Bytes rec = Slice(body, off, kSvcRecord);
        if (std::string(reinterpret_cast<const char*>(&rec[40]), name.size()) == name) {
            found.push_back(rec);
        }
    }
    return found;
}

} // namespace

TEST(StrayService, ListsShowExactlyTheChainedChannelsAndAnUnchangedFileResavesAsRead)
{
    const TestDatabase db = MakeStrayServiceDatabase();
    const Bytes file = db.Build();
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);

    EXPECT_EQ(Names(doc, false), kTv);
    EXPECT_EQ(Names(doc, true), kRadio) << "the last radio channel is listed too";
    const StatisticsCounts counts = CountStatistics(doc);
    EXPECT_EQ(counts.tv, 6);
    EXPECT_EQ(counts.radio, 3);

    // Its satellite, its transponder, its favourite group, the search, the
    // export and the print all pass it over.
    const CServiceData* stray = Named(doc, "Verwaist");
    ASSERT_NE(stray, nullptr);
    EXPECT_FALSE(Lists(SelectSatelliteChannels(doc, doc.FindSatelliteIndexOfService(stray), false), "Verwaist"));
    EXPECT_FALSE(Lists(SelectTransponderChannels(doc, doc.TransponderOf(stray), false), "Verwaist"));
    EXPECT_FALSE(Lists(SelectFavouriteChannels(doc, 0, false, false), "Verwaist"));
    EXPECT_TRUE(SearchChannels(doc, "Verwaist", true, true).empty());
    EXPECT_EQ(BuildCsvExport(doc).find("Verwaist"), std::string::npos);
    CPrintPagination pages;
    pages.Paginate(doc, PrintSelection(), false, 100);
    const std::vector<int> printed = pages.RowsOfPage(doc, PrintSelection(), false, 1);
    EXPECT_EQ(printed.size(), kTv.size());
    EXPECT_EQ(std::count(printed.begin(), printed.end(), doc.m_services.IndexOf(stray)), 0);
    EXPECT_EQ(doc.m_services.ListNumberOf(stray, true), 0xFFFF);
    EXPECT_NE(doc.m_services.ServiceAtListNumber(7, true), stray);

    EXPECT_TRUE(doc.Save() == file) << "chains that agree with the table are written back byte for byte";
}

TEST(StrayService, EditsAndSavesKeepTheRecordOutOfTheLists)
{
    const TestDatabase db = MakeStrayServiceDatabase();
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const Bytes strayImage = db.services.records[kStraySlot].b;

    // Delete one television channel, then paste a radio and a television
    // channel at the end of their lists (no row selected).
    DeleteChannels(doc, {Named(doc, "ZDF HD")});
    const ClipCopyResult radio = CopyChannels(doc, {Named(doc, "Bayern 3")});
    const ClipCopyResult tv = CopyChannels(doc, {Named(doc, "Rai 1")});
    ASSERT_EQ(PasteChannels(doc, radio.payload.data(), radio.payload.size(), false, nullptr).pasted.size(), 1u);
    ASSERT_EQ(PasteChannels(doc, tv.payload.data(), tv.payload.size(), true, nullptr).pasted.size(), 1u);
    const std::vector<std::string> tvAfter = {"Das Erste HD",         "Sky Cinema", "Rai 1",
                                              "T\xC3\xA9l\xC3\xA9 5", "3sat",       "Rai 1"};
    const std::vector<std::string> radioAfter = {"Bayern 3", "Antenne Bayern", "Radio Svizzera", "Bayern 3"};
    EXPECT_EQ(Names(doc, false), tvAfter);
    EXPECT_EQ(Names(doc, true), radioAfter);

    const Bytes saved = doc.Save();
    const ParsedFile parsed = ParseFile(saved);
    const Bytes body = BodyOf(parsed, kTagServices);
    ASSERT_EQ(body.size(), kSvcBody);
    EXPECT_EQ(GetU32(body, 0), 6u) << "the head counts the channels written";
    EXPECT_EQ(GetU32(body, 4), 4u);
    EXPECT_EQ(GetU16(body, 16), 10u);
    EXPECT_EQ(SavedRecordsNamed(saved, "Verwaist"), std::vector<Bytes>{strayImage})
        << "kept once, with its own number and links";

    CVandrelEdit2028Doc again;
    ASSERT_EQ(again.Load(saved.data(), saved.size()), LoadStatus::Loaded);
    EXPECT_EQ(Names(again, false), tvAfter);
    EXPECT_EQ(Names(again, true), radioAfter);
    EXPECT_TRUE(again.Save() == saved);
}

TEST(StrayService, InTheLastSlotItLeavesRoomForNewChannelsAndKeepsItsSlot)
{
    TestDatabase db = MakeStrayServiceDatabase();
    db.services.records[kSvcSlots - 1] = db.services.records[kStraySlot];
    db.services.records[kStraySlot] = ServiceRecord();
    CVandrelEdit2028Doc doc;
    LoadInto(doc, db);
    const CServiceData* stray = doc.m_services.GetAt(kSvcSlots - 1);
    const Bytes strayImage = db.services.records[kSvcSlots - 1].b;

    EXPECT_EQ(NewChannelBlocker(doc), "");
    NewChannelFields fields;
    fields.transponderIndex = 0;
    fields.name = "Neu";
    fields.serviceId = 4242;
    const NewChannelResult r = AddNewChannel(doc, fields, true, nullptr);
    ASSERT_NE(r.added, nullptr) << r.message;
    EXPECT_EQ(doc.m_services.GetAt(kSvcSlots - 1), stray);
    EXPECT_EQ(Names(doc, false).back(), "Neu");

    const Bytes body = BodyOf(ParseFile(doc.Save()), kTagServices);
    EXPECT_EQ(Slice(body, kSvcHead + (kSvcSlots - 1) * kSvcRecord, kSvcRecord), strayImage);

    // The one empty slot in front of it stays empty: filling it would put
    // the record on the chain.
    const std::vector<uint8_t> almost = BuildDemoDatabase({15000, 4996});
    CVandrelEdit2028Doc nearlyFull;
    ASSERT_EQ(nearlyFull.Load(almost.data(), almost.size()), LoadStatus::Loaded);
    CServiceData* last = nearlyFull.m_services.GetAt(kSvcSlots - 1);
    last->SetNumber(777);
    fields.serviceId = 65000;
    ASSERT_NE(AddNewChannel(nearlyFull, fields, true, nullptr).added, nullptr);
    EXPECT_EQ(NewChannelBlocker(nearlyFull),
              "Alle 19999 Plätze der Kanaltabelle sind belegt. Es können keine Kanäle eingefügt werden.");
    EXPECT_EQ(nearlyFull.m_services.ChannelEnd(), kSvcSlots - 2);
    EXPECT_EQ(nearlyFull.m_services.GetAt(kSvcSlots - 1), last);
}
