// The builder checks itself first: a wrong builder would make every other
// test meaningless.
#include <gtest/gtest.h>

#include "support/NdbTestBuilder.h"

using namespace ndbtest;

TEST(NdbTestBuilder, BitwiseCrcKnownValues)
{
    const std::string check = "123456789";
    EXPECT_EQ(BitwiseCrc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
    EXPECT_EQ(BitwiseCrc32(nullptr, 0), 0u);
    const uint8_t zero = 0;
    EXPECT_EQ(BitwiseCrc32(&zero, 1), 0xD202EF8Du);
}

TEST(NdbTestBuilder, LittleEndianFields)
{
    Bytes b(8, 0);
    PutU32(b, 0, 0x11223344u);
    PutU16(b, 4, 0xA1B2);
    EXPECT_EQ(b[0], 0x44);
    EXPECT_EQ(b[3], 0x11);
    EXPECT_EQ(b[4], 0xB2);
    EXPECT_EQ(b[5], 0xA1);
    EXPECT_EQ(GetU32(b, 0), 0x11223344u);
    EXPECT_EQ(GetU16(b, 4), 0xA1B2);
    EXPECT_THROW(PutU16(b, 7, 1), std::out_of_range);
}

TEST(NdbTestBuilder, FillerIsNeverZero)
{
    for (uint32_t seed = 0; seed < 64; ++seed) {
        for (size_t off = 0; off < 600; ++off) {
            ASSERT_NE(Filler(seed, off), 0) << seed << " " << off;
        }
    }
}

TEST(NdbTestBuilder, BodySizesMatchTheFormat)
{
    TestDatabase db = MakeSmallDatabase();
    EXPECT_EQ(db.config.Build().size(), 2788u);
    EXPECT_EQ(db.satellites.Build().size(), 13022u);
    EXPECT_EQ(db.transponders.Build().size(), 168012u);
    EXPECT_EQ(db.services.Build().size(), 2879876u);
    EXPECT_EQ(db.timers.Build().size(), 6812u + 24u);
}

TEST(NdbTestBuilder, SealedFileParsesBack)
{
    TestDatabase db = MakeSmallDatabase();
    const Bytes file = db.Build();
    ParsedFile parsed = ParseFile(file);
    ASSERT_TRUE(parsed.containerOk);
    EXPECT_EQ(parsed.dbHeader, db.header.b);
    ASSERT_EQ(parsed.blocks.size(), 5u);
    const uint32_t tags[5][2] = {{0xDB01, 2}, {0xDB02, 3}, {0xDB03, 1}, {0xDB04, 2}, {0xDB05, 3}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(parsed.blocks[i].tagId, tags[i][0]);
        EXPECT_EQ(parsed.blocks[i].version, tags[i][1]);
        EXPECT_TRUE(parsed.blocks[i].headerOk);
        EXPECT_TRUE(parsed.blocks[i].bodyOk);
    }
    EXPECT_EQ(parsed.trailing, 0u);
    EXPECT_EQ(BodyOf(parsed, kTagServices), db.services.Build());
}

TEST(NdbTestBuilder, FramingOptionsBreakWhatTheySay)
{
    const Bytes body = {1, 2, 3, 4, 5};
    Bytes good = FrameBlock(0xDB07, 9, body);
    EXPECT_EQ(GetU32(good, 0), BitwiseCrc32(good.data() + 4, 16));
    EXPECT_EQ(GetU32(good, 12), BitwiseCrc32(body));
    EXPECT_EQ(GetU32(good, 16), 5u);

    BlockOptions o;
    o.corruptBodyChecksum = true;
    Bytes badBody = FrameBlock(0xDB07, 9, body, o);
    EXPECT_NE(GetU32(badBody, 12), BitwiseCrc32(body));
    EXPECT_EQ(GetU32(badBody, 0), BitwiseCrc32(badBody.data() + 4, 16));

    BlockOptions h;
    h.corruptHeaderChecksum = true;
    Bytes badHeader = FrameBlock(0xDB07, 9, body, h);
    EXPECT_NE(GetU32(badHeader, 0), BitwiseCrc32(badHeader.data() + 4, 16));

    BlockOptions l;
    l.declaredLength = 99;
    Bytes lying = FrameBlock(0xDB07, 9, body, l);
    EXPECT_EQ(GetU32(lying, 16), 99u);
    EXPECT_EQ(GetU32(lying, 0), BitwiseCrc32(lying.data() + 4, 16));

    ContainerOptions c;
    c.declaredLength = 3;
    Bytes sealed = SealContainer(body, c);
    EXPECT_EQ(GetU32(sealed, 16), 3u);
    EXPECT_FALSE(ParseFile(sealed).containerOk);
}

TEST(NdbTestBuilder, ArrayOrderChainsFollowTheRelinkRules)
{
    ServiceBody s;
    std::vector<ServiceRecord> tv(2), radio(3);
    s.PlaceInArrayOrder(tv, radio);
    // numbers 1..5, tv 1<->2, radio 3<->4<->5
    const uint16_t expect[5][3] = {{1, 0, 2}, {2, 1, 0}, {3, 0, 4}, {4, 3, 5}, {5, 4, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(GetU16(s.records[i].b, 0), expect[i][0]);
        EXPECT_EQ(GetU16(s.records[i].b, 2), expect[i][1]);
        EXPECT_EQ(GetU16(s.records[i].b, 4), expect[i][2]);
    }
    EXPECT_EQ(GetU32(s.head, 0), 2u);
    EXPECT_EQ(GetU32(s.head, 4), 3u);
    EXPECT_EQ(GetU16(s.head, 8), 1);
    EXPECT_EQ(GetU16(s.head, 10), 3);
    EXPECT_EQ(GetU16(s.head, 12), 2);
    EXPECT_EQ(GetU16(s.head, 14), 5);
    EXPECT_EQ(GetU16(s.head, 16), 5);
}
