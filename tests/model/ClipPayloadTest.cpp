// The clipboard payload: three count-prefixed sequences, written and read
// back, and read from damaged bytes without trusting a count.
#include <gtest/gtest.h>

#include <optional>

#include "model/ClipPayload.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;

namespace {

ServiceRecord Channel(uint16_t number, bool radio, const std::string& name)
{
    ServiceRecord r;
    r.Number(number).Transponder(7).ServiceId(static_cast<uint16_t>(500 + number)).Flags(radio ? 0x08 : 0x20);
    r.Name(name).Kept(number);
    return r;
}

SatelliteRecord Satellite(uint8_t number)
{
    SatelliteRecord s;
    s.Number(number).Name("Astra").Position(192, false).Kept(number);
    return s;
}

TransponderRecord Transponder(uint16_t number)
{
    TransponderRecord t;
    t.Number(number).TpId(1000).OrgNetId(1).Frequency(11494).Satellite(1).Kept(number);
    return t;
}

// Payload bytes put together by hand: count, entries, for each sequence.
struct PayloadBytes {
    std::vector<std::pair<uint8_t, ServiceRecord>> services;
    std::vector<SatelliteRecord> satellites;
    std::vector<TransponderRecord> transponders;
    // Counts written instead of the real ones.
    std::optional<uint32_t> serviceCount, satelliteCount, transponderCount;

    Bytes Build() const
    {
        Bytes b;
        auto count = [&](std::optional<uint32_t> forced, size_t real) {
            Bytes c(4, 0);
            PutU32(c, 0, forced ? *forced : static_cast<uint32_t>(real));
            Append(b, c);
        };
        count(serviceCount, services.size());
        for (const auto& [kind, rec] : services) {
            b.push_back(kind);
            Append(b, rec.b);
        }
        count(satelliteCount, satellites.size());
        for (const auto& s : satellites) {
            Append(b, s.b);
        }
        count(transponderCount, transponders.size());
        for (const auto& t : transponders) {
            Append(b, t.b);
        }
        return b;
    }
};

PayloadBytes ThreeChannels()
{
    PayloadBytes p;
    p.services = {{1, Channel(1, false, "Erste")}, {0, Channel(2, true, "Zweite")}, {1, Channel(3, false, "Dritte")}};
    p.satellites = {Satellite(1), Satellite(2), Satellite(3)};
    p.transponders = {Transponder(11), Transponder(12), Transponder(13)};
    return p;
}

Bytes Image(const std::array<uint8_t, 144>& r) { return Bytes(r.begin(), r.end()); }

} // namespace

TEST(ClipPayload, HandBuiltBytesAreReadEntryByEntryAndWrittenBackUnchanged)
{
    const PayloadBytes p = ThreeChannels();
    const Bytes bytes = p.Build();
    ASSERT_EQ(bytes.size(), 12u + 3 * 145 + 3 * 52 + 3 * 24);
    CClipPayload payload;
    ASSERT_TRUE(payload.Read(bytes.data(), bytes.size()));
    ASSERT_EQ(payload.m_services.GetSize(), 3);
    ASSERT_EQ(payload.m_satellites.GetSize(), 3);
    ASSERT_EQ(payload.m_transponders.GetSize(), 3);
    EXPECT_TRUE(payload.IsUsable());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Image(payload.m_services.GetAt(i)->m_record), p.services[static_cast<size_t>(i)].second.b);
        EXPECT_EQ(payload.m_services.GetAt(i)->m_nListPos, 0);
        const auto& sat = payload.m_satellites.GetAt(i)->m_record;
        EXPECT_EQ(Bytes(sat.begin(), sat.end()), p.satellites[static_cast<size_t>(i)].b);
        EXPECT_EQ(payload.m_satellites.GetAt(i)->m_nSlot, i);
        const auto& tp = payload.m_transponders.GetAt(i)->m_record;
        EXPECT_EQ(Bytes(tp.begin(), tp.end()), p.transponders[static_cast<size_t>(i)].b);
    }
    EXPECT_EQ(payload.Write(), bytes);
}

TEST(ClipPayload, TheKindByteIsIgnoredOnReadingAndDerivedFromTheRadioFlagOnWriting)
{
    PayloadBytes p = ThreeChannels();
    p.services[0].first = 0; // claims radio, the flags say television
    p.services[1].first = 7; // neither value
    const Bytes bytes = p.Build();
    CClipPayload payload;
    ASSERT_TRUE(payload.Read(bytes.data(), bytes.size()));
    EXPECT_FALSE(payload.m_services.GetAt(0)->IsRadio());
    EXPECT_TRUE(payload.m_services.GetAt(1)->IsRadio());
    const Bytes written = payload.Write();
    EXPECT_EQ(written[4], 1);
    EXPECT_EQ(written[4 + 145], 0);
    EXPECT_EQ(written[4 + 290], 1);
}

