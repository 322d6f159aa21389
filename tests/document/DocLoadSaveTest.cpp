// Loading a whole database and saving it back.
#include <gtest/gtest.h>

#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

LoadStatus LoadBytes(CVandrelEdit2028Doc& doc, const Bytes& file) { return doc.Load(file.data(), file.size()); }

Bytes SealBlocks(const DbHeader& header, const std::vector<Bytes>& blocks)
{
    Bytes payload = header.b;
    for (const auto& b : blocks) {
        Append(payload, b);
    }
    return SealContainer(payload);
}

} // namespace

TEST(DocumentResave, UnchangedDatabaseIsByteIdentical)
{
    const TestDatabase db = MakeSmallDatabase();
    const Bytes file = db.Build();
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, file), LoadStatus::Loaded);
    EXPECT_FALSE(doc.LoadStoppedEarly());
    EXPECT_TRUE(doc.HasFileContents());
    EXPECT_FALSE(doc.IsModified());
    const Bytes saved = doc.Save();
    ASSERT_EQ(saved.size(), file.size());
    EXPECT_TRUE(saved == file);
    EXPECT_TRUE(doc.Save() == file) << "a second save does not depend on the first";
}

TEST(DocumentResave, InterleavedDocumentsSaveIndependently)
{
    TestDatabase a = MakeSmallDatabase();
    TestDatabase b = MakeSmallDatabase();
    b.config = ConfigBody(2060, 0x77);
    b.header.V(9, 9);
    const Bytes fa = a.Build(), fb = b.Build();
    CVandrelEdit2028Doc da, dbDoc;
    ASSERT_EQ(LoadBytes(da, fa), LoadStatus::Loaded);
    ASSERT_EQ(LoadBytes(dbDoc, fb), LoadStatus::Loaded);
    EXPECT_TRUE(da.Save() == fa);
    EXPECT_TRUE(dbDoc.Save() == fb);
    EXPECT_TRUE(da.Save() == fa);
}

TEST(DocumentLoad, FillsEveryPart)
{
    const TestDatabase db = MakeSmallDatabase();
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, db.Build()), LoadStatus::Loaded);
    EXPECT_EQ(Bytes(doc.m_ndb.m_header.begin(), doc.m_ndb.m_header.end()), db.header.b);
    EXPECT_EQ(doc.m_ndb.GetInfoTexts()[0], "V260.17 (P1.2.3) 05.03.2014");
    EXPECT_EQ(doc.m_satellites.GetSize(), 250);
    EXPECT_EQ(doc.m_transponders.GetSize(), 7000);
    EXPECT_EQ(doc.m_services.GetSize(), kSvcSlots);
    EXPECT_EQ(doc.m_timers.GetSize(), 20);
    EXPECT_EQ(doc.m_timers.CountInUse(), 2);
    ASSERT_EQ(doc.m_configuration.GetSize(), 8);
    EXPECT_EQ(doc.m_configuration.GetAt(5)->GetName(), "M\xC3\xA4nner\xE2\x82\xAC");
    EXPECT_EQ(doc.m_configuration.GetAt(2)->GetName(), "Sport");
    EXPECT_EQ(doc.m_satellites.m_nBodyLength, 13022);
    EXPECT_EQ(doc.m_transponders.m_nBodyLength, int32_t(kTpBody));
    EXPECT_EQ(doc.m_services.m_nBodyLength, int32_t(kSvcBody));
    EXPECT_EQ(doc.m_timers.m_nBodyLength, int32_t(kTimerBody + 24));
    EXPECT_EQ(doc.m_configuration.m_nBodyLength, 2788);
    EXPECT_EQ(doc.m_networks.GetSize(), 0);
    EXPECT_EQ(doc.m_pCurrentService, nullptr);

    // list positions: tv 1..5, radio 1..3, empty slots continue the tv count
    for (int i = 0; i < kSmallTv; ++i) {
        EXPECT_EQ(doc.m_services.GetAt(i)->m_nListPos, i + 1);
    }
    for (int i = 0; i < kSmallRadio; ++i) {
        EXPECT_EQ(doc.m_services.GetAt(kSmallTv + i)->m_nListPos, i + 1);
    }
    EXPECT_EQ(doc.m_services.GetAt(kSmallTv + kSmallRadio)->m_nListPos, kSmallTv + 1);
}

