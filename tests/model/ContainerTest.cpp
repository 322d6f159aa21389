// Container header, block headers, and the sealing of a saved payload.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/Cndb.h"
#include "model/MemStream.h"
#include "model/NdbPrepackaging.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

Bytes SamplePayload()
{
    Bytes p = DbHeader().b;
    Append(p, FrameBlock(kTagTransponders, 1, Bytes(40, 0x3C)));
    return p;
}

Bytes StreamBytes(const CMemStream& s) { return Bytes(s.Data(), s.Data() + s.GetLength()); }

} // namespace

TEST(CndbReadContainer, AcceptsSealedContainerAndRewindsStream)
{
    const Bytes payload = SamplePayload();
    const Bytes file = SealContainer(payload);
    Cndb ndb;
    CMemStream stream;
    ASSERT_EQ(ndb.ReadContainer(file.data(), file.size(), stream), 1);
    EXPECT_EQ(ndb.m_nLoadStatus, 1);
    EXPECT_EQ(StreamBytes(stream), payload);
    EXPECT_EQ(stream.GetPosition(), 0u);
}

TEST(CndbReadContainer, RefusesEveryBrokenContainer)
{
    const Bytes payload = SamplePayload();
    std::vector<std::pair<std::string, Bytes>> cases;
    ContainerOptions o;
    o.tagId = 0xDB21;
    cases.emplace_back("tag id", SealContainer(payload, o));
    o = {};
    o.version = 3;
    cases.emplace_back("tag version", SealContainer(payload, o));
    o = {};
    o.corruptHeaderChecksum = true;
    cases.emplace_back("header checksum", SealContainer(payload, o));
    o = {};
    o.corruptPayloadChecksum = true;
    cases.emplace_back("payload checksum", SealContainer(payload, o));
    o = {};
    o.declaredLength = static_cast<uint32_t>(payload.size() + 1);
    cases.emplace_back("length beyond file", SealContainer(payload, o));
    o = {};
    o.declaredLength = static_cast<uint32_t>(payload.size() - 1);
    cases.emplace_back("length short of payload", SealContainer(payload, o));
    o = {};
    o.declaredLength = 0xFFFFFFF0u;
    cases.emplace_back("huge length", SealContainer(payload, o));
    Bytes cut = SealContainer(payload);
    cut.resize(cut.size() - 1);
    cases.emplace_back("file one byte short", cut);
    cases.emplace_back("header only partly there", Bytes(cut.begin(), cut.begin() + 19));
    cases.emplace_back("empty file", Bytes{});
    Bytes flipped = SealContainer(payload);
    flipped[20 + 50] ^= 0x01;
    cases.emplace_back("one payload byte changed", flipped);

    for (const auto& [what, file] : cases) {
        Cndb ndb;
        ndb.m_nLoadStatus = 1;
        CMemStream stream;
        EXPECT_EQ(ndb.ReadContainer(file.data(), file.size(), stream), 0) << what;
        EXPECT_EQ(ndb.m_nLoadStatus, 0) << what;
    }
}

TEST(CndbReadBlockHeader, KnowsTheEightTagsByPosition)
{
    const uint32_t tags[8][2] = {{0xDB01, 2}, {0xDB01, 3}, {0xDB02, 3}, {0xDB03, 1},
                                 {0xDB04, 2}, {0xDB05, 2}, {0xDB05, 3}, {0xDB20, 2}};
    const char* texts[8] = {"1 DB 0 0 2 0 0 0\n", "1 DB 0 0 3 0 0 0\n", "2 DB 0 0 3 0 0 0\n",
                            "3 DB 0 0 1 0 0 0\n", "4 DB 0 0 2 0 0 0\n", "5 DB 0 0 2 0 0 0\n",
                            "5 DB 0 0 3 0 0 0\n", "20 DB 0 0 2 0 0 0\n"};
    for (int i = 0; i < 8; ++i) {
        Bytes body(static_cast<size_t>(10 + i), static_cast<uint8_t>(0x40 + i));
        Bytes bytes = FrameBlock(tags[i][0], tags[i][1], body);
        Append(bytes, Bytes(7, 0xEE)); // something after the block
        CMemStream stream(bytes);
        Cndb ndb;
        int type = -1, length = -1;
        ASSERT_EQ(ndb.ReadBlockHeader(stream, type, length), 1) << i;
        EXPECT_EQ(type, i + 1);
        EXPECT_EQ(length, 10 + i);
        EXPECT_EQ(stream.GetPosition(), 20u) << "stream must stand at the first body byte";
        EXPECT_EQ(ndb.GetLastBlockTagText(), texts[i]);
    }
}

TEST(CndbReadBlockHeader, FailuresLeaveTypeAndLengthAlone)
{
    const Bytes body(64, 0x21);
    struct Case {
        std::string what;
        Bytes bytes;
        std::string tagText;
    };
    std::vector<Case> cases;
    cases.push_back({"unknown tag", FrameBlock(0xDB07, 1, body), "7 DB 0 0 1 0 0 0\n"});
    cases.push_back({"known id, unknown version", FrameBlock(0xDB02, 4, body), "2 DB 0 0 4 0 0 0\n"});
    BlockOptions o;
    o.corruptHeaderChecksum = true;
    cases.push_back({"header checksum", FrameBlock(0xDB03, 1, body, o), "3 DB 0 0 1 0 0 0\n"});
    o = {};
    o.corruptBodyChecksum = true;
    cases.push_back({"body checksum", FrameBlock(0xDB04, 2, body, o), "4 DB 0 0 2 0 0 0\n"});
    o = {};
    o.declaredLength = 65;
    cases.push_back({"length beyond stream", FrameBlock(0xDB04, 2, body, o), "4 DB 0 0 2 0 0 0\n"});
    o.declaredLength = 0x7FFFFFF0u;
    cases.push_back({"huge length", FrameBlock(0xDB04, 2, body, o), "4 DB 0 0 2 0 0 0\n"});
    cases.push_back({"short header", Bytes(19, 0x01), ""});
    cases.push_back({"nothing left", Bytes{}, ""});

    for (const auto& c : cases) {
        CMemStream stream(c.bytes);
        Cndb ndb;
        ndb.m_strLastBlockTag = "stale";
        int type = -1, length = -1;
        EXPECT_EQ(ndb.ReadBlockHeader(stream, type, length), 0) << c.what;
        EXPECT_EQ(type, -1) << c.what;
        EXPECT_EQ(length, -1) << c.what;
        EXPECT_EQ(ndb.GetLastBlockTagText(), c.tagText) << c.what;
    }
}