TEST(ClipPayload, AppendedEntriesComeOutInTheDocumentedLayout)
{
    const PayloadBytes p = ThreeChannels();
    CClipPayload payload;
    for (int i = 0; i < 3; ++i) {
        const size_t k = static_cast<size_t>(i);
        payload.Append(CServiceData(p.services[k].second.b.data()), CSatelliteData(p.satellites[k].b.data(), 40),
                       CTransponderData(p.transponders[k].b.data()));
    }
    const Bytes bytes = payload.Write();
    EXPECT_EQ(bytes, p.Build());
    // Offsets of the three counts for N = 3.
    EXPECT_EQ(GetU32(bytes, 0), 3u);
    EXPECT_EQ(GetU32(bytes, 4 + 145 * 3), 3u);
    EXPECT_EQ(GetU32(bytes, 8 + 197 * 3), 3u);
    EXPECT_EQ(Slice(bytes, 12 + 197 * 3, 24), p.transponders[0].b);
}

TEST(ClipPayload, EmptySequencesMakeThePayloadUnusable)
{
    for (int which = 0; which < 3; ++which) {
        PayloadBytes p = ThreeChannels();
        if (which == 0) {
            p.services.clear();
        } else if (which == 1) {
            p.satellites.clear();
        } else {
            p.transponders.clear();
        }
        const Bytes bytes = p.Build();
        CClipPayload payload;
        EXPECT_TRUE(payload.Read(bytes.data(), bytes.size())) << which;
        EXPECT_FALSE(payload.IsUsable()) << which;
    }
    CClipPayload none;
    EXPECT_FALSE(none.Read(nullptr, 0));
    EXPECT_FALSE(none.IsUsable());
    const Bytes threeZeros(12, 0);
    EXPECT_TRUE(none.Read(threeZeros.data(), threeZeros.size()));
    EXPECT_FALSE(none.IsUsable());
}

TEST(ClipPayload, ACountLargerThanTheDataYieldsTheWholeEntriesAndEmptiesTheRest)
{
    PayloadBytes p = ThreeChannels();
    p.serviceCount = 5; // two more than there are: the satellites are read as services
    Bytes bytes = p.Build();
    CClipPayload payload;
    EXPECT_FALSE(payload.Read(bytes.data(), bytes.size()));
    const size_t rest = bytes.size() - 4;
    EXPECT_EQ(payload.m_services.GetSize(), static_cast<int>(rest / 145));
    EXPECT_EQ(payload.m_satellites.GetSize(), 0);
    EXPECT_EQ(payload.m_transponders.GetSize(), 0);
    EXPECT_FALSE(payload.IsUsable());

    PayloadBytes q = ThreeChannels();
    q.transponderCount = 4;
    bytes = q.Build();
    EXPECT_FALSE(payload.Read(bytes.data(), bytes.size()));
    EXPECT_EQ(payload.m_services.GetSize(), 3);
    EXPECT_EQ(payload.m_satellites.GetSize(), 3);
    EXPECT_EQ(payload.m_transponders.GetSize(), 3);
}

TEST(ClipPayload, HugeCountsAllocateNothingTheBytesDoNotHold)
{
    PayloadBytes p;
    p.serviceCount = 0xFFFFFFFFu;
    p.services = {{1, Channel(1, false, "Nur einer")}};
    const Bytes bytes = p.Build();
    CClipPayload payload;
    EXPECT_FALSE(payload.Read(bytes.data(), bytes.size()));
    // The one entry and the eight bytes of the two counts that follow it.
    EXPECT_EQ(payload.m_services.GetSize(), 1);
    EXPECT_EQ(payload.m_satellites.GetSize(), 0);
}

TEST(ClipPayload, TruncatedEntriesAreLeftOut)
{
    const Bytes whole = ThreeChannels().Build();
    CClipPayload payload;
    // Cut inside the third service entry.
    Bytes cut(whole.begin(), whole.begin() + 4 + 145 * 2 + 100);
    EXPECT_FALSE(payload.Read(cut.data(), cut.size()));
    EXPECT_EQ(payload.m_services.GetSize(), 2);
    EXPECT_EQ(payload.m_satellites.GetSize(), 0);
    // Cut inside the last transponder entry.
    cut.assign(whole.begin(), whole.end() - 5);
    EXPECT_FALSE(payload.Read(cut.data(), cut.size()));
    EXPECT_EQ(payload.m_services.GetSize(), 3);
    EXPECT_EQ(payload.m_satellites.GetSize(), 3);
    EXPECT_EQ(payload.m_transponders.GetSize(), 2);
    // Cut inside a count.
    cut.assign(whole.begin(), whole.begin() + 4 + 145 * 3 + 2);
    EXPECT_FALSE(payload.Read(cut.data(), cut.size()));
    EXPECT_EQ(payload.m_services.GetSize(), 3);
    EXPECT_EQ(payload.m_satellites.GetSize(), 0);
    EXPECT_FALSE(payload.IsUsable());
}

TEST(ClipPayload, ReadingAgainStartsFromEmptyArrays)
{
    const Bytes bytes = ThreeChannels().Build();
    CClipPayload payload;
    ASSERT_TRUE(payload.Read(bytes.data(), bytes.size()));
    ASSERT_TRUE(payload.Read(bytes.data(), bytes.size()));
    EXPECT_EQ(payload.m_services.GetSize(), 3);
    EXPECT_EQ(payload.Write(), bytes);
}