TEST(DocumentLoad, BlocksInAnotherOrderAreWrittenInTheFixedOrder)
{
    const TestDatabase db = MakeSmallDatabase();
    const Bytes shuffled = SealBlocks(db.header, {db.TimerBlock(), db.ServiceBlock(), db.ConfigBlock(),
                                                  db.TransponderBlock(), db.SatelliteBlock()});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, shuffled), LoadStatus::Loaded);
    EXPECT_TRUE(doc.Save() == db.Build());
}

TEST(DocumentLoad, ConfigurationLengthsUnderBothVersions)
{
    for (size_t length : {size_t{2060}, size_t{2788}, size_t{2500}}) {
        for (uint32_t version : {2u, 3u}) {
            TestDatabase db = MakeSmallDatabase();
            db.config = ConfigBody(length, 0x3A);
            for (int i = 0; i < 8; ++i) {
                db.config.FavName(i, FactoryFavName(i));
            }
            const Bytes file = SealBlocks(db.header, {FrameBlock(kTagConfig, version, db.config.Build()),
                                                      db.SatelliteBlock(), db.TransponderBlock(),
                                                      db.ServiceBlock(), db.TimerBlock()});
            CVandrelEdit2028Doc doc;
            ASSERT_EQ(LoadBytes(doc, file), LoadStatus::Loaded) << length << " v" << version;
            const Bytes saved = doc.Save();
            ParsedFile parsed = ParseFile(saved);
            ASSERT_TRUE(parsed.containerOk);
            ASSERT_EQ(parsed.blocks.size(), 5u);
            EXPECT_EQ(parsed.blocks[0].tagId, kTagConfig);
            EXPECT_EQ(parsed.blocks[0].version, length == 2788 ? 2u : 3u) << length << " v" << version;
            EXPECT_EQ(parsed.blocks[0].body, db.config.Build()) << length << " v" << version;
            EXPECT_TRUE(saved == db.Build()) << length << " v" << version;
        }
    }
}

TEST(DocumentLoad, BodiesOfAnyLengthAreWrittenBackAsRead)
{
    // Per block: a body cut inside a record, one with non-zero bytes behind
    // the table, one shorter than the head and an empty one. Each must come
    // back byte for byte, whatever its readers could place.
    TestDatabase db = MakeSmallDatabase();
    db.satellites.records[249].Kept(61);
    db.transponders.records[10].Kept(62);
    db.services.records[30].Kept(63);
    const Bytes sat = db.satellites.Build();
    const Bytes tp = db.transponders.Build();
    const Bytes svc = db.services.Build();
    Bytes surplus(37, 0);
    Fill(surplus, 0, surplus.size(), 0x42);
    auto cut = [](const Bytes& b, size_t n) { return Slice(b, 0, n); };
    auto plus = [&](Bytes b) {
        Append(b, surplus);
        return b;
    };
    struct Variant {
        const char* what;
        uint32_t tag;
        uint32_t version;
        Bytes body;
    };
    const std::vector<Variant> variants = {
        {"satellite tail shorter than a record", kTagSatellites, 3, cut(sat, kSatHead + 249 * kSatRecord + 14)},
        {"satellite surplus", kTagSatellites, 3, plus(sat)},
        {"satellites shorter than the head", kTagSatellites, 3, cut(sat, 5)},
        {"empty satellite body", kTagSatellites, 3, {}},
        {"transponder body cut in a record", kTagTransponders, 1, cut(tp, kTpHead + 10 * kTpRecord + 5)},
        {"transponder surplus", kTagTransponders, 1, plus(tp)},
        {"transponders shorter than the head", kTagTransponders, 1, cut(tp, 7)},
        {"empty transponder body", kTagTransponders, 1, {}},
        {"service body cut in a record", kTagServices, 2, cut(svc, kSvcHead + 30 * kSvcRecord + 100)},
        {"service surplus", kTagServices, 2, plus(svc)},
        {"services shorter than the head", kTagServices, 2, cut(svc, 11)},
        {"empty service body", kTagServices, 2, {}},
        {"empty configuration body", kTagConfig, 3, {}},
        {"empty timer body", kTagTimers, 3, {}},
    };
    for (const Variant& v : variants) {
        std::vector<Bytes> blocks = {db.ConfigBlock(), db.SatelliteBlock(), db.TransponderBlock(),
                                     db.ServiceBlock(), db.TimerBlock()};
        const uint32_t tags[] = {kTagConfig, kTagSatellites, kTagTransponders, kTagServices, kTagTimers};
        for (size_t i = 0; i < blocks.size(); ++i) {
            if (tags[i] == v.tag) {
                blocks[i] = FrameBlock(v.tag, v.version, v.body);
            }
        }
        const Bytes file = SealBlocks(db.header, blocks);
        CVandrelEdit2028Doc doc;
        ASSERT_EQ(LoadBytes(doc, file), LoadStatus::Loaded) << v.what;
        EXPECT_EQ(doc.m_timers.GetSize(), v.tag == kTagTimers ? 0 : 20)
            << v.what << ": the blocks behind are read";
        const Bytes saved = doc.Save();
        const Bytes body = BodyOf(ParseFile(saved), v.tag);
        EXPECT_TRUE(body == v.body) << v.what << ": " << body.size() << " bytes written, " << v.body.size()
                                    << " read";
        EXPECT_TRUE(saved == file) << v.what;
    }
}