TEST(CndbReadBlockHeader, ReadsConsecutiveBlocks)
{
    Bytes bytes = FrameBlock(0xDB01, 3, Bytes(2060, 0x11));
    Append(bytes, FrameBlock(0xDB05, 3, Bytes(6812, 0x22)));
    CMemStream stream(bytes);
    Cndb ndb;
    int type = -1, length = -1;
    ASSERT_EQ(ndb.ReadBlockHeader(stream, type, length), 1);
    EXPECT_EQ(type, 2);
    stream.Skip(static_cast<size_t>(length));
    ASSERT_EQ(ndb.ReadBlockHeader(stream, type, length), 1);
    EXPECT_EQ(type, 7);
    EXPECT_EQ(length, 6812);
    EXPECT_EQ(stream.GetPosition(), 20u + 2060u + 20u);
}

TEST(CndbInfoTexts, FormatsTheDisplayedHeaderFields)
{
    Cndb ndb;
    DbHeader h;
    h.P(1, 2, 3).V(260, 17).Date(2014, 3, 5).Quad(10, 0, 0, 255).Pairs(1, 2, 300, 4).KM(5, 6, 7, 1024);
    std::copy(h.b.begin(), h.b.end(), ndb.m_header.begin());
    const auto texts = ndb.GetInfoTexts();
    EXPECT_EQ(texts[0], "V260.17 (P1.2.3) 05.03.2014");
    EXPECT_EQ(texts[1], "10.0.0.255");
    EXPECT_EQ(texts[2], "1.2 / 300.4");
    EXPECT_EQ(texts[3], "K5-6 / M7.1024");

    h.P(0, 0, 12).V(0, 65535).Date(999, 12, 31);
    std::copy(h.b.begin(), h.b.end(), ndb.m_header.begin());
    EXPECT_EQ(ndb.GetInfoTexts()[0], "V0.65535 (P0.0.12) 31.12.0999");
}

TEST(Prepackaging, SealsBlocksAndContainerLikeTheFormatSays)
{
    const Bytes header = DbHeader().b;
    const Bytes body1(300, 0x61);
    Bytes body2(1500);
    Fill(body2, 0, body2.size(), 7);

    CNDBPrepackaging& pack = CNDBPrepackaging::GetInstance();
    EXPECT_EQ(&pack, &CNDBPrepackaging::GetInstance());
    pack.Reset();
    pack.AppendRaw(Bytes(33, 0x99).data(), 33); // discarded by the next Reset
    pack.Reset();
    pack.AppendRaw(header.data(), header.size());

    uint8_t h1[20];
    MakeBlockHeader(h1, 0xDB02, 3);
    EXPECT_EQ(Bytes(h1, h1 + 4), Bytes(4, 0));
    EXPECT_EQ(GetU32(Bytes(h1, h1 + 20), 4), 0xDB02u);
    EXPECT_EQ(GetU32(Bytes(h1, h1 + 20), 8), 3u);
    EXPECT_EQ(Bytes(h1 + 12, h1 + 20), Bytes(8, 0));
    CMemStream s1;
    s1.Write(body1.data(), body1.size());
    pack.AppendBlock(h1, s1);

    uint8_t h2[20];
    MakeBlockHeader(h2, 0xDB05, 3);
    CMemStream s2;
    s2.Write(body2.data(), body2.size());
    pack.AppendBlock(h2, s2);

    Bytes expectedPayload = header;
    Append(expectedPayload, FrameBlock(0xDB02, 3, body1));
    Append(expectedPayload, FrameBlock(0xDB05, 3, body2));
    EXPECT_EQ(pack.WriteContainer(), SealContainer(expectedPayload));
}

TEST(Prepackaging, SealHeaderMatchesIndependentFraming)
{
    Bytes body(777);
    Fill(body, 0, body.size(), 3);
    uint8_t h[20];
    MakeBlockHeader(h, 0xDB04, 2);
    CNDBPrepackaging::SealHeader(h, body.data(), body.size());
    const Bytes framed = FrameBlock(0xDB04, 2, body);
    EXPECT_EQ(Bytes(h, h + 20), Slice(framed, 0, 20));
}

TEST(Prepackaging, WriteHeaderAppendsTheUntaggedHeader)
{
    Cndb ndb;
    DbHeader h;
    h.V(1, 2);
    std::copy(h.b.begin(), h.b.end(), ndb.m_header.begin());
    CNDBPrepackaging& pack = CNDBPrepackaging::GetInstance();
    pack.Reset();
    ndb.WriteHeader();
    EXPECT_EQ(pack.WriteContainer(), SealContainer(h.b));
    pack.Reset();
    EXPECT_EQ(pack.WriteContainer(), SealContainer(Bytes{}));
}
