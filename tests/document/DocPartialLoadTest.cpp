// Files the load refuses, and files it reads only up to a bad block.
#include <gtest/gtest.h>

#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

const std::string kMessageStart = "Nicht alle gefundenen Datenbl\xC3\xB6" "cke konnten ausgewertet werden.\n\nData: ";

LoadStatus LoadBytes(CVandrelEdit2028Doc& doc, const Bytes& file) { return doc.Load(file.data(), file.size()); }

Bytes SealBlocks(const DbHeader& header, const std::vector<Bytes>& blocks, const Bytes& trailing = {})
{
    Bytes payload = header.b;
    for (const auto& b : blocks) {
        Append(payload, b);
    }
    Append(payload, trailing);
    return SealContainer(payload);
}

void ExpectEmpty(const CVandrelEdit2028Doc& doc, const std::string& what)
{
    EXPECT_EQ(doc.m_services.GetSize(), 0) << what;
    EXPECT_EQ(doc.m_transponders.GetSize(), 0) << what;
    EXPECT_EQ(doc.m_satellites.GetSize(), 0) << what;
    EXPECT_EQ(doc.m_timers.GetSize(), 0) << what;
    EXPECT_EQ(doc.m_configuration.GetSize(), 0) << what;
    EXPECT_FALSE(doc.HasFileContents()) << what;
}

} // namespace

TEST(DocumentRefusal, EveryBrokenContainerIsRefused)
{
    const TestDatabase db = MakeSmallDatabase();
    const Bytes good = db.Build();
    const Bytes payload = db.Payload();
    std::vector<std::pair<std::string, Bytes>> cases;
    for (size_t at : {size_t{20}, size_t{20 + 0x2C}, size_t{20 + 128 + 5}, size_t{20 + 128 + 20 + 1740},
                      good.size() / 2, good.size() - 1}) {
        Bytes b = good;
        b[at] ^= 0x20;
        cases.emplace_back("payload byte " + std::to_string(at), b);
    }
    Bytes b = good;
    b[2] ^= 1;
    cases.emplace_back("header checksum byte", b);
    cases.emplace_back("short file", Bytes(good.begin(), good.end() - 100));
    cases.emplace_back("shorter than the container header", Bytes(good.begin(), good.begin() + 12));
    cases.emplace_back("empty file", Bytes{});
    ContainerOptions o;
    o.tagId = 0xDB04;
    cases.emplace_back("wrong tag", SealContainer(payload, o));
    o = {};
    o.version = 1;
    cases.emplace_back("wrong version", SealContainer(payload, o));
    o = {};
    o.declaredLength = static_cast<uint32_t>(payload.size() + 4096);
    cases.emplace_back("length beyond the file", SealContainer(payload, o));
    o = {};
    o.declaredLength = static_cast<uint32_t>(payload.size() - 20);
    cases.emplace_back("length short of the payload", SealContainer(payload, o));
    o = {};
    o.declaredLength = 0xFFFFFFFFu;
    cases.emplace_back("length that cannot be", SealContainer(payload, o));

    for (const auto& [what, file] : cases) {
        CVandrelEdit2028Doc doc;
        EXPECT_EQ(LoadBytes(doc, file), LoadStatus::Refused) << what;
        ExpectEmpty(doc, what);
    }
}

TEST(DocumentPartialLoad, UnknownBlockStopsTheLoopAndKeepsWhatCameBefore)
{
    const TestDatabase db = MakeSmallDatabase();
    const Bytes file = SealBlocks(db.header, {db.ConfigBlock(), db.ServiceBlock(), FrameBlock(0xDB07, 1, Bytes(64, 0x11)),
                                              db.SatelliteBlock(), db.TransponderBlock(), db.TimerBlock()});
    CVandrelEdit2028Doc doc;
    ASSERT_EQ(LoadBytes(doc, file), LoadStatus::LoadedPartly);
    EXPECT_TRUE(doc.LoadStoppedEarly());
    EXPECT_EQ(doc.GetUnknownBlockMessage(), kMessageStart + "7 DB 0 0 1 0 0 0\n");
    EXPECT_EQ(doc.m_configuration.GetSize(), 8);
    EXPECT_EQ(doc.m_services.GetSize(), kSvcSlots);
    EXPECT_EQ(doc.m_satellites.GetSize(), 0);
    EXPECT_EQ(doc.m_transponders.GetSize(), 0);
    EXPECT_EQ(doc.m_timers.GetSize(), 0);
    // services are numbered although the loop ended early
    EXPECT_EQ(doc.m_services.GetAt(kSmallTv)->m_nListPos, 1);
    EXPECT_EQ(doc.m_services.GetAt(kSmallTv - 1)->m_nListPos, kSmallTv);

    // what was loaded is written back unchanged
    ParsedFile saved = ParseFile(doc.Save());
    ASSERT_TRUE(saved.containerOk);
    EXPECT_EQ(BodyOf(saved, kTagConfig), db.config.Build());
    EXPECT_EQ(BodyOf(saved, kTagServices), db.services.Build());
}