TEST(DocumentLoad, ShortSatelliteBodyDoesNotSwallowTheNextBlock)
{
    TestDatabase db = MakeSmallDatabase();
    Bytes satBody = db.satellites.Build();
    satBody.resize(8 + 100 * 52);
    const Bytes file = SealBlocks(db.header, {db.ConfigBlock(), FrameBlock(kTagSatellites, 3, satBody),
                                              db.TransponderBlock(), db.ServiceBlock(), db.TimerBlock()});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, file), LoadStatus::Loaded);
    EXPECT_EQ(doc.m_satellites.GetSize(), 100);
    EXPECT_EQ(doc.m_satellites.GetAt(3)->GetNameText(), "T\xC3\xBCrksat 42.0E");
    ASSERT_EQ(doc.m_transponders.GetSize(), 7000);
    EXPECT_EQ(Bytes(doc.m_transponders.m_head.begin(), doc.m_transponders.m_head.end()), db.transponders.head);
    EXPECT_EQ(doc.m_transponders.GetAt(0)->GetFrequency(), 11494);
    EXPECT_EQ(doc.m_services.GetSize(), kSvcSlots);
    EXPECT_EQ(doc.m_timers.GetSize(), 20);
}

TEST(DocumentLoad, TransponderAndServiceBodiesLongerThanTheirTables)
{
    TestDatabase db = MakeSmallDatabase();
    db.transponders.extraZeros = 100;
    db.services.extraZeros = 7;
    const Bytes file = db.Build();
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, file), LoadStatus::Loaded);
    EXPECT_EQ(doc.m_timers.GetSize(), 20);
    EXPECT_TRUE(doc.Save() == file);
}

TEST(DocumentLoad, HeaderOnlyPayload)
{
    const DbHeader header;
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, SealContainer(header.b)), LoadStatus::Loaded);
    EXPECT_FALSE(doc.LoadStoppedEarly());
    EXPECT_EQ(Bytes(doc.m_ndb.m_header.begin(), doc.m_ndb.m_header.end()), header.b);
    EXPECT_EQ(doc.m_services.GetSize(), 0);
    EXPECT_EQ(doc.m_configuration.GetSize(), 0);
}

TEST(DocumentLoad, NoServiceBlockGivesAnEmptyChannelList)
{
    const TestDatabase db = MakeSmallDatabase();
    const Bytes file = SealBlocks(db.header, {db.ConfigBlock(), db.SatelliteBlock(), db.TransponderBlock(), db.TimerBlock()});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, file), LoadStatus::Loaded);
    EXPECT_FALSE(doc.LoadStoppedEarly());
    EXPECT_EQ(doc.m_services.GetSize(), 0);
    EXPECT_EQ(doc.m_timers.GetSize(), 20);
}