TEST(DocumentPartialLoad, OldTimerBlockAndContainerTagAreUnknown)
{
    const TestDatabase db = MakeSmallDatabase();
    struct Case {
        uint32_t tag, version;
        std::string text;
    };
    for (const Case& c : {Case{0xDB05, 2, "5 DB 0 0 2 0 0 0\n"}, Case{0xDB20, 2, "20 DB 0 0 2 0 0 0\n"},
                          Case{0xDB02, 2, "2 DB 0 0 2 0 0 0\n"}}) {
        const Bytes file = SealBlocks(db.header, {db.ConfigBlock(), db.SatelliteBlock(),
                                                  FrameBlock(c.tag, c.version, db.timers.Build()), db.TransponderBlock()});
        CVandrelEdit2028Doc doc;
        ASSERT_EQ(LoadBytes(doc, file), LoadStatus::LoadedPartly) << c.text;
        EXPECT_EQ(doc.GetUnknownBlockMessage(), kMessageStart + c.text);
        EXPECT_EQ(doc.m_timers.GetSize(), 0);
        EXPECT_EQ(doc.m_satellites.GetSize(), 250);
        EXPECT_EQ(doc.m_transponders.GetSize(), 0) << "blocks after it are not read";
    }
}

TEST(DocumentPartialLoad, DamagedBlocksAreUnknownToo)
{
    const TestDatabase db = MakeSmallDatabase();
    std::vector<std::pair<std::string, BlockOptions>> cases;
    BlockOptions o;
    o.corruptHeaderChecksum = true;
    cases.emplace_back("header checksum", o);
    o = {};
    o.corruptBodyChecksum = true;
    cases.emplace_back("body checksum", o);
    o = {};
    o.declaredLength = static_cast<uint32_t>(kTpBody + kSvcBody + 1000);
    cases.emplace_back("length beyond the payload", o);
    o = {};
    o.declaredLength = 0xFFFFFFF0u;
    cases.emplace_back("length that cannot be", o);

    for (const auto& [what, opts] : cases) {
        const Bytes file = SealBlocks(db.header, {db.ConfigBlock(), db.SatelliteBlock(),
                                                  FrameBlock(kTagTransponders, 1, db.transponders.Build(), opts),
                                                  db.ServiceBlock()});
        CVandrelEdit2028Doc doc;
        ASSERT_EQ(LoadBytes(doc, file), LoadStatus::LoadedPartly) << what;
        EXPECT_EQ(doc.GetUnknownBlockMessage(), kMessageStart + "3 DB 0 0 1 0 0 0\n") << what;
        EXPECT_EQ(doc.m_satellites.GetSize(), 250) << what;
        EXPECT_EQ(doc.m_transponders.GetSize(), 0) << what;
        EXPECT_EQ(doc.m_services.GetSize(), 0) << what;
    }
}

TEST(DocumentPartialLoad, ShortTrailingBlockHeaderHasAnEmptyTagText)
{
    const TestDatabase db = MakeSmallDatabase();
    for (size_t trailing : {size_t{1}, size_t{19}}) {
        Bytes junk(trailing);
        Fill(junk, 0, trailing, 5);
        const Bytes file = SealBlocks(db.header, {db.ConfigBlock(), db.TimerBlock()}, junk);
        CVandrelEdit2028Doc doc;
        ASSERT_EQ(LoadBytes(doc, file), LoadStatus::LoadedPartly) << trailing;
        EXPECT_EQ(doc.GetUnknownBlockMessage(), kMessageStart) << trailing;
        EXPECT_EQ(doc.m_timers.GetSize(), 20);
        EXPECT_EQ(doc.m_configuration.GetSize(), 8);
    }
}