TEST(DocumentChains, ScatteredChainsAreRelinkedInArrayOrderOnSave)
{
    TestDatabase db = MakeSmallDatabase();
    ServiceBody& s = db.services;
    s = ServiceBody(0x95);
    s.MarkSlots();
    s.records[5000].Number(40).Transponder(1).Name("Erste").Kept(1);
    s.records[12].Number(7).Transponder(2).Name("Zweite").Kept(2);
    s.records[19998].Number(300).Transponder(3).Name("Dritte").Kept(3);
    s.records[3].Number(2).Flags(0x08).Transponder(1).Name("Radio A").Kept(4);
    s.records[100].Number(999).Flags(0x08).Transponder(2).Name("Radio B").Kept(5);
    s.records[50].Number(55).Name("Stray").Kept(6);
    s.MarkSlots(); // after Kept, which covers the mark bytes
    s.LinkChain({5000, 12, 19998});
    s.LinkChain({3, 100});
    s.TvCount(3).RadioCount(2).FirstTv(40).FirstRadio(2).LastTv(300).LastRadio(999).Total(6);

    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, db.Build()), LoadStatus::Loaded);
    // The chains in chain order; the stray television record on no chain
    // stays among the empty slots, in file order, and is no channel.
    EXPECT_EQ(doc.m_services.GetAt(0)->GetNameText(), "Erste");
    EXPECT_EQ(doc.m_services.GetAt(3)->GetNameText(), "Radio A");
    EXPECT_EQ(doc.m_services.GetAt(3)->m_nListPos, 1);
    EXPECT_EQ(doc.m_services.GetAt(5)->m_nListPos, 4) << "the first empty slot counts on as television";
    const int strayIndex = 5 + 50 - 2; // behind the other slots before it that are on no chain
    EXPECT_EQ(doc.m_services.GetAt(strayIndex)->GetNameText(), "Stray");
    EXPECT_EQ(doc.m_services.ChannelEnd(), 5);

    const Bytes saved = doc.Save();
    const Bytes body = BodyOf(ParseFile(saved), kTagServices);
    ASSERT_EQ(body.size(), kSvcBody);
    const int order[] = {5000, 12, 19998, 3, 100};
    const uint16_t links[5][2] = {{0, 2}, {1, 3}, {2, 0}, {0, 5}, {4, 0}};
    for (int i = 0; i < 5; ++i) {
        Bytes rec = Slice(body, 20 + 144 * static_cast<size_t>(i), 144);
        EXPECT_EQ(SlotMarkOf(rec.data()), order[i]);
        EXPECT_EQ(GetU16(rec, 0), i + 1);
        EXPECT_EQ(GetU16(rec, 2), links[i][0]);
        EXPECT_EQ(GetU16(rec, 4), links[i][1]);
        // everything but the three link words is the record as read
        Bytes original = s.records[static_cast<size_t>(order[i])].b;
        std::fill(rec.begin(), rec.begin() + 6, 0);
        std::fill(original.begin(), original.begin() + 6, 0);
        EXPECT_EQ(rec, original) << i;
    }
    ServiceBody expectedHead(0x95);
    expectedHead.TvCount(3).RadioCount(2).FirstTv(1).FirstRadio(4).LastTv(3).LastRadio(5).Total(5);
    EXPECT_EQ(Slice(body, 0, 20), expectedHead.head);
    // the other slots follow in file order, the stray record as read
    EXPECT_EQ(SlotMarkOf(body.data() + 20 + 144 * 5), 0);
    EXPECT_EQ(SlotMarkOf(body.data() + 20 + 144 * 8), 4);
    EXPECT_EQ(Slice(body, 20 + 144 * static_cast<size_t>(strayIndex), 144), s.records[50].b);

    // saving what was saved changes nothing more
    CVandrelEdit2028Doc again;
    ASSERT_EQ(LoadBytes(again, saved), LoadStatus::Loaded);
    EXPECT_EQ(again.m_services.ChannelEnd(), 5);
    EXPECT_TRUE(again.Save() == saved);
}

TEST(DocumentLoad, ShortTimerBodyKeepsEveryByte)
{
    // Three whole records and part of a fourth: nothing may be dropped.
    TestDatabase db = MakeSmallDatabase();
    db.timers.records.resize(3);
    db.timers.records[2].InUseWords(1, 1, 1).Kept(50);
    db.timers.tail.assign(100, 0);
    Fill(db.timers.tail, 0, 100, 51);
    const Bytes file = db.Build();
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, file), LoadStatus::Loaded);
    EXPECT_EQ(doc.m_timers.GetSize(), 3);
    EXPECT_TRUE(doc.Save() == file);
}
